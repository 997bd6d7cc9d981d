#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include <winternl.h>

#include "common/windows_path_rules.h"
#include "platform/win32/file_ids.h"
#include "platform/win32/final_path.h"
#include "platform/win32/folder_path.h"
#include "platform/win32/reparse_points.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"

namespace kz {
namespace {

// Entries are opened by the extended form of their path, so that each is the entry the listing
// named: Win32 path rules would open "con.mp3" as the console and "d." as "d".
std::wstring PathText(std::string_view path) {
  return ExtendedPath(Widen(path));
}

// The limit applies to the path as the user sees it, without the extended form's prefix.
bool OverLimit(std::string_view path) {
  return Widen(path).size() >= WinFileSystem::kPathLimit;
}

UniqueFile OpenForAttributes(const std::wstring& path, DWORD flags) {
  return UniqueFile(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
}

// A symbolic link or junction gives GetFileAttributesExW its own facts, where the POSIX side's
// stat follows it: FileSize of such a path is its target's, -1 when it leads nowhere. Nothing
// for a path that is no such link (or whose tag cannot be read): its own facts stand.
std::optional<std::int64_t> SizeOfTarget(const std::wstring& path) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  UniqueFile link = OpenForAttributes(path, FILE_FLAG_OPEN_REPARSE_POINT);
  if (!link || !GetFileInformationByHandleEx(link.get(), FileAttributeTagInfo, &tag, sizeof tag) ||
      !LeadsElsewhere(tag.FileAttributes, tag.ReparseTag)) {
    return std::nullopt;
  }
  FILE_STANDARD_INFO target{};
  UniqueFile followed = OpenForAttributes(path, 0);
  if (!followed ||
      !GetFileInformationByHandleEx(followed.get(), FileStandardInfo, &target, sizeof target)) {
    return -1;
  }
  return target.Directory ? -2 : target.EndOfFile.QuadPart;
}

}  // namespace

std::optional<std::string> WinFileSystem::FolderIdentity(std::string_view directory) {
  UniqueFile folder(CreateFileW(PathText(directory).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(folder.get(), &information) ||
      !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  // The final path, every link and junction resolved, ending in '\': a folder lies inside
  // another exactly when the other's identity is a prefix of its own.
  std::optional<std::wstring> finalPath = FinalPath(folder.get());
  if (!finalPath) return std::nullopt;
  return Narrow(WithBackslash(std::move(*finalPath)));
}

std::int64_t WinFileSystem::FileSize(std::string_view path) {
  if (OverLimit(path)) return -1;
  std::wstring wide = PathText(path);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    if (std::optional<std::int64_t> size = SizeOfTarget(wide)) return *size;
  }
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<std::int64_t> WinFileSystem::CreationTime(std::string_view path) {
  // FindFirstFileW takes wildcards, which no file name on Windows contains: such a path would
  // find some other file.
  if (OverLimit(path) || path.find_first_of("*?") != std::string_view::npos) return std::nullopt;
  std::wstring wide = PathText(path);
  WIN32_FIND_DATAW data{};
  UniqueFind find(FindFirstFileW(wide.c_str(), &data));
  if (!find) return std::nullopt;
  // FILETIME counts 100 ns units since 1601-01-01 UTC; no conversion to local time.
  std::uint64_t units = (static_cast<std::uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) |
                        data.ftCreationTime.dwLowDateTime;
  constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
  return static_cast<std::int64_t>(units / 10000000u) - kSecondsFrom1601To1970;
}

std::string WinFileSystem::ServicePath(std::string_view path) {
  // The media service takes the extended form under Wine (checked) but is not known to on every
  // Windows, so only a path that needs it gets it.
  std::wstring wide = Widen(path);
  return PathRulesRewrite(wide) ? Narrow(ExtendedPath(wide)) : std::string(path);
}

}  // namespace kz
