// Listings that break off with an error instead of ending: the folder is one that cannot be
// listed, in the scan and in the command line's report, whatever it delivered before.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/cli/watched_listings.h"
#include "platform/forwarding_file_system.h"
#include "search/scan_folder.h"
#include "tests/unit/search_fixture.h"

namespace kz {
namespace {

using testing::Paths;
using Texts = std::vector<std::string>;

// The listing of one folder delivers `entries` entries, then fails as a disk or share that goes
// away midway would; `entries` past the last one means it fails where it would have ended.
class BreakingListing : public ForwardingFileSystem {
 public:
  BreakingListing(FileSystem& inner, std::string folder, int entries)
      : ForwardingFileSystem(inner), folder_(std::move(folder)), entries_(entries) {}

  bool OpenListing(std::int32_t depth, std::string_view directory,
                   std::string_view pattern) override {
    broken_[depth] = false;
    left_[depth] = directory == folder_ ? entries_ : -1;
    return ForwardingFileSystem::OpenListing(depth, directory, pattern);
  }
  bool NextEntry(std::int32_t depth) override {
    int& left = left_[depth];
    if (left != 0 && ForwardingFileSystem::NextEntry(depth)) {
      if (left > 0) --left;
      return true;
    }
    if (left >= 0) {
      ForwardingFileSystem::CloseListing(depth);
      broken_[depth] = true;
    }
    return false;
  }
  bool ListingFailed(std::int32_t depth) override {
    return broken_[depth] || ForwardingFileSystem::ListingFailed(depth);
  }

 private:
  std::string folder_;
  int entries_;
  std::map<std::int32_t, int> left_;  // entries still to deliver; -1 for a folder left alone
  std::map<std::int32_t, bool> broken_;
};

struct BrokenListingTest : testing::SearchTest {
  // . .. a.mp3 b.mp3 sub/ in the folder that breaks, beside a folder and a file that do not.
  std::string broken = tree.Folder("scanned/broken");
  void SetUp() override {
    SearchTest::SetUp();
    tree.File("scanned/kept.mp3");
    tree.File("scanned/keep/k.mp3");
    tree.File("scanned/broken/a.mp3");
    tree.File("scanned/broken/b.mp3");
    tree.File("scanned/broken/sub/c.mp3");
  }
  static constexpr int kBrokenEntries = 5;

  // The scan over a file system whose listing of `broken` fails after `entries` entries.
  Texts ScanBreakingAfter(int entries) {
    BreakingListing breaking(files, broken, entries);
    Program scan{ui, clock, breaking, media};
    LinkGuard links(breaking, root);
    EXPECT_EQ(ScanFolder(scan, links, root, "mp3", 0), ScanEnd::kFinished);
    Texts paths = Paths(scan.foundFiles);
    EXPECT_EQ(paths, Paths(scan.referenceFiles));
    EXPECT_EQ(scan.filesFound, static_cast<std::int32_t>(paths.size()));
    // Every record still names an identity of its own file.
    EXPECT_EQ(scan.identities.size(), paths.size());
    scan.foundFiles.rewind();
    while (scan.foundFiles.advance()) {
      EXPECT_LT(static_cast<std::size_t>(scan.foundFiles.current().identity),
                scan.identities.size());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
  }
};

TEST_F(BrokenListingTest, AFolderWhoseListingFailsContributesNothingWhereverItFails) {
  Texts untouched = {root + "keep/|k.mp3", root + "|kept.mp3"};
  // Before the first entry, midway, after the subfolder was scanned, and in place of the end:
  // the folder's files and its subfolder's are taken back, its neighbours stay.
  for (int entries = 0; entries <= kBrokenEntries; ++entries) {
    EXPECT_EQ(ScanBreakingAfter(entries), untouched) << "failed after " << entries << " entries";
  }
  // The same listing ending normally is complete.
  EXPECT_EQ(ScanBreakingAfter(-1),
            (Texts{broken + "sub/|c.mp3", broken + "|a.mp3", broken + "|b.mp3",
                   root + "keep/|k.mp3", root + "|kept.mp3"}));
}

TEST_F(BrokenListingTest, TheCommandLineReportsAListingThatFailsMidwayAsUnreadable) {
  BreakingListing breaking(files, broken, 2);
  cli::WatchedListings watched(breaking, {});
  ASSERT_TRUE(watched.OpenListing(0, root, "*.*"));
  while (watched.NextEntry(0)) {
  }
  EXPECT_EQ(watched.failedCount(), 0u);  // the root's listing ended as it should

  ASSERT_TRUE(watched.OpenListing(1, broken, "*.*"));
  EXPECT_TRUE(watched.NextEntry(1));
  EXPECT_TRUE(watched.NextEntry(1));
  EXPECT_FALSE(watched.NextEntry(1));
  EXPECT_TRUE(watched.ListingFailed(1));
  EXPECT_EQ(watched.failedCount(), 1u);
  EXPECT_EQ(watched.failedPaths(), Texts{broken});

  EXPECT_FALSE(watched.OpenListing(1, root + "missing/", "*.*"));
  EXPECT_EQ(watched.failedPaths(), (Texts{broken, root + "missing/"}));
}

}  // namespace
}  // namespace kz
