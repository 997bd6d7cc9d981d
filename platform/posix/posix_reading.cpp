#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_handles.h"
#include "platform/posix/posix_read_only_file.h"

namespace kz {
namespace {

class PosixReadOnlyFile final : public ReadOnlyFile {
 public:
  PosixReadOnlyFile(UniqueDescriptor descriptor, std::uint64_t size)
      : descriptor_(std::move(descriptor)), size_(size) {}

  std::uint64_t size() const override { return size_; }

  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
    while (!into.empty()) {
      ssize_t got = pread(descriptor_.get(), into.data(), into.size(), static_cast<off_t>(offset));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;  // an error, or the end came early: the file shrank
      into = into.subspan(static_cast<std::size_t>(got));
      offset += static_cast<std::uint64_t>(got);
    }
    return true;
  }

  std::uint64_t DataFrom(std::uint64_t offset) override {
    if (offset >= size_) return size_;
    off_t data = lseek(descriptor_.get(), static_cast<off_t>(offset), SEEK_DATA);
    if (data >= 0) return static_cast<std::uint64_t>(data) < size_ ? data : size_;
    // No data after the offset; any other error means the file system cannot tell.
    return errno == ENXIO ? size_ : offset;
  }

 private:
  UniqueDescriptor descriptor_;
  std::uint64_t size_;
};

}  // namespace

std::unique_ptr<ReadOnlyFile> ReadOnlyFileOf(UniqueDescriptor descriptor, std::uint64_t size) {
  // A file read in a few reads gains nothing from the hint, which costs a system call: on a
  // tree of small files as much as the read itself.
  constexpr std::uint64_t kHintedSize = std::uint64_t{1} << 20;
  if (size > kHintedSize) posix_fadvise(descriptor.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  return std::make_unique<PosixReadOnlyFile>(std::move(descriptor), size);
}

std::unique_ptr<ReadOnlyFile> PosixFileSystem::OpenReadOnly(std::string_view path) {
  std::string text(path);
  // Opening a device can act on it, so only what looks like a regular file is opened, and
  // without waiting: a FIFO would block the open until a writer came.
  struct stat info {};
  if (stat(text.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
  UniqueDescriptor descriptor(open(text.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!descriptor) return nullptr;
  // The path may have been replaced between the two looks; the open file is what counts. An
  // empty file fails, as mapping it fails on Windows.
  if (fstat(descriptor.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
    return nullptr;
  }
  return ReadOnlyFileOf(std::move(descriptor), static_cast<std::uint64_t>(info.st_size));
}

}  // namespace kz
