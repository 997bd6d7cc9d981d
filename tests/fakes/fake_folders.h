#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kz::testing {

// A file system of folders held in memory, with Windows separators, that records every folder
// it was asked to list. Only ListFolder and HasSubfolder answer; everything else behaves as an
// empty disk.
class FakeFolders : public FileSystem {
 public:
  // Adds `directory` (ending in '\') with the given sub-folders and files.
  void AddFolder(const std::string& directory, const std::vector<std::string>& folders,
                 const std::vector<std::string>& files = {}) {
    std::vector<FolderEntry>& entries = listings[directory];
    for (const std::string& name : folders) entries.push_back(FolderEntry{name, true});
    for (const std::string& name : files) entries.push_back(FolderEntry{name, false});
  }

  char Separator() const override { return '\\'; }
  bool ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) override {
    listed.emplace_back(directory);
    entries.clear();
    auto found = listings.find(std::string(directory));
    if (found == listings.end()) return false;
    entries = found->second;
    return true;
  }
  // Reads the folder's entries in order up to its first subfolder, counting each one read.
  bool HasSubfolder(std::string_view directory) override {
    listed.emplace_back(directory);
    auto found = listings.find(std::string(directory));
    if (found == listings.end()) return false;
    for (const FolderEntry& entry : found->second) {
      ++entriesProbed;
      if (entry.isDirectory && entry.name != "." && entry.name != "..") return true;
    }
    return false;
  }

  std::unique_ptr<FolderListing> OpenSearch(std::string_view) override { return nullptr; }
  std::optional<std::string> FolderIdentity(std::string_view) override { return std::nullopt; }
  std::int64_t FileSize(std::string_view) override { return -1; }
  std::optional<std::int64_t> CreationTime(std::string_view) override { return std::nullopt; }
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view, const ObjectId&) override {
    return nullptr;
  }
  std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view) override { return nullptr; }

  std::map<std::string, std::vector<FolderEntry>> listings;  // folders missing here fail to list
  std::vector<std::string> listed;
  int entriesProbed = 0;  // entries read by HasSubfolder
};

}  // namespace kz::testing
