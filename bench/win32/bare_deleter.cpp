// kz_bare_deleter DIR: the least a removal can do, as the reference for the program's own. It
// walks DIR with FindFirstFileW/FindNextFileW and deletes every *.mp3 file below DIR by its path
// with DeleteFileW: no identity check, no list, no window.
//   prints: deleted=N failed=F folders=M ms=T

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/win32/find_handle.h"
#include "bench/win32/stopwatch.h"

namespace {

bool IsMp3(const wchar_t* name) {
  std::size_t length = wcslen(name);
  return length >= 4 && CompareStringOrdinal(name + length - 4, 4, L".mp3", 4, TRUE) == CSTR_EQUAL;
}

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

struct Counts {
  int deleted = 0;
  int failed = 0;
  int folders = 0;
};

void DeleteBelow(const std::wstring& folder, Counts& counts) {
  ++counts.folders;
  std::vector<std::wstring> files;
  std::vector<std::wstring> subfolders;
  {
    WIN32_FIND_DATAW entry;
    FindHandle listing(FindFirstFileW((folder + L"*.*").c_str(), &entry));
    if (!listing.valid()) return;
    do {
      if (IsDotOrDotDot(entry.cFileName)) continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        subfolders.push_back(folder + entry.cFileName + L"\\");
      } else if (IsMp3(entry.cFileName)) {
        files.push_back(folder + entry.cFileName);
      }
    } while (FindNextFileW(listing.get(), &entry));
  }
  for (const std::wstring& file : files) {
    if (DeleteFileW(file.c_str())) {
      ++counts.deleted;
    } else {
      ++counts.failed;
    }
  }
  for (const std::wstring& subfolder : subfolders) DeleteBelow(subfolder, counts);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kz_bare_deleter DIR\n");
    return 2;
  }
  std::wstring root = argv[1];
  if (root.back() != L'\\') root += L'\\';
  Counts counts;
  Stopwatch clock;
  DeleteBelow(root, counts);
  double ms = clock.ElapsedMs();
  std::printf("deleted=%d failed=%d folders=%d ms=%.0f\n", counts.deleted, counts.failed,
              counts.folders, ms);
  return counts.failed == 0 ? 0 : 1;
}
