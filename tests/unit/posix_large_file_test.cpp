// Files past 4 GiB through the POSIX file system, on every word size: a 32-bit build without
// 64-bit file offsets fails stat and lseek on them (EOVERFLOW) and cannot read past 2 GiB.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

constexpr std::uint64_t kSize = (std::uint64_t{5} << 30) + 3;
constexpr std::array<std::uint8_t, 4> kTail{0x4B, 0x5A, 0x32, 0x36};

class LargeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.File("large.mp3");
    int descriptor = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(descriptor, 0);
    // Sparse: the size costs no room on the disk.
    ASSERT_EQ(ftruncate(descriptor, static_cast<off_t>(kSize)), 0);
    ASSERT_EQ(pwrite(descriptor, kTail.data(), kTail.size(), static_cast<off_t>(kSize - 4)), 4);
    close(descriptor);
  }

  testing::TempFolder folder;
  std::string path;
  PosixFileSystem files;
};

TEST_F(LargeFile, IsListedMeasuredAndOpenedWithItsWholeSize) {
  std::unique_ptr<FolderListing> listing = files.OpenSearch(folder.directory());
  ASSERT_NE(listing, nullptr);
  bool listed = false;
  while (const ListedEntry* entry = listing->Next()) {
    if (entry->name != "large.mp3") continue;
    listed = true;
    EntryFacts facts = listing->Facts();
    EXPECT_EQ(facts.size, static_cast<std::int64_t>(kSize));
    EXPECT_TRUE(facts.identity.has_value());
  }
  EXPECT_FALSE(listing->Failed());
  EXPECT_TRUE(listed);
  EXPECT_EQ(files.FileSize(path), static_cast<std::int64_t>(kSize));
  auto file = files.OpenReadOnly(path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->size(), kSize);
}

TEST_F(LargeFile, ItsLastBytesAreReadAndItsHolesPassedOver) {
  auto file = files.OpenReadOnly(path);
  ASSERT_NE(file, nullptr);
  std::array<std::uint8_t, 4> tail{};
  ASSERT_TRUE(file->ReadAt(kSize - 4, tail));
  EXPECT_EQ(tail, kTail);
  // The data lies in the last block; a file system that reports no holes answers the offset.
  std::uint64_t data = file->DataFrom(std::uint64_t{1} << 32);
  EXPECT_TRUE(data == std::uint64_t{1} << 32 || (data > (std::uint64_t{1} << 32) && data < kSize))
      << data;
}

}  // namespace
}  // namespace kz
