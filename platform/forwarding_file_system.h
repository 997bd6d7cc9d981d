#pragma once

#include <memory>
#include <utility>

#include "platform/file_system.h"

namespace kz {

// Passes every call to another listing. The listings of its subfolders go through Wrap, so that
// a wrapper that wraps them stays in place all the way down.
class ForwardingListing : public FolderListing {
 public:
  explicit ForwardingListing(std::unique_ptr<FolderListing> inner) : inner_(std::move(inner)) {}

  const ListedEntry* Next() override { return inner_->Next(); }
  bool Failed() const override { return inner_->Failed(); }
  const std::string& Directory() const override { return inner_->Directory(); }
  const ObjectId& Folder() const override { return inner_->Folder(); }
  EntryFacts Facts() override { return inner_->Facts(); }
  std::unique_ptr<FolderListing> OpenEntry() override {
    std::unique_ptr<FolderListing> subfolder = inner_->OpenEntry();
    return subfolder ? Wrap(std::move(subfolder)) : nullptr;
  }

 protected:
  virtual std::unique_ptr<FolderListing> Wrap(std::unique_ptr<FolderListing> subfolder) {
    return subfolder;
  }

  std::unique_ptr<FolderListing> inner_;
};

// `inner` wrapped in a `Listing` made of it and `args`; null stays null.
template <class Listing, class... Args>
std::unique_ptr<FolderListing> Wrapped(std::unique_ptr<FolderListing> inner, Args&&... args) {
  if (!inner) return nullptr;
  return std::make_unique<Listing>(std::move(inner), std::forward<Args>(args)...);
}

// Passes every call to another file system, so that a wrapper can step in at the calls it cares
// about (the command line's excluded names and failed listings; a test deleting a file when a
// listing ends) and leave the rest to the real thing.
class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  char Separator() const override { return inner_.Separator(); }
  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override {
    return inner_.OpenSearch(directory);
  }
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
