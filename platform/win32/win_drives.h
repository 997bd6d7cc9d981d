#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/drives.h"

namespace kz {

// Critical-error dialogs ("There is no disk in the drive") stay away while drives are
// queried; the thread's previous error mode comes back at the end of the scope.
class CriticalErrorsSuppressed {
 public:
  CriticalErrorsSuppressed();
  ~CriticalErrorsSuppressed();
  CriticalErrorsSuppressed(const CriticalErrorsSuppressed&) = delete;
  CriticalErrorsSuppressed& operator=(const CriticalErrorsSuppressed&) = delete;

 private:
  DWORD previous_ = 0;
  bool restore_ = false;
};

// The shell's display name and small-icon index for a path or parsing name; empty text and
// image -1 when the shell knows nothing of it.
ItemLook ShellLook(const std::wstring& path);

// "D:\" as the shell wants it.
std::wstring DriveRoot(char letter);

// The computer's drives through kernel32 and the shell.
class WinDrives final : public Drives {
 public:
  std::uint32_t LogicalDrives() override;
  bool IsReady(char letter) override;
  ItemLook DriveLook(char letter) override;
};

}  // namespace kz
