#pragma once

#include <string>
#include <vector>

#include "platform/forwarding_file_system.h"

namespace kz::cli {

// The system's file system as the scan sees it from the command line: entries whose name
// matches one of the exclusion patterns are left out of every listing (so excluded folders are
// never entered and excluded files never collected), and the folders whose listing failed are
// counted, the first few by path: those that could not be opened and those whose listing broke
// off midway. The search itself stays unaware: to it a folder that cannot be listed simply
// contributes nothing, as in the window.
class WatchedListings final : public ForwardingFileSystem {
 public:
  static constexpr std::size_t kPathsKept = 5;

  WatchedListings(FileSystem& inner, std::vector<std::string> excluded)
      : ForwardingFileSystem(inner), excluded_(std::move(excluded)) {}

  std::size_t failedCount() const { return failedCount_; }
  // The first kPathsKept folders that could not be listed, in the order the scan met them.
  const std::vector<std::string>& failedPaths() const { return failedPaths_; }

  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override;

 private:
  class Listing;
  // The listing of `directory` watched, or null, counted as failed, where it did not open.
  std::unique_ptr<FolderListing> Watched(std::unique_ptr<FolderListing> listing,
                                         std::string_view directory);
  bool IsExcluded(std::string_view name) const;
  void CountFailed(std::string_view directory);

  std::vector<std::string> excluded_;
  std::size_t failedCount_ = 0;
  std::vector<std::string> failedPaths_;
};

}  // namespace kz::cli
