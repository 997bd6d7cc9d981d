#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_handles.h"

namespace kz {
namespace {

class PosixFolderListing final : public FolderListing {
 public:
  // Null when the folder cannot be opened.
  static std::unique_ptr<PosixFolderListing> Open(std::string directory) {
    if (directory.empty() || directory.back() != '/') directory += '/';
    UniqueDirectory handle(opendir(directory.c_str()));
    struct stat opened {};
    if (!handle || fstat(dirfd(handle.get()), &opened) != 0) return nullptr;
    return std::make_unique<PosixFolderListing>(
        std::move(handle), std::move(directory),
        ObjectId{static_cast<std::uint64_t>(opened.st_dev),
                 static_cast<std::uint64_t>(opened.st_ino)});
  }

  PosixFolderListing(UniqueDirectory handle, std::string directory, ObjectId folder)
      : handle_(std::move(handle)), directory_(std::move(directory)), folder_(folder) {}

  const ListedEntry* Next() override {
    if (!handle_) return nullptr;
    errno = 0;
    struct dirent* entry = readdir(handle_.get());
    if (!entry) {
      // readdir gives null both at the end and on an error (EIO, a folder removed from under an
      // NFS listing ...); only errno tells them apart.
      failed_ = errno != 0;
      handle_.reset();  // released as soon as it has delivered its last entry
      return nullptr;
    }
    Classify(*entry);
    return &entry_;
  }
  bool Failed() const override { return failed_; }
  const std::string& Directory() const override { return directory_; }
  const ObjectId& Folder() const override { return folder_; }

  EntryFacts Facts() override {
    const struct stat* info = handle_ ? EntryStat() : nullptr;
    if (!info) return {};
    // The same value FileSize gives for the entry's path.
    EntryFacts facts;
    facts.size = S_ISDIR(info->st_mode) ? -2 : static_cast<std::int64_t>(info->st_size);
    FileIdentity& identity = facts.identity.emplace();
    identity.file = ObjectId{static_cast<std::uint64_t>(info->st_dev),
                             static_cast<std::uint64_t>(info->st_ino)};
    identity.folder = folder_;
    identity.lastWrite =
        static_cast<std::int64_t>(info->st_mtim.tv_sec) * 1000000000 + info->st_mtim.tv_nsec;
    identity.throughLink = entry_.isLink;
    return facts;
  }

  std::unique_ptr<FolderListing> OpenEntry() override {
    if (!handle_ || !entry_.isDirectory) return nullptr;
    return Open(directory_ + entry_.name);
  }

 private:
  void Classify(const struct dirent& entry) {
    entry_.name = entry.d_name;
    statDone_ = false;
    entry_.isLink = entry.d_type == DT_LNK;
    entry_.isDirectory = entry.d_type == DT_DIR;
    if (entry.d_type == DT_DIR || entry.d_type == DT_REG) return;
    // A link, or a file system that does not report types: ask for what the name leads to, as a
    // Windows listing reports the directory attribute of a link to a folder.
    const struct stat* target = EntryStat();
    entry_.isDirectory = target && S_ISDIR(target->st_mode);
    if (entry.d_type == DT_UNKNOWN) {
      struct stat own {};
      entry_.isLink = fstatat(dirfd(handle_.get()), entry.d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 &&
                      S_ISLNK(own.st_mode);
    }
  }

  // What the entry's name leads to (links followed), asked once per entry and relative to the
  // open folder, which spares the walk along the whole path.
  const struct stat* EntryStat() {
    if (!statDone_) {
      statDone_ = true;
      statOk_ = fstatat(dirfd(handle_.get()), entry_.name.c_str(), &target_, 0) == 0;
    }
    return statOk_ ? &target_ : nullptr;
  }

  UniqueDirectory handle_;
  std::string directory_;  // ending in '/'
  ObjectId folder_;        // what opendir actually opened
  ListedEntry entry_;
  bool statDone_ = false;  // target_ holds the entry's stat
  bool statOk_ = false;
  struct stat target_ {};
  bool failed_ = false;  // readdir ended with an error, not at the end of the entries
};

bool IsDotEntry(std::string_view name) {
  return name == "." || name == "..";
}

}  // namespace

std::unique_ptr<FolderListing> PosixFileSystem::OpenSearch(std::string_view directory) {
  return PosixFolderListing::Open(std::string(directory));
}

bool PosixFileSystem::ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::unique_ptr<PosixFolderListing> listing = PosixFolderListing::Open(std::string(directory));
  if (!listing) return false;
  while (const ListedEntry* entry = listing->Next()) {
    if (!IsDotEntry(entry->name)) entries.push_back(FolderEntry{entry->name, entry->isDirectory});
  }
  // An error before the end leaves a folder that cannot be listed, not one with fewer entries.
  if (listing->Failed()) entries.clear();
  return !listing->Failed();
}

// A listing broken off by an error before a subfolder came answers false, as a folder that
// cannot be listed does.
bool PosixFileSystem::HasSubfolder(std::string_view directory) {
  std::unique_ptr<PosixFolderListing> listing = PosixFolderListing::Open(std::string(directory));
  while (const ListedEntry* entry = listing ? listing->Next() : nullptr) {
    if (entry->isDirectory && !IsDotEntry(entry->name)) return true;
  }
  return false;
}

}  // namespace kz
