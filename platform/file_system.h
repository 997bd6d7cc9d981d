#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_identity.h"
#include "platform/folder_listing.h"

namespace kz {

// A regular file open for reading at any offset. Reads copy into the caller's buffer, so a file
// that shrinks or whose medium goes away meanwhile gives a failed read, never a fault.
class ReadOnlyFile {
 public:
  virtual ~ReadOnlyFile() = default;
  // The size in bytes when the file was opened.
  virtual std::uint64_t size() const = 0;
  // Fills all of `into` with the bytes from `offset` on; false when they cannot all be read.
  virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;
  // The first offset at or after `offset` that does not lie in a hole of a sparse file (holes
  // hold only zero bytes): size() when only holes follow, `offset` itself when the platform
  // cannot tell.
  virtual std::uint64_t DataFrom(std::uint64_t offset) = 0;
};

struct FolderEntry {
  std::string name;
  bool isDirectory = false;
};

// Files of one folder whose sizes are asked for together.
struct FolderFiles {
  std::string_view directory;  // ends in the file system's separator
  std::span<const std::string_view> names;
  std::span<std::int64_t> sizes;  // one per name
};

// A folder that a search listed, opened and checked once for the acts on many of its files: the
// folder, the file and its last write must still be as the search recorded them, and each file
// is opened itself, never through a link. The open folder is what every file is judged against,
// so a folder replaced or renamed meanwhile cannot send an act elsewhere.
class ListedFolder {
 public:
  virtual ~ListedFolder() = default;
  // Deletes for good the file `name` of this folder, but only while it is still the file the
  // identity describes: the entry is no link, and file and last write match. The check and the
  // delete act on the same open file, and the delete counts only when afterwards the name no
  // longer leads to that file. True when it is gone.
  virtual bool RemoveFile(std::string_view name, const FileIdentity& expected) = 0;
  // Moves the file `name` of this folder to the Recycle Bin of its drive after the same checks,
  // never deleting it for good: where the bin cannot take it, it stays as it is. True when it
  // left the folder and the bin holds that same file.
  virtual bool RecycleFile(std::string_view name, const FileIdentity& expected) = 0;
  // Opens the file `name` of this folder for reading after the same checks: others may read but
  // not write it meanwhile. Null when it is no longer the file the identity describes, is empty,
  // or cannot be opened.
  virtual std::unique_ptr<ReadOnlyFile> OpenFile(std::string_view name,
                                                 const FileIdentity& expected) = 0;
};

// Everything the program asks of the file system. Paths are UTF-8; directory texts end in
// Separator().
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // '\\' on Windows, '/' on POSIX.
  virtual char Separator() const = 0;

  // Begins a search at `directory`: the listing of that folder, from which the listings of its
  // subfolders are opened. What holds for the whole search (under Wine the mount table and the
  // mounts inside the searched tree) is made here once and shared by them. Null when the folder
  // cannot be listed, and for a search path (directory, separator, "*.*") over the platform's
  // path limit.
  virtual std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) = 0;

  // Identity of the folder a path resolves to (links followed): equal for two paths that reach
  // the same folder. It is the canonical final path ending in Separator(), so a folder lies
  // inside another exactly when the other's identity is a prefix of its own. Empty when the
  // folder cannot be resolved.
  virtual std::optional<std::string> FolderIdentity(std::string_view directory) = 0;

  // Size in bytes of what the path leads to (links followed); -1 when nothing exists there; -2
  // for a directory.
  virtual std::int64_t FileSize(std::string_view path) = 0;
  // FileSize of each of `names` in `directory` (which ends in Separator()), into `sizes`. A file
  // system that can asks relative to the folder opened once, instead of walking the whole path
  // for every file.
  virtual void FileSizes(std::string_view directory, std::span<const std::string_view> names,
                         std::span<std::int64_t> sizes) {
    std::string path;
    for (std::size_t at = 0; at < names.size() && at < sizes.size(); ++at) {
      path.assign(directory).append(names[at]);
      sizes[at] = FileSize(path);
    }
  }
  // FileSizes of each folder's files. The answers do not depend on one another, so a file
  // system may ask for several folders at once, on threads of its own.
  virtual void FileSizesOfFolders(std::span<const FolderFiles> folders) {
    for (const FolderFiles& folder : folders) {
      FileSizes(folder.directory, folder.names, folder.sizes);
    }
  }

  // The file's creation time as whole seconds since 1970-01-01 UTC, or nothing when the file is
  // not found.
  virtual std::optional<std::int64_t> CreationTime(std::string_view path) = 0;

  // Opens a regular file for reading, so that others may read but not write it meanwhile. Null
  // when it cannot be opened, is empty, or is no regular file (a FIFO, socket or device, which
  // could block or never end).
  virtual std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view path) = 0;

  // Opens `directory` for the checked acts on its listed files, while it is still the folder
  // the search listed as `expected` (same volume and id): null when it vanished, was replaced or
  // is reached through a replaced link, or cannot be opened.
  virtual std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view directory,
                                                         const ObjectId& expected) = 0;
  // The checked delete of one listed file (ListedFolder::RemoveFile), its folder opened for it.
  bool RemoveFile(std::string_view directory, std::string_view name, const FileIdentity& expected) {
    std::unique_ptr<ListedFolder> folder = OpenListedFolder(directory, expected.folder);
    return folder && folder->RemoveFile(name, expected);
  }

  // The entries of a folder (all of them, "." and ".." left out). False, with no entries, when it
  // cannot be listed or its listing breaks off with an error.
  virtual bool ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) = 0;

  // The path by which another of the platform's services (the media service) reaches the file
  // at `path`: the path itself, or, where the platform's path rules would take it for something
  // else (a device name such as "con.mp3", a name ending in a dot or a blank), a form of it they
  // leave as it stands.
  virtual std::string ServicePath(std::string_view path) { return std::string(path); }

  // Whether the folder holds a subfolder ("." and ".." aside): the listing stops at the first,
  // so a folder of many files costs no more than its entries up to there. False when it cannot
  // be listed.
  virtual bool HasSubfolder(std::string_view directory) = 0;
};

}  // namespace kz
