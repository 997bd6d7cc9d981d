#include "search/link_guard.h"

namespace kz {
namespace {

bool LiesWithin(std::string_view inner, std::string_view outer) {
  return inner.substr(0, outer.size()) == outer;
}

}  // namespace

LinkGuard::LinkGuard(FileSystem& files, std::string_view root)
    : files_(files), root_(files.FolderIdentity(root)) {}

bool LinkGuard::overlapsEntered(const std::string& target) const {
  // An entered folder inside the target sorts right at or after it.
  auto following = entered_.lower_bound(target);
  if (following != entered_.end() && LiesWithin(*following, target)) return true;
  // An entered folder that holds the target is one of the target's ancestors: try each prefix
  // that ends in the separator.
  char separator = files_.Separator();
  for (std::size_t end = target.find(separator); end != std::string::npos;
       end = target.find(separator, end + 1)) {
    if (entered_.count(target.substr(0, end + 1))) return true;
  }
  return false;
}

bool LinkGuard::mayEnter(std::string_view path) {
  std::optional<std::string> target = files_.FolderIdentity(path);
  if (!target) return false;  // a link that cannot be resolved cannot be listed either
  if (root_ && (LiesWithin(*target, *root_) || LiesWithin(*root_, *target))) return false;
  if (overlapsEntered(*target)) return false;
  entered_.insert(*std::move(target));
  return true;
}

}  // namespace kz
