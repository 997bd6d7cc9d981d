#include "platform/win32/win_drives.h"

#include <shellapi.h>

#include <cwchar>
#include <string_view>

#include "platform/win32/wide_text.h"

namespace kz {

CriticalErrorsSuppressed::CriticalErrorsSuppressed() {
  DWORD quiet = GetThreadErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
  restore_ = SetThreadErrorMode(quiet, &previous_) != FALSE;
}

CriticalErrorsSuppressed::~CriticalErrorsSuppressed() {
  if (restore_) SetThreadErrorMode(previous_, nullptr);
}

ItemLook ShellLook(const std::wstring& path) {
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info),
                      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME)) {
    return {};
  }
  return {Narrow(std::wstring_view(info.szDisplayName, wcsnlen(info.szDisplayName, MAX_PATH))),
          info.iIcon};
}

std::wstring DriveRoot(char letter) {
  return {static_cast<wchar_t>(letter), L':', L'\\'};
}

std::uint32_t WinDrives::LogicalDrives() {
  return GetLogicalDrives() & 0x03FFFFFFu;
}

bool WinDrives::IsReady(char letter) {
  CriticalErrorsSuppressed quiet;
  std::wstring root = DriveRoot(letter);
  if (GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) {
    return true;
  }
  // Only a missing medium counts; any other failure shows up as a folder that cannot be listed.
  DWORD error = GetLastError();
  return error != ERROR_NOT_READY && error != ERROR_NO_MEDIA_IN_DRIVE;
}

ItemLook WinDrives::DriveLook(char letter) {
  CriticalErrorsSuppressed quiet;
  return ShellLook(DriveRoot(letter));
}

}  // namespace kz
