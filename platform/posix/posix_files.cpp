#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_handles.h"

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

void PosixFileSystem::FileSizes(std::string_view directory, std::span<const std::string_view> names,
                                std::span<std::int64_t> sizes) {
  // O_PATH needs no read permission on the folder, only what stat by the whole path needs.
  UniqueDescriptor folder(open(std::string(directory).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  std::size_t count = std::min(names.size(), sizes.size());
  std::string name;
  for (std::size_t at = 0; at < count; ++at) {
    struct stat info {};
    name.assign(names[at]);
    if (!folder || fstatat(folder.get(), name.c_str(), &info, 0) != 0) {
      sizes[at] = -1;
    } else {
      sizes[at] = S_ISDIR(info.st_mode) ? -2 : static_cast<std::int64_t>(info.st_size);
    }
  }
}

std::optional<std::int64_t> PosixFileSystem::CreationTime(std::string_view path) {
  std::string text(path);
  struct statx info {};
  if (statx(AT_FDCWD, text.c_str(), 0, STATX_BTIME | STATX_MTIME, &info) != 0) return std::nullopt;
  // Not every file system records a birth time; the last change is then the nearest we have.
  if (info.stx_mask & STATX_BTIME) return static_cast<std::int64_t>(info.stx_btime.tv_sec);
  return static_cast<std::int64_t>(info.stx_mtime.tv_sec);
}

namespace {

ObjectId IdOf(const struct stat& info) {
  return ObjectId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::int64_t LastWriteOf(const struct stat& info) {
  return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

}  // namespace

bool PosixFileSystem::RemoveFile(std::string_view directory, std::string_view name,
                                 const FileIdentity& expected) {
  std::string entry(name);
  if (entry.empty() || entry.find('/') != std::string::npos || entry == "." || entry == "..") {
    return false;
  }
  // Everything below works on this one open folder, so no link or rename along the path can
  // send the delete elsewhere once the folder has been checked.
  UniqueDescriptor folder(open(std::string(directory).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder) return false;
  struct stat folderInfo {};
  if (fstat(folder.get(), &folderInfo) != 0 || IdOf(folderInfo) != expected.folder) return false;

  // The entry itself, not what it may lead to: a link is never deleted in place of a file, and
  // deleting it would not remove the song either.
  struct stat info {};
  if (fstatat(folder.get(), entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (!S_ISREG(info.st_mode) || IdOf(info) != expected.file ||
      LastWriteOf(info) != expected.lastWrite) {
    return false;
  }
  // Windows refuses to delete a read-only file; keep that protection here.
  if (!(info.st_mode & S_IWUSR)) return false;
  if (unlinkat(folder.get(), entry.c_str(), 0) != 0) return false;

  struct stat after {};
  return fstatat(folder.get(), entry.c_str(), &after, AT_SYMLINK_NOFOLLOW) != 0 ||
         IdOf(after) != expected.file;
}

}  // namespace kz
