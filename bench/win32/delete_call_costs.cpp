// kz_delete_call_costs DIR N: what each call of a checked delete costs, against DeleteFileW. DIR
// (ending in '\') holds the empty files c0.mp3 ... c(N-1).mp3 and d0.mp3 ... d(N-1).mp3. The c
// files go through the calls the program's removal makes for each file (open the entry itself,
// its basic information, its internal index, its final path, the disposition, the close), each
// timed on its own; the d files go by DeleteFileW.
//   prints: open_us=... basic_us=... index_us=... final_path_us=... disposition_us=...
//           close_us=... checked_us=... delete_file_us=... (microseconds per file)

#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>

#include "bench/win32/stopwatch.h"

namespace {

enum Call { kOpen, kBasic, kIndex, kFinalPath, kDisposition, kClose, kCalls };
const char* const kNames[kCalls] = {"open", "basic", "index", "final_path", "disposition", "close"};

// Adds the time since the last lap to `call`.
struct Laps {
  Stopwatch clock;
  double ms[kCalls] = {};
  void Lap(Call call) {
    ms[call] += clock.ElapsedMs();
    clock.Restart();
  }
};

bool CheckedDelete(const std::wstring& path, Laps& laps) {
  laps.clock.Restart();
  HANDLE file = CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, 0, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  laps.Lap(kOpen);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILE_BASIC_INFO basic{};
  bool ok = GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) != FALSE;
  laps.Lap(kBasic);
  IO_STATUS_BLOCK status{};
  LARGE_INTEGER index{};
  ok = ok && NtQueryInformationFile(file, &status, &index, sizeof index,
                                    static_cast<FILE_INFORMATION_CLASS>(6)) == 0;
  laps.Lap(kIndex);
  wchar_t finalPath[MAX_PATH + 1];
  ok = ok && GetFinalPathNameByHandleW(file, finalPath, MAX_PATH + 1, FILE_NAME_NORMALIZED) != 0;
  laps.Lap(kFinalPath);
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  ok = ok && SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                        sizeof disposition) != FALSE;
  laps.Lap(kDisposition);
  CloseHandle(file);
  laps.Lap(kClose);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kz_delete_call_costs DIR N\n");
    return 2;
  }
  std::wstring folder = argv[1];
  int count = _wtoi(argv[2]);
  if (count <= 0) return 2;
  Laps laps;
  int failed = 0;
  for (int at = 0; at < count; ++at) {
    if (!CheckedDelete(folder + L"c" + std::to_wstring(at) + L".mp3", laps)) ++failed;
  }
  Stopwatch clock;
  for (int at = 0; at < count; ++at) {
    if (!DeleteFileW((folder + L"d" + std::to_wstring(at) + L".mp3").c_str())) ++failed;
  }
  double deleteFileMs = clock.ElapsedMs();
  double checkedMs = 0;
  for (int call = 0; call < kCalls; ++call) {
    std::printf("%s_us=%.1f ", kNames[call], laps.ms[call] * 1000.0 / count);
    checkedMs += laps.ms[call];
  }
  std::printf("checked_us=%.1f delete_file_us=%.1f failed=%d\n", checkedMs * 1000.0 / count,
              deleteFileMs * 1000.0 / count, failed);
  return failed == 0 ? 0 : 1;
}
