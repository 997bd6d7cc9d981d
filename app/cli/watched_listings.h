#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kz::cli {

// The system's file system as the scan sees it from the command line: entries whose name
// matches one of the exclusion patterns are left out of every listing (so excluded folders are
// never entered and excluded files never collected), and the folders whose listing failed are
// counted, the first few by path: those that could not be opened and those whose listing broke
// off midway. The search itself stays unaware: to it a folder that cannot be listed simply
// contributes nothing, as in the window.
class WatchedListings final : public FileSystem {
 public:
  static constexpr std::size_t kPathsKept = 5;

  WatchedListings(FileSystem& inner, std::vector<std::string> excluded)
      : inner_(inner), excluded_(std::move(excluded)) {}

  std::size_t failedCount() const { return failedCount_; }
  // The first kPathsKept folders that could not be listed, in the order the scan met them.
  const std::vector<std::string>& failedPaths() const { return failedPaths_; }

  bool OpenListing(std::int32_t depth, std::string_view directory,
                   std::string_view pattern) override;
  bool NextEntry(std::int32_t depth) override;
  bool ListingFailed(std::int32_t depth) override { return inner_.ListingFailed(depth); }

  char Separator() const override { return inner_.Separator(); }
  std::string_view EntryName(std::int32_t depth) override { return inner_.EntryName(depth); }
  std::int32_t EntryKind(std::int32_t depth) override { return inner_.EntryKind(depth); }
  bool EntryIsLink(std::int32_t depth) override { return inner_.EntryIsLink(depth); }
  std::int64_t EntrySize(std::int32_t depth) override { return inner_.EntrySize(depth); }
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
  std::optional<FileIdentity> EntryIdentity(std::int32_t depth) override {
    return inner_.EntryIdentity(depth);
  }
  std::optional<ObjectId> ListingFolder(std::int32_t depth) override {
    return inner_.ListingFolder(depth);
  }
  bool RemoveFile(std::string_view directory, std::string_view name,
                  const FileIdentity& expected) override {
    return inner_.RemoveFile(directory, name, expected);
  }
  bool ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) override {
    return inner_.ListFolder(directory, entries);
  }
  bool HasSubfolder(std::string_view directory) override { return inner_.HasSubfolder(directory); }

 private:
  bool IsExcluded(std::string_view name) const;
  void CountFailed(std::string_view directory);

  FileSystem& inner_;
  std::vector<std::string> excluded_;
  std::size_t failedCount_ = 0;
  std::vector<std::string> failedPaths_;
  std::vector<std::string> directories_;  // what each depth's listing opened, for the report
};

}  // namespace kz::cli
