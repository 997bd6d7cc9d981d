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

// Mount points as folder paths that end in a separator, for placing folders on their mounts by
// path alone, without asking the file system anything per folder.
class MountTable {
 public:
  // A point given again (a mount over another) replaces the one before.
  void Add(std::string point, std::uint64_t device);
  bool empty() const { return mounts_.empty(); }
  // The device of the deepest mount whose point is `folder` or lies above it.
  std::optional<std::uint64_t> DeviceOf(std::string_view folder) const;
  // The mounts whose points lie strictly below `root`, each as its path relative to `root`.
  std::vector<Mount> Below(std::string_view root) const;

 private:
  std::vector<Mount> mounts_;
};

}  // namespace kz
