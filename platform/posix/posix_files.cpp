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

}  // namespace kz
