#include <cstdint>

#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"

namespace kz {
namespace {

// Owning handles, each closed by the value that marks its failure.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  HANDLE release() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }

 private:
  HANDLE handle_;
};

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) FindClose(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

std::wstring PathText(std::string_view path) {
  return Widen(path);
}

}  // namespace

std::optional<std::string> WinFileSystem::FolderIdentity(std::string_view directory) {
  FileHandle folder(CreateFileW(PathText(directory).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder.valid()) return std::nullopt;
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
  FindHandle find(FindFirstFileW(wide.c_str(), &data));
  if (!find.valid()) return std::nullopt;
  // FILETIME counts 100 ns units since 1601-01-01 UTC; no conversion to local time.
  std::uint64_t units = (static_cast<std::uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) |
                        data.ftCreationTime.dwLowDateTime;
  constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
  return static_cast<std::int64_t>(units / 10000000u) - kSecondsFrom1601To1970;
}

bool WinFileSystem::RemoveFile(std::string_view path) {
  return DeleteFileW(PathText(path).c_str()) != 0;
}

}  // namespace kz
