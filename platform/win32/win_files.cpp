#include <cstdint>
#include <optional>

#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"

namespace kz {
namespace {

std::wstring PathText(std::string_view path) {
  return Widen(path);
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
  // another exactly when the other's identity is a prefix of its own. The first call asks for
  // the length (terminator included), so no fixed buffer can be too short.
  DWORD needed = GetFinalPathNameByHandleW(folder.get(), nullptr, 0, FILE_NAME_NORMALIZED);
  if (needed == 0) return std::nullopt;
  std::wstring finalPath(needed, L'\0');
  DWORD length =
      GetFinalPathNameByHandleW(folder.get(), finalPath.data(), needed, FILE_NAME_NORMALIZED);
  if (length == 0 || length >= needed) return std::nullopt;
  finalPath.resize(length);
  if (finalPath.back() != L'\\') finalPath += L'\\';
  return Narrow(finalPath);
}

std::int64_t WinFileSystem::FileSize(std::string_view path) {
  std::wstring wide = PathText(path);
  if (wide.size() >= kPathLimit) return -1;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<std::int64_t> WinFileSystem::CreationTime(std::string_view path) {
  std::wstring wide = PathText(path);
  // FindFirstFileW takes wildcards, which no file name on Windows contains: such a path would
  // find some other file.
  if (wide.size() >= kPathLimit || wide.find_first_of(L"*?") != std::wstring::npos) {
    return std::nullopt;
  }
  WIN32_FIND_DATAW data{};
  UniqueFind find(FindFirstFileW(wide.c_str(), &data));
  if (!find) return std::nullopt;
  // FILETIME counts 100 ns units since 1601-01-01 UTC; no conversion to local time.
  std::uint64_t units = (static_cast<std::uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) |
                        data.ftCreationTime.dwLowDateTime;
  constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
  return static_cast<std::int64_t>(units / 10000000u) - kSecondsFrom1601To1970;
}

namespace {

ObjectId IdOf(const BY_HANDLE_FILE_INFORMATION& information) {
  return ObjectId{
      information.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::int64_t LastWriteOf(const BY_HANDLE_FILE_INFORMATION& information) {
  return static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(information.ftLastWriteTime.dwHighDateTime) << 32) |
      information.ftLastWriteTime.dwLowDateTime);
}

// The path the handle really stands for, every link resolved.
std::optional<std::wstring> FinalPath(HANDLE handle) {
  DWORD needed = GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED);
  if (needed == 0) return std::nullopt;
  std::wstring path(needed, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle, path.data(), needed, FILE_NAME_NORMALIZED);
  if (length == 0 || length >= needed) return std::nullopt;
  path.resize(length);
  return path;
}

// Opens the entry itself for deletion. Wine follows a Unix symlink all the same, and deleting
// through such a handle removes the link's target, so the caller also compares final paths.
UniqueFile OpenForDeletion(const std::wstring& path) {
  return UniqueFile(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

bool IsRecordedFile(HANDLE folder, HANDLE file, std::wstring_view name,
                    const FileIdentity& expected) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file, &information)) return false;
  constexpr DWORD kNotAPlainFile =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY;
  if (information.dwFileAttributes & kNotAPlainFile) return false;
  if (IdOf(information) != expected.file || LastWriteOf(information) != expected.lastWrite) {
    return false;
  }
  // The handle must be the entry itself in the checked folder: not a link's target, not a
  // name that Windows path rules or letter case turned into another one.
  std::optional<std::wstring> folderPath = FinalPath(folder);
  std::optional<std::wstring> filePath = FinalPath(file);
  if (!folderPath || !filePath) return false;
  std::wstring expectedPath = *folderPath;
  if (expectedPath.empty() || expectedPath.back() != L'\\') expectedPath += L'\\';
  expectedPath.append(name);
  return *filePath == expectedPath;
}

// After the delete: the name no longer leads to the recorded file. Wine reports success for a
// delete that the file system refused (a folder without write permission, an immutable file).
bool IsGone(const std::wstring& path, const FileIdentity& expected) {
  UniqueFile again(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!again) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  return GetFileInformationByHandle(again.get(), &information) &&
         IdOf(information) != expected.file;
}

}  // namespace

bool WinFileSystem::RemoveFile(std::string_view directory, std::string_view name,
                               const FileIdentity& expected) {
  std::wstring wideName = Widen(name);
  if (wideName.empty() || wideName.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) {
    return false;
  }
  std::wstring folderPath = PathText(directory);
  if (folderPath.empty() || folderPath.back() != L'\\') folderPath += L'\\';
  std::wstring path = folderPath + wideName;
  if (path.size() >= kPathLimit) return false;

  UniqueFile folder(CreateFileW(folderPath.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder) return false;
  BY_HANDLE_FILE_INFORMATION folderInformation{};
  if (!GetFileInformationByHandle(folder.get(), &folderInformation) ||
      IdOf(folderInformation) != expected.folder) {
    return false;
  }
  {
    UniqueFile file = OpenForDeletion(path);
    if (!file || !IsRecordedFile(folder.get(), file.get(), wideName, expected)) {
      return false;
    }
    // Marked on the very handle that was checked; the file goes when the handle is closed.
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (!SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                    sizeof(disposition))) {
      return false;
    }
  }
  return IsGone(path, expected);
}

}  // namespace kz
