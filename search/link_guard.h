#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/file_system.h"

namespace kz {

// Decides which directory links a search enters, so that every folder is scanned at most once.
// A link found inside the searched folder would otherwise list the same file under two folders,
// where it shows as its own namesake and "deleting the copy" deletes the only file; a link to an
// ancestor would make the scan descend until the path limit.
//
// Folders are compared by their canonical paths (FolderIdentity), which end in the separator, so
// that "lies inside" is a prefix test.
class LinkGuard {
 public:
  LinkGuard(FileSystem& files, std::string_view root);

  // True when the link at `path` leads to a folder outside everything this search scans: not
  // inside the root or an ancestor of it, and not overlapping a folder entered through another
  // link. The folder is then remembered as entered.
  bool mayEnter(std::string_view path);

  // Folders by what the file system says they are: a folder reached again by any path (a link
  // the platform does not mark as one, a loop, a name that path rules turn into another
  // folder's name) is not entered a second time.
  // A folder whose id is not known is never taken for one visited before.
  bool alreadyVisited(const ObjectId& folder) const {
    return folder.known() && visited_.count(folder) != 0;
  }
  // True when `folder` had not been visited yet; it is remembered as visited.
  bool firstVisit(const ObjectId& folder) {
    return !folder.known() || visited_.insert(folder).second;
  }

 private:
  bool overlapsEntered(const std::string& target) const;

  FileSystem& files_;
  std::optional<std::string> root_;
  std::set<std::string> entered_;  // pairwise disjoint: none lies inside another
  std::unordered_set<ObjectId, ObjectIdHash> visited_;
};

}  // namespace kz
