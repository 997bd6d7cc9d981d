#include "common/mount_table.h"

#include <gtest/gtest.h>

namespace kz {
namespace {

TEST(MountTable, ReadsTheKernelsTableAndPlacesFoldersOnTheDeepestMount) {
  std::vector<Mount> mounts = ParseMountInfo(
      "21 1 0:19 / / rw - ext4 /dev/root rw\n"
      "35 21 0:40 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
      "not a mount line\n"
      "36 21 0:41 / /tmp/t/m1 rw - tmpfs x rw\n"
      "37 21 0:42 / /tmp/t/m2 rw - tmpfs x rw\n"
      "38 36 0:43 / /tmp/t/m1/deep rw - tmpfs x rw\n"
      "39 21 0:44 / /tmp/t/m2 rw - tmpfs y rw");
  ASSERT_EQ(mounts.size(), 6u);
  EXPECT_EQ(mounts[1].point, "/media/usb stick");
  EXPECT_EQ(mounts[1].device, std::uint64_t{40});
  EXPECT_EQ(mounts[0].device, std::uint64_t{19});

  MountTable table;
  for (const Mount& mount : mounts)
    table.Add(mount.point + (mount.point == "/" ? "" : "/"), mount.device);
  struct {
    const char* folder;
    std::uint64_t device;
  } cases[] = {{"/", 19},
               {"/tmp/t/", 19},
               {"/tmp/t/m1/", 41},
               {"/tmp/t/m1/a/", 41},
               {"/tmp/t/m1/deep/x/", 43},
               {"/tmp/t/m2/", 44},
               {"/tmp/t/m10/", 19}};
  for (const auto& c : cases) EXPECT_EQ(table.DeviceOf(c.folder), c.device) << c.folder;

  std::vector<Mount> below = table.Below("/tmp/t/");
  ASSERT_EQ(below.size(), 3u) << "a mount over another counts once";
  EXPECT_EQ(below[0].point, "m1/");
  EXPECT_EQ(below[2].point, "m1/deep/");
  EXPECT_EQ(below[1].device, std::uint64_t{44});
  EXPECT_TRUE(table.Below("/tmp/t/m1/deep/").empty());
}

}  // namespace
}  // namespace kz
