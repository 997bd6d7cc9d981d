// kz_startup_timer EXE "Window title" [RUNS]: starts EXE, measures the time until a visible
// top-level window of that process with that caption exists, then closes it. With RUNS > 1 it
// repeats and also reports the median.
//   prints: ms=T (one line per run), then median_ms=M

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/win32/stopwatch.h"

namespace {

class ProcessHandle {
 public:
  explicit ProcessHandle(HANDLE handle) : handle_(handle) {}
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  ~ProcessHandle() {
    if (handle_) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

struct Search {
  DWORD processId;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (wcscmp(text, search.title) != 0) return TRUE;
  search.found = window;
  return FALSE;
}

// Milliseconds to the window shown, or a negative value when it did not appear in time.
double TimeOneStart(const std::wstring& exe, const wchar_t* title) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  Stopwatch clock;
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return -1;
  }
  CloseHandle(info.hThread);
  ProcessHandle process(info.hProcess);
  Search search{info.dwProcessId, title, nullptr};
  double ms = -1;
  while (clock.ElapsedMs() < 30000) {
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      ms = clock.ElapsedMs();
      break;
    }
    if (WaitForSingleObject(process.get(), 2) == WAIT_OBJECT_0) break;  // ended without one
  }
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
  }
  return ms;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: kz_startup_timer EXE \"Window title\" [RUNS]\n");
    return 2;
  }
  int runs = argc == 4 ? std::max(1, _wtoi(argv[3])) : 1;
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    double ms = TimeOneStart(argv[1], argv[2]);
    if (ms < 0) {
      std::printf("no window \"%ls\" appeared\n", argv[2]);
      return 1;
    }
    std::printf("ms=%.0f\n", ms);
    std::fflush(stdout);
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  std::printf("median_ms=%.0f\n", times[times.size() / 2]);
  return 0;
}
