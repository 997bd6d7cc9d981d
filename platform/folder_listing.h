#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_identity.h"

namespace kz {

// One entry of a folder listing, "." and ".." included where the file system reports them.
struct ListedEntry {
  std::string name;
  bool isDirectory = false;  // it carries the directory attribute, as a link to a folder does
  bool isLink = false;       // a link (symlink, junction, mount point) to elsewhere
};

// What a listed entry is. Asked only of the entries a search keeps: on POSIX it costs a stat.
struct EntryFacts {
  // The size as the listing reported it (links followed), -1 when it reported none, -2 for a
  // folder. Where it is not -1 it is the value FileSystem::FileSize gives for the entry's path.
  std::int64_t size = -1;
  // What the entry is (links followed, as for its size), with the listed folder and the time of
  // its last write; nothing when the platform cannot tell.
  std::optional<FileIdentity> identity;
};

// The listing of one open folder, entry by entry. The folder is known by what was opened,
// whatever its path text says; it is released once the last entry has come, or with the object.
class FolderListing {
 public:
  virtual ~FolderListing() = default;

  // The next entry; null after the last one and when the listing broke off.
  virtual const ListedEntry* Next() = 0;
  // Once Next has given null: whether the listing broke off with an error rather than after its
  // last entry. What such a listing delivered is not the folder's content, so it is a folder
  // that cannot be listed, like one whose listing fails to open.
  virtual bool Failed() const = 0;
  // The folder's path as it was opened, ending in the file system's separator.
  virtual const std::string& Directory() const = 0;
  // The folder that was opened.
  virtual const ObjectId& Folder() const = 0;
  // The facts of the entry that Next gave last.
  virtual EntryFacts Facts() = 0;
  // Opens the listing of the entry that Next gave last, a folder. This listing hands down what
  // it knows of the volume (asked of the system again only where the entry leads elsewhere).
  // Null when the folder cannot be listed or its search path is over the platform's path limit.
  virtual std::unique_ptr<FolderListing> OpenEntry() = 0;
};

}  // namespace kz
