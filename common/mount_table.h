#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz {

// A mount as the Linux mount table (/proc/self/mountinfo) lists it: where it is mounted, and the
// device that tells its files apart from those of every other mount.
struct Mount {
  std::string point;         // as the table gives it, escapes undone
  std::uint64_t device = 0;  // major << 32 | minor
};

// The mounts of a mountinfo text, in its order; lines it cannot read are passed over.
std::vector<Mount> ParseMountInfo(std::string_view text);

// Mount points by both of their names: the kernel's (a real path, ending in '/') and the one
// the program's own paths give the same folder (a drive path, ending in '\'), so that folders
// are placed on their mounts by path alone, without asking the file system anything per folder.
class MountTable {
 public:
  // `shownPoint` is empty for a mount that no drive reaches. A point given again (a mount over
  // another) replaces the one before.
  void Add(std::string unixPoint, std::string shownPoint, std::uint64_t device);
  bool empty() const { return mounts_.empty(); }
  // The device of the mount that `folder` (a drive path ending in '\', as the program's paths
  // show it once links in the drive's own name are resolved) lies on: the deepest mount whose
  // shown point is the folder or above it, or else the mount that holds the folder's drive root.
  // A drive root's real place follows from any mount point below it, whose shown path names the
  // same folders as the tail of its real one. Nothing when no mount of the table tells.
  std::optional<std::uint64_t> DeviceOf(std::string_view folder) const;
  // The mounts whose shown points lie strictly below `root`, each as its path relative to it.
  std::vector<Mount> Below(std::string_view root) const;

 private:
  struct Entry {
    std::string unixPoint;
    std::string shownPoint;
    std::uint64_t device = 0;
  };
  // The deepest mount whose kernel point is `unixFolder` or lies above it.
  const Entry* HoldingUnix(std::string_view unixFolder) const;
  // The real path of the drive root that starts `folder`, from a mount point below that root.
  std::optional<std::string> DriveRootOf(std::string_view folder) const;
  std::vector<Entry> mounts_;
};

}  // namespace kz
