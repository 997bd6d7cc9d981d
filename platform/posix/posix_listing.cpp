#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/posix_file_system.h"

namespace kz {

void PosixFileSystem::Listing::Close() {
  handle.reset();
}

PosixFileSystem::Listing* PosixFileSystem::At(std::int32_t depth) {
  if (depth < 0 || static_cast<std::size_t>(depth) >= listings_.size()) return nullptr;
  return &listings_[static_cast<std::size_t>(depth)];
}

bool PosixFileSystem::OpenListing(std::int32_t depth, std::string_view directory,
                                  std::string_view pattern) {
  (void)pattern;  // "*.*" matches every name; a POSIX listing has no pattern of its own
  if (depth < 0) return false;
  if (static_cast<std::size_t>(depth) >= listings_.size()) listings_.resize(depth + 1);
  Listing& listing = listings_[static_cast<std::size_t>(depth)];
  listing.Close();
  listing.failed = false;
  listing.directory.assign(directory);
  if (listing.directory.empty() || listing.directory.back() != '/') listing.directory += '/';
  listing.handle.reset(opendir(listing.directory.c_str()));
  if (!listing.handle) return false;
  struct stat opened {};
  if (fstat(dirfd(listing.handle.get()), &opened) != 0) {
    listing.Close();
    return false;
  }
  listing.folder = ObjectId{static_cast<std::uint64_t>(opened.st_dev),
                            static_cast<std::uint64_t>(opened.st_ino)};
  return true;
}

void PosixFileSystem::Classify(Listing& listing, const struct dirent& entry) {
  listing.name = entry.d_name;
  listing.statDone = false;
  listing.isLink = entry.d_type == DT_LNK;
  switch (entry.d_type) {
    case DT_DIR:
      listing.isDirectory = true;
      return;
    case DT_REG:
      listing.isDirectory = false;
      return;
    default:
      break;
  }
  // A link, or a file system that does not report types: ask for what the name leads to, as a
  // Windows listing reports the directory attribute of a link to a folder. Asking relative to
  // the open directory spares the walk along the whole path.
  int folder = dirfd(listing.handle.get());
  const struct stat* target = EntryStat(listing);
  listing.isDirectory = target && S_ISDIR(target->st_mode);
  if (entry.d_type == DT_UNKNOWN) {
    struct stat own {};
    listing.isLink =
        fstatat(folder, entry.d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode);
  }
}

bool PosixFileSystem::NextEntry(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->handle) return false;
  errno = 0;
  struct dirent* entry = readdir(listing->handle.get());
  if (!entry) {
    // readdir gives null both at the end and on an error (EIO, a folder removed from under an
    // NFS listing ...); only errno tells them apart.
    listing->failed = errno != 0;
    listing->Close();  // released as soon as it has delivered its last entry
    return false;
  }
  Classify(*listing, *entry);
  return true;
}

bool PosixFileSystem::ListingFailed(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && listing->failed;
}

std::string_view PosixFileSystem::EntryName(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing ? std::string_view(listing->name) : std::string_view();
}

std::int32_t PosixFileSystem::EntryKind(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && listing->isDirectory ? 2 : 1;
}

bool PosixFileSystem::EntryIsLink(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && listing->isLink;
}

// What the entry's name leads to (links followed), asked once per entry and relative to the open
// directory, which spares the walk along the whole path.
const struct stat* PosixFileSystem::EntryStat(Listing& listing) {
  if (!listing.statDone) {
    listing.statDone = true;
    listing.statOk =
        fstatat(dirfd(listing.handle.get()), listing.name.c_str(), &listing.target, 0) == 0;
  }
  return listing.statOk ? &listing.target : nullptr;
}

std::int64_t PosixFileSystem::EntrySize(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->handle) return -1;
  // The same value FileSize gives for the entry's path.
  const struct stat* info = EntryStat(*listing);
  if (!info) return -1;
  return S_ISDIR(info->st_mode) ? -2 : static_cast<std::int64_t>(info->st_size);
}

std::optional<FileIdentity> PosixFileSystem::EntryIdentity(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->handle) return std::nullopt;
  const struct stat* info = EntryStat(*listing);
  if (!info) return std::nullopt;
  FileIdentity identity;
  identity.file =
      ObjectId{static_cast<std::uint64_t>(info->st_dev), static_cast<std::uint64_t>(info->st_ino)};
  identity.folder = listing->folder;
  identity.lastWrite =
      static_cast<std::int64_t>(info->st_mtim.tv_sec) * 1000000000 + info->st_mtim.tv_nsec;
  identity.throughLink = listing->isLink;
  return identity;
}

std::optional<ObjectId> PosixFileSystem::ListingFolder(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->handle) return std::nullopt;
  return listing->folder;
}

void PosixFileSystem::CloseListing(std::int32_t depth) {
  if (Listing* listing = At(depth)) listing->Close();
}

bool PosixFileSystem::ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::string path(directory);
  if (path.empty() || path.back() != '/') path += '/';
  UniqueDirectory handle(opendir(path.c_str()));
  if (!handle) return false;
  while (true) {
    errno = 0;  // stat below may set it; readdir sets it only on an error
    struct dirent* entry = readdir(handle.get());
    if (!entry) break;
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isDirectory = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat target {};
      isDirectory = stat((path + entry->d_name).c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    }
    entries.push_back(FolderEntry{std::string(name), isDirectory});
  }
  // An error before the end leaves a folder that cannot be listed, not one with fewer entries.
  if (errno != 0) {
    entries.clear();
    return false;
  }
  return true;
}

bool PosixFileSystem::HasSubfolder(std::string_view directory) {
  std::string path(directory);
  if (path.empty() || path.back() != '/') path += '/';
  UniqueDirectory handle(opendir(path.c_str()));
  if (!handle) return false;
  bool found = false;
  while (!found) {
    struct dirent* entry = readdir(handle.get());
    if (!entry) break;
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    found = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat target {};
      found = stat((path + entry->d_name).c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    }
  }
  // A listing broken off by an error before a subfolder came answers false, as a folder that
  // cannot be listed does.
  return found;
}

}  // namespace kz
