#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "platform/posix/posix_file_system.h"

namespace kz {
namespace {

class PosixMappedFile final : public MappedFile {
 public:
  PosixMappedFile(int descriptor, const void* address, std::size_t length, std::uint32_t sizeLow)
      : descriptor_(descriptor), address_(address), length_(length), sizeLow_(sizeLow) {}
  PosixMappedFile(const PosixMappedFile&) = delete;
  PosixMappedFile& operator=(const PosixMappedFile&) = delete;
  ~PosixMappedFile() override {
    munmap(const_cast<void*>(address_), length_);
    close(descriptor_);
  }
  std::span<const std::uint8_t> bytes() const override {
    return {static_cast<const std::uint8_t*>(address_), length_};
  }
  std::uint32_t sizeLow32() const override { return sizeLow_; }

 private:
  int descriptor_;
  const void* address_;
  std::size_t length_;
  std::uint32_t sizeLow_;
};

}  // namespace

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

std::unique_ptr<MappedFile> PosixFileSystem::MapReadOnly(std::string_view path) {
  int descriptor = open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat info {};
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
    close(descriptor);  // mapping an empty file fails, as it does on Windows
    return nullptr;
  }
  auto size = static_cast<std::uint64_t>(info.st_size);
  // A 32-bit process views at most the front of a file beyond its address space.
  std::size_t length = size > SIZE_MAX / 2 ? SIZE_MAX / 2 : static_cast<std::size_t>(size);
  void* address = mmap(nullptr, length, PROT_READ, MAP_SHARED, descriptor, 0);
  if (address == MAP_FAILED) {
    close(descriptor);
    return nullptr;
  }
  return std::make_unique<PosixMappedFile>(descriptor, address, length,
                                           static_cast<std::uint32_t>(size));
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
