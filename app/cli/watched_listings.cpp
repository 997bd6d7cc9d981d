#include "app/cli/watched_listings.h"

#include "app/cli/glob.h"

namespace kz::cli {

bool WatchedListings::OpenListing(std::int32_t depth, std::string_view directory,
                                  std::string_view pattern) {
  if (inner_.OpenListing(depth, directory, pattern)) return true;
  ++failedCount_;
  if (failedPaths_.size() < kPathsKept) failedPaths_.emplace_back(directory);
  return false;
}

bool WatchedListings::NextEntry(std::int32_t depth) {
  while (inner_.NextEntry(depth)) {
    if (!IsExcluded(inner_.EntryName(depth))) return true;
  }
  return false;
}

bool WatchedListings::IsExcluded(std::string_view name) const {
  if (name == "." || name == "..") return false;
  for (const std::string& pattern : excluded_) {
    if (GlobMatches(pattern, name)) return true;
  }
  return false;
}

}  // namespace kz::cli
