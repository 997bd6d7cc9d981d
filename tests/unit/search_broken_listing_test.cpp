// Listings that break off with an error instead of ending: the folder is one that cannot be
// listed, in the scan and in the command line's report, whatever it delivered before.

#include <gtest/gtest.h>

#include <algorithm>
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

  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override {
    return Wrapped<Listing>(inner_.OpenSearch(directory), *this);
  }

 private:
  class Listing : public ForwardingListing {
   public:
    Listing(std::unique_ptr<FolderListing> inner, const BreakingListing& files)
        : ForwardingListing(std::move(inner)),
          files_(files),
          left_(Directory() == files.folder_ ? files.entries_ : -1) {}
    const ListedEntry* Next() override {
      if (left_ != 0) {
        if (const ListedEntry* entry = inner_->Next()) {
          if (left_ > 0) --left_;
          return entry;
        }
      }
      broken_ = left_ >= 0;
      return nullptr;
    }
    bool Failed() const override { return broken_ || inner_->Failed(); }

   private:
    std::unique_ptr<FolderListing> Wrap(std::unique_ptr<FolderListing> subfolder) override {
      return std::make_unique<Listing>(std::move(subfolder), files_);
    }
    const BreakingListing& files_;
    int left_;  // entries still to deliver; -1 for a folder left alone
    bool broken_ = false;
  };
  std::string folder_;
  int entries_;
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
    EXPECT_EQ(ScanFolder(scan, links, root, "mp3"), ScanEnd::kFinished);
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
  std::unique_ptr<FolderListing> listing = watched.OpenSearch(root);
  ASSERT_NE(listing, nullptr);
  while (listing->Next()) {
  }
  EXPECT_EQ(watched.failedCount(), 0u);  // the root's listing ended as it should

  listing = watched.OpenSearch(broken);
  ASSERT_NE(listing, nullptr);
  EXPECT_NE(listing->Next(), nullptr);
  EXPECT_NE(listing->Next(), nullptr);
  EXPECT_EQ(listing->Next(), nullptr);
  EXPECT_TRUE(listing->Failed());
  EXPECT_EQ(listing->Next(), nullptr);
  EXPECT_EQ(watched.failedCount(), 1u);  // once, however often it is asked afterwards
  EXPECT_EQ(watched.failedPaths(), Texts{broken});

  EXPECT_EQ(watched.OpenSearch(root + "missing/"), nullptr);
  EXPECT_EQ(watched.failedPaths(), (Texts{broken, root + "missing/"}));
}

}  // namespace
}  // namespace kz
