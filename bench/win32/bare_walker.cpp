// kz_bare_walker DIR: the least a scan of DIR can do under the program's rules, as the reference
// for the program's own scan. It lists every folder with FindFirstFileW/FindNextFileW on "*.*",
// takes one message from its queue per entry (the program polls one event per entry so that its
// window stays responsive), and keeps the name and size of each *.mp3 file.
//   prints: files=N folders=M ms=T

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/win32/find_handle.h"
#include "bench/win32/stopwatch.h"

namespace {

struct Found {
  std::wstring name;
  std::uint64_t size;
};

// The window whose queue is polled; never shown, like the program's it has a class of its own.
HWND CreateQueueWindow(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"KzBareWalker";
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, windowClass.lpszClassName, L"kz_bare_walker", WS_OVERLAPPEDWINDOW,
                         CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance,
                         nullptr);
}

void PollOneMessage() {
  MSG message;
  if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool IsMp3(const wchar_t* name) {
  std::size_t length = wcslen(name);
  return length >= 4 && CompareStringOrdinal(name + length - 4, 4, L".mp3", 4, TRUE) == CSTR_EQUAL;
}

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

void Walk(const std::wstring& folder, std::vector<Found>& found, int& folders) {
  ++folders;
  WIN32_FIND_DATAW entry;
  FindHandle listing(FindFirstFileW((folder + L"*.*").c_str(), &entry));
  if (!listing.valid()) return;
  do {
    PollOneMessage();
    if (IsDotOrDotDot(entry.cFileName)) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Walk(folder + entry.cFileName + L"\\", found, folders);
    } else if (IsMp3(entry.cFileName)) {
      found.push_back({entry.cFileName, (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) |
                                            entry.nFileSizeLow});
    }
  } while (FindNextFileW(listing.get(), &entry));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kz_bare_walker DIR\n");
    return 2;
  }
  HWND window = CreateQueueWindow(GetModuleHandleW(nullptr));
  if (!window) return 1;
  std::wstring root = argv[1];
  if (root.back() != L'\\') root += L'\\';

  std::vector<Found> found;
  int folders = 0;
  Stopwatch clock;
  Walk(root, found, folders);
  double ms = clock.ElapsedMs();
  std::printf("files=%zu folders=%d ms=%.0f\n", found.size(), folders, ms);
  DestroyWindow(window);
  return 0;
}
