#include "common/mount_table.h"

#include <algorithm>

namespace kz {
namespace {

// The table writes a blank, tab, line feed or backslash in a path as a backslash and three
// octal digits.
std::string Unescaped(std::string_view field) {
  std::string text;
  for (std::size_t at = 0; at < field.size(); ++at) {
    bool octal = field[at] == '\\' && at + 3 < field.size();
    if (octal && field[at + 1] >= '0' && field[at + 1] <= '3' && field[at + 2] >= '0' &&
        field[at + 2] <= '7' && field[at + 3] >= '0' && field[at + 3] <= '7') {
      text.push_back(static_cast<char>((field[at + 1] - '0') * 64 + (field[at + 2] - '0') * 8 +
                                       (field[at + 3] - '0')));
      at += 3;
    } else {
      text.push_back(field[at]);
    }
  }
  return text;
}

std::optional<std::uint64_t> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

bool IsPrefixFolder(std::string_view point, std::string_view folder) {
  return folder.starts_with(point);
}

}  // namespace

std::vector<Mount> ParseMountInfo(std::string_view text) {
  std::vector<Mount> mounts;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    // mount id, parent id, major:minor, root, mount point, ...
    std::string_view fields[5];
    std::size_t count = 0;
    while (count < 5 && !line.empty()) {
      std::size_t blank = line.find(' ');
      fields[count++] = line.substr(0, blank);
      line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
    }
    if (count < 5) continue;
    std::size_t colon = fields[2].find(':');
    if (colon == std::string_view::npos) continue;
    std::optional<std::uint64_t> major = Number(fields[2].substr(0, colon));
    std::optional<std::uint64_t> minor = Number(fields[2].substr(colon + 1));
    if (!major || !minor || fields[4].empty()) continue;
    mounts.push_back(Mount{Unescaped(fields[4]), *major << 32 | *minor});
  }
  return mounts;
}

void MountTable::Add(std::string unixPoint, std::string shownPoint, std::uint64_t device) {
  auto same = std::find_if(mounts_.begin(), mounts_.end(),
                           [&](const Entry& mount) { return mount.unixPoint == unixPoint; });
  if (same != mounts_.end()) {
    same->shownPoint = std::move(shownPoint);
    same->device = device;
    return;
  }
  mounts_.push_back(Entry{std::move(unixPoint), std::move(shownPoint), device});
}

const MountTable::Entry* MountTable::HoldingUnix(std::string_view unixFolder) const {
  const Entry* deepest = nullptr;
  for (const Entry& mount : mounts_) {
    if (IsPrefixFolder(mount.unixPoint, unixFolder) &&
        (!deepest || mount.unixPoint.size() > deepest->unixPoint.size())) {
      deepest = &mount;
    }
  }
  return deepest;
}

std::optional<std::string> MountTable::DriveRootOf(std::string_view folder) const {
  std::size_t rootEnd = folder.find('\\');
  if (rootEnd == std::string_view::npos) return std::nullopt;
  std::string_view driveRoot = folder.substr(0, rootEnd + 1);
  for (const Entry& mount : mounts_) {
    if (mount.shownPoint.size() <= driveRoot.size() ||
        !IsPrefixFolder(driveRoot, mount.shownPoint)) {
      continue;
    }
    // As many folders off the end of the real path as the shown path names below the root.
    auto below = static_cast<std::size_t>(
        std::count(mount.shownPoint.begin() + static_cast<std::ptrdiff_t>(driveRoot.size()),
                   mount.shownPoint.end(), '\\'));
    std::string unixRoot = mount.unixPoint;
    for (; below > 0 && unixRoot.size() > 1; --below) {
      unixRoot.pop_back();
      unixRoot.erase(unixRoot.rfind('/') + 1);
    }
    if (below == 0) return unixRoot;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> MountTable::DeviceOf(std::string_view folder) const {
  const Entry* deepest = nullptr;
  for (const Entry& mount : mounts_) {
    if (!mount.shownPoint.empty() && IsPrefixFolder(mount.shownPoint, folder) &&
        (!deepest || mount.shownPoint.size() > deepest->shownPoint.size())) {
      deepest = &mount;
    }
  }
  if (!deepest) {
    // No mount point between the drive root and the folder: it lies on the root's mount.
    std::optional<std::string> driveRoot = DriveRootOf(folder);
    if (driveRoot) deepest = HoldingUnix(*driveRoot);
  }
  if (!deepest) return std::nullopt;
  return deepest->device;
}

std::vector<Mount> MountTable::Below(std::string_view root) const {
  std::vector<Mount> below;
  for (const Entry& mount : mounts_) {
    if (mount.shownPoint.size() > root.size() && IsPrefixFolder(root, mount.shownPoint)) {
      below.push_back(Mount{mount.shownPoint.substr(root.size()), mount.device});
    }
  }
  return below;
}

}  // namespace kz
