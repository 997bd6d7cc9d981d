#include "recordings/folder_cache.h"

#include <algorithm>

namespace kz {

ListedFolder* FolderCache::Get(std::string_view directory, const ObjectId& expected) {
  auto found = std::find_if(open_.begin(), open_.end(), [&](const Open& open) {
    return open.directory == directory && open.expected == expected;
  });
  if (found == open_.end()) {
    if (open_.size() >= capacity_) open_.pop_back();
    open_.push_front(
        Open{std::string(directory), expected, files_.OpenListedFolder(directory, expected)});
  } else if (found != open_.begin()) {
    open_.splice(open_.begin(), open_, found);
  }
  return open_.front().folder.get();
}

}  // namespace kz
