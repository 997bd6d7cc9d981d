#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>

#include "platform/command_line.h"
#include "platform/win32/folder_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_clock.h"
#include "platform/win32/win_file_system.h"

namespace kz {
namespace {

std::atomic<bool> pendingInterrupt{false};
std::atomic<bool> interruptCaught{false};

// Runs on a thread of its own that the console starts for the event.
BOOL WINAPI OnConsoleControl(DWORD kind) {
  if (kind != CTRL_C_EVENT) return FALSE;
  if (interruptCaught.exchange(true)) return FALSE;  // the second one ends the process as usual
  pendingInterrupt.store(true);
  return TRUE;
}

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  return std::make_unique<WinFileSystem>();
}

std::unique_ptr<Clock> MakeSystemClock() {
  return std::make_unique<WinClock>();
}

void CatchFirstInterrupt() {
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool TakeInterrupt() {
  return pendingInterrupt.exchange(false);
}

bool ErrorStreamIsTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}

void UseBinaryStandardOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
}

std::optional<std::string> AbsoluteFolderPath(std::string_view folder) {
  if (folder.empty()) return std::nullopt;
  std::wstring wide = Widen(folder);
  // The first call asks for the length (terminator included), so no fixed buffer can overflow.
  DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::nullopt;
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return std::nullopt;
  full.resize(length);
  DWORD attributes = GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  return Narrow(WithBackslash(std::move(full)));
}

}  // namespace kz
