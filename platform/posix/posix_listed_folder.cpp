#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_handles.h"
#include "platform/posix/posix_read_only_file.h"

namespace kz {
namespace {

ObjectId IdOf(const struct stat& info) {
  return ObjectId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::int64_t LastWriteOf(const struct stat& info) {
  return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

bool IsEntryName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

bool IsRecorded(const struct stat& info, const FileIdentity& expected) {
  return S_ISREG(info.st_mode) && IdOf(info) == expected.file &&
         LastWriteOf(info) == expected.lastWrite;
}

// Every act works on this one open folder, so no link or rename along the path can send it
// elsewhere once the folder has been checked.
class PosixListedFolder final : public ListedFolder {
 public:
  explicit PosixListedFolder(UniqueDescriptor folder) : folder_(std::move(folder)) {}

  bool RemoveFile(std::string_view name, const FileIdentity& expected) override {
    std::string entry(name);
    if (!IsEntryName(entry)) return false;
    // The entry itself, not what it may lead to: a link is never deleted in place of a file,
    // and deleting it would not remove the song either.
    struct stat info {};
    if (fstatat(folder_.get(), entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !IsRecorded(info, expected)) {
      return false;
    }
    // Windows refuses to delete a read-only file; keep that protection here.
    if (!(info.st_mode & S_IWUSR)) return false;
    if (unlinkat(folder_.get(), entry.c_str(), 0) != 0) return false;
    struct stat after {};
    return fstatat(folder_.get(), entry.c_str(), &after, AT_SYMLINK_NOFOLLOW) != 0 ||
           IdOf(after) != expected.file;
  }

  // No Recycle Bin on this side: nothing is moved, and the file stays as it is.
  bool RecycleFile(std::string_view, const FileIdentity&) override { return false; }

  std::unique_ptr<ReadOnlyFile> OpenFile(std::string_view name,
                                         const FileIdentity& expected) override {
    std::string entry(name);
    if (!IsEntryName(entry)) return nullptr;
    // O_NOFOLLOW refuses a link; O_NONBLOCK keeps a FIFO put in the file's place from blocking
    // the open, and the check of the open file refuses it.
    UniqueDescriptor file(
        openat(folder_.get(), entry.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file || fstat(file.get(), &info) != 0 || !IsRecorded(info, expected) ||
        info.st_size <= 0) {
      return nullptr;
    }
    return ReadOnlyFileOf(std::move(file), static_cast<std::uint64_t>(info.st_size));
  }

 private:
  UniqueDescriptor folder_;
};

}  // namespace

std::unique_ptr<ListedFolder> PosixFileSystem::OpenListedFolder(std::string_view directory,
                                                                const ObjectId& expected) {
  UniqueDescriptor folder(open(std::string(directory).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  struct stat info {};
  if (!folder || fstat(folder.get(), &info) != 0 || IdOf(info) != expected) return nullptr;
  return std::make_unique<PosixListedFolder>(std::move(folder));
}

}  // namespace kz
