#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "platform/posix/posix_file_system.h"

namespace kz {

std::optional<std::string> PosixFileSystem::FolderIdentity(std::string_view directory) {
  // The canonical path, every link resolved, ending in '/': a folder lies inside another
  // exactly when the other's identity is a prefix of its own.
  char* resolved = realpath(std::string(directory).c_str(), nullptr);
  if (!resolved) return std::nullopt;
  std::string identity(resolved);
  std::free(resolved);
  struct stat info {};
  if (stat(identity.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  if (identity.back() != '/') identity += '/';
  return identity;
}

std::int64_t PosixFileSystem::FileSize(std::string_view path) {
  struct stat info {};
  if (stat(std::string(path).c_str(), &info) != 0) return -1;
  if (S_ISDIR(info.st_mode)) return -2;
  return static_cast<std::int64_t>(info.st_size);
}

std::optional<std::int64_t> PosixFileSystem::CreationTime(std::string_view path) {
  std::string text(path);
  struct statx info {};
  if (statx(AT_FDCWD, text.c_str(), 0, STATX_BTIME | STATX_MTIME, &info) != 0) return std::nullopt;
  // Not every file system records a birth time; the last change is then the nearest we have.
  if (info.stx_mask & STATX_BTIME) return static_cast<std::int64_t>(info.stx_btime.tv_sec);
  return static_cast<std::int64_t>(info.stx_mtime.tv_sec);
}

bool PosixFileSystem::RemoveFile(std::string_view path) {
  std::string text(path);
  struct stat info {};
  if (lstat(text.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  // Windows refuses to delete a read-only file; keep that protection here.
  if (!(info.st_mode & S_IWUSR) && !S_ISLNK(info.st_mode)) return false;
  return unlink(text.c_str()) == 0;
}

}  // namespace kz
