#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include <winternl.h>

#include "platform/win32/extended_path.h"
#include "platform/win32/file_ids.h"
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
  if (OverLimit(path)) return -1;
  std::wstring wide = PathText(path);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
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

namespace {

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

// Where an id is known, the object must have it; where it is not (a file system without ids,
// a share that hands them out afresh), the path and the last write have to tell.
bool IdMatches(const std::optional<ObjectId>& actual, const ObjectId& expected) {
  if (!expected.known()) return true;
  return actual && *actual == expected;
}

bool IsRecordedFile(HANDLE folder, HANDLE file, std::wstring_view name,
                    const FileIdentity& expected, bool wideIds) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file, &information)) return false;
  constexpr DWORD kNotAPlainFile =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY;
  if (information.dwFileAttributes & kNotAPlainFile) return false;
  if (!IdMatches(IdOfHandle(file, expected.file.volume, wideIds), expected.file) ||
      LastWriteOf(information) != expected.lastWrite) {
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

// Gives the open file the name `name` in the open folder. The system call itself, because it
// takes the folder by its handle (kernelbase's wrapper wants a path, and Wine's reads a bare
// name as one below the current folder).
bool Rename(HANDLE folder, HANDLE file, std::wstring_view name) {
  std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(WCHAR));
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = FALSE;
  rename->RootDirectory = folder;
  rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(WCHAR));
  std::copy(name.begin(), name.end(), rename->FileName);
  constexpr auto kFileRenameInformation = static_cast<FILE_INFORMATION_CLASS>(10);
  IO_STATUS_BLOCK status{};
  return NtSetInformationFile(file, &status, rename, static_cast<ULONG>(buffer.size()),
                              kFileRenameInformation) >= 0;
}

// Moves the checked file out of its name within the checked folder, so that the name is free at
// once, as a delete with POSIX semantics would leave it. A move that the file system refuses
// (an immutable file, a folder without write permission) means the delete would fail too.
bool MoveOutOfName(HANDLE folder, HANDLE file) {
  static LONG moves = 0;
  // A short name of its own, so that a name near the length limit can move too.
  return Rename(folder, file,
                L".klangzwilling-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(InterlockedIncrement(&moves)) + L".deleted");
}

// Deletes the checked file through its own handle. Where the system can (Windows 10 1607 and
// later, NTFS), the name goes at once even while another program holds the file open with
// delete sharing (a search indexer, a virus scanner); elsewhere the file is first moved out of
// its name in the same folder, and goes when the last handle to it closes. Wine, which has
// neither POSIX semantics nor a pending state it reports, is one such place.
bool DeleteChecked(HANDLE folder, HANDLE file, std::wstring_view name) {
  struct {
    DWORD flags;
  } posix{0x1 | 0x2};  // FILE_DISPOSITION_FLAG_DELETE | FILE_DISPOSITION_FLAG_POSIX_SEMANTICS
  if (SetFileInformationByHandle(file, info_class::kDispositionEx, &posix, sizeof posix)) {
    return true;
  }
  DWORD error = GetLastError();
  if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED &&
      error != ERROR_INVALID_FUNCTION) {
    return false;
  }
  if (!MoveOutOfName(folder, file)) return false;
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  if (SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition))) {
    return true;
  }
  Rename(folder, file, name);  // back under its own name, as it was
  return false;
}

// After the delete: the name no longer leads to the recorded file. Wine reports success for a
// delete that the file system refused (a folder without write permission, an immutable file);
// such a file still opens afterwards.
bool IsGone(const std::wstring& path, const FileIdentity& expected, bool wideIds) {
  UniqueFile again(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!again) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  // Whatever opens now under the name is another file, or the same one still there. With no
  // id to tell, it counts as still there.
  if (!expected.file.known()) return false;
  std::optional<ObjectId> now = IdOfHandle(again.get(), expected.file.volume, wideIds);
  return now && *now != expected.file;
}

}  // namespace

std::string WinFileSystem::ServicePath(std::string_view path) {
  // The media service takes the extended form under Wine (checked) but is not known to on every
  // Windows, so only a path that needs it gets it.
  std::wstring wide = Widen(path);
  return PathRulesRewrite(wide) ? Narrow(ExtendedPath(wide)) : std::string(path);
}

bool WinFileSystem::RemoveFile(std::string_view directory, std::string_view name,
                               const FileIdentity& expected) {
  std::wstring wideName = Widen(name);
  if (wideName.empty() || wideName.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) {
    return false;
  }
  std::wstring folderPath = Widen(directory);
  if (folderPath.empty() || folderPath.back() != L'\\') folderPath += L'\\';
  if ((folderPath + wideName).size() >= kPathLimit) return false;
  std::wstring extendedFolder = ExtendedPath(folderPath);
  std::wstring path = extendedFolder + wideName;

  UniqueFile folder(CreateFileW(extendedFolder.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder) return false;
  // The folder's volume and ids are judged as the listing judged them.
  VolumeFacts facts = FactsOf(folder.get(), folderPath);
  if (facts.volume != expected.folder.volume ||
      !IdMatches(IdOfHandle(folder.get(), facts.volume, facts.wideIds), expected.folder)) {
    return false;
  }
  {
    UniqueFile file = OpenForDeletion(path);
    if (!file || !IsRecordedFile(folder.get(), file.get(), wideName, expected, facts.wideIds) ||
        !DeleteChecked(folder.get(), file.get(), wideName)) {
      return false;
    }
  }
  return IsGone(path, expected, facts.wideIds);
}

}  // namespace kz
