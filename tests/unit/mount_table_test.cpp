#include "common/mount_table.h"

#include <gtest/gtest.h>

namespace kz {
namespace {

TEST(MountTable, ReadsTheKernelsTable) {
  std::vector<Mount> mounts = ParseMountInfo(
      "21 1 0:19 / / rw - ext4 /dev/root rw\n"
      "35 21 0:40 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
      "not a mount line\n"
      "36 21 0:19 /music /tmp/t/bind rw - ext4 /dev/root rw");
  ASSERT_EQ(mounts.size(), 3u);
  EXPECT_EQ(mounts[1].point, "/media/usb stick");
  EXPECT_EQ(mounts[1].device, std::uint64_t{40});
  EXPECT_EQ(mounts[0].device, std::uint64_t{19});
  EXPECT_EQ(mounts[2].point, "/tmp/t/bind") << "a bind mount's point, not its source";
}

// Z: is the Unix root, M: a folder of it (/srv/lib). Below M: lie tmpfs mounts, one inside
// another, and a bind mount of a folder of the root's own file system (device 19).
MountTable WineTable() {
  MountTable table;
  table.Add("/", "Z:\\", 19);
  table.Add("/proc/", "Z:\\proc\\", 4);
  table.Add("/run/user/", "", 30);  // no drive reaches it
  table.Add("/srv/lib/t/m1/", "M:\\t\\m1\\", 41);
  table.Add("/srv/lib/t/m1/deep/", "M:\\t\\m1\\deep\\", 43);
  table.Add("/srv/lib/t/bind/b/", "M:\\t\\bind\\b\\", 19);
  table.Add("/srv/lib/t/m2/", "M:\\t\\m2\\", 42);
  table.Add("/srv/lib/t/m2/", "M:\\t\\m2\\", 44);  // mounted over the one before
  return table;
}

TEST(MountTable, PlacesEveryFolderOnTheMountItLiesOn) {
  MountTable table = WineTable();
  struct {
    const char* folder;
    std::optional<std::uint64_t> device;
  } cases[] = {
      {"Z:\\", 19},
      {"Z:\\proc\\self\\", 4},
      {"M:\\", 19},                     // the drive root: a folder of Z:'s file system
      {"M:\\t\\", 19},                  // a search's root on no mount of its own
      {"M:\\t\\plain\\", 19},           // beside the mounts
      {"M:\\t\\bind\\b\\", 19},         // a bind mount: the root's file system again
      {"M:\\t\\bind\\b\\x\\", 19},      //
      {"M:\\t\\m1\\", 41},              // the root of a search below a mount point
      {"M:\\t\\m1\\a\\", 41},           //
      {"M:\\t\\m1\\deep\\x\\", 43},     // nested mounts
      {"M:\\t\\m2\\", 44},              // the later of two mounts at one point
      {"M:\\t\\m10\\", 19},             // a name that only begins like a mount point
      {"Q:\\music\\", std::nullopt},    // a drive with no mount below it tells nothing
      {"no drive path", std::nullopt},  //
  };
  for (const auto& c : cases) EXPECT_EQ(table.DeviceOf(c.folder), c.device) << c.folder;
}

TEST(MountTable, ListsTheMountsBelowAFolderOnce) {
  MountTable table = WineTable();
  std::vector<Mount> below = table.Below("M:\\t\\");
  ASSERT_EQ(below.size(), 4u) << "a mount over another counts once";
  EXPECT_EQ(below[0].point, "m1\\");
  EXPECT_EQ(below[1].point, "m1\\deep\\");
  EXPECT_EQ(below[2].point, "bind\\b\\");
  EXPECT_EQ(below[3].device, std::uint64_t{44});
  EXPECT_TRUE(table.Below("M:\\t\\m1\\deep\\").empty());
  EXPECT_TRUE(table.Below("Z:\\run\\").empty()) << "a mount no drive reaches lies below nothing";
}

}  // namespace
}  // namespace kz
