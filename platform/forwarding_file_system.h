#pragma once

#include "platform/file_system.h"

namespace kz {

// Passes every call to another file system, so that a wrapper can step in at the calls it cares
// about (the command line's excluded names and failed listings; a test deleting a file when a
// listing ends) and leave the rest to the real thing.
class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  char Separator() const override { return inner_.Separator(); }
  bool OpenListing(std::int32_t depth, std::string_view directory,
                   std::string_view pattern) override {
    return inner_.OpenListing(depth, directory, pattern);
  }
  bool NextEntry(std::int32_t depth) override { return inner_.NextEntry(depth); }
  bool ListingFailed(std::int32_t depth) override { return inner_.ListingFailed(depth); }
  std::string_view EntryName(std::int32_t depth) override { return inner_.EntryName(depth); }
  std::int32_t EntryKind(std::int32_t depth) override { return inner_.EntryKind(depth); }
  bool EntryIsLink(std::int32_t depth) override { return inner_.EntryIsLink(depth); }
  std::int64_t EntrySize(std::int32_t depth) override { return inner_.EntrySize(depth); }
  std::optional<FileIdentity> EntryIdentity(std::int32_t depth) override {
    return inner_.EntryIdentity(depth);
  }
  std::optional<ObjectId> ListingFolder(std::int32_t depth) override {
    return inner_.ListingFolder(depth);
  }
  void CloseListing(std::int32_t depth) override { inner_.CloseListing(depth); }
  std::optional<std::string> FolderIdentity(std::string_view directory) override {
    return inner_.FolderIdentity(directory);
  }
  std::int64_t FileSize(std::string_view path) override { return inner_.FileSize(path); }
  std::optional<std::int64_t> CreationTime(std::string_view path) override {
    return inner_.CreationTime(path);
  }
  std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view path) override {
    return inner_.OpenReadOnly(path);
  }
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view directory,
                                                 const ObjectId& expected) override {
    return inner_.OpenListedFolder(directory, expected);
  }
  bool ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) override {
    return inner_.ListFolder(directory, entries);
  }
  bool HasSubfolder(std::string_view directory) override { return inner_.HasSubfolder(directory); }
  std::string ServicePath(std::string_view path) override { return inner_.ServicePath(path); }
  void FileSizes(std::string_view directory, std::span<const std::string_view> names,
                 std::span<std::int64_t> sizes) override {
    inner_.FileSizes(directory, names, sizes);
  }
  void FileSizesOfFolders(std::span<const FolderFiles> folders) override {
    inner_.FileSizesOfFolders(folders);
  }

 protected:
  FileSystem& inner_;
};

}  // namespace kz
