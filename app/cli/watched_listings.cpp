#include "app/cli/watched_listings.h"

#include "app/cli/glob.h"

namespace kz::cli {

class WatchedListings::Listing final : public ForwardingListing {
 public:
  Listing(std::unique_ptr<FolderListing> inner, WatchedListings& owner)
      : ForwardingListing(std::move(inner)), owner_(owner) {}

  const ListedEntry* Next() override {
    while ((current_ = inner_->Next())) {
      if (!owner_.IsExcluded(current_->name)) return current_;
    }
    if (inner_->Failed() && !reported_) owner_.CountFailed(Directory());
    reported_ = inner_->Failed();
    return nullptr;
  }
  std::unique_ptr<FolderListing> OpenEntry() override {
    if (!current_) return nullptr;
    return owner_.Watched(inner_->OpenEntry(), Directory() + current_->name + owner_.Separator());
  }

 private:
  WatchedListings& owner_;
  const ListedEntry* current_ = nullptr;
  bool reported_ = false;
};

std::unique_ptr<FolderListing> WatchedListings::OpenSearch(std::string_view directory) {
  return Watched(inner_.OpenSearch(directory), directory);
}

std::unique_ptr<FolderListing> WatchedListings::Watched(std::unique_ptr<FolderListing> listing,
                                                        std::string_view directory) {
  if (!listing) {
    CountFailed(directory);
    return nullptr;
  }
  return std::make_unique<Listing>(std::move(listing), *this);
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
