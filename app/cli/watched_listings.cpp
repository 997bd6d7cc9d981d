#include "app/cli/watched_listings.h"

#include "app/cli/glob.h"

namespace kz::cli {

bool WatchedListings::OpenListing(std::int32_t depth, std::string_view directory,
                                  std::string_view pattern) {
  if (!inner_.OpenListing(depth, directory, pattern)) {
    CountFailed(directory);
    return false;
  }
  if (depth >= 0) {
    if (static_cast<std::size_t>(depth) >= directories_.size()) directories_.resize(depth + 1);
    directories_[static_cast<std::size_t>(depth)].assign(directory);
  }
  return true;
}

bool WatchedListings::NextEntry(std::int32_t depth) {
  while (inner_.NextEntry(depth)) {
    if (!IsExcluded(inner_.EntryName(depth))) return true;
  }
  if (inner_.ListingFailed(depth) && depth >= 0 &&
      static_cast<std::size_t>(depth) < directories_.size()) {
    CountFailed(directories_[static_cast<std::size_t>(depth)]);
  }
  return false;
}

void WatchedListings::CountFailed(std::string_view directory) {
  ++failedCount_;
  if (failedPaths_.size() < kPathsKept) failedPaths_.emplace_back(directory);
}

bool WatchedListings::IsExcluded(std::string_view name) const {
  if (name == "." || name == "..") return false;
  for (const std::string& pattern : excluded_) {
    if (GlobMatches(pattern, name)) return true;
  }
  return false;
}

}  // namespace kz::cli
