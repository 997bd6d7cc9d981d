#include "search/link_guard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "search/run_search.h"
#include "search/scan_folder.h"
#include "tests/unit/search_fixture.h"

namespace kz {
namespace {

using testing::SearchTest;
using Texts = std::vector<std::string>;

struct LinkTest : SearchTest {
  // How often each file on the disk was collected, by its real path.
  std::map<std::string, int> TimesCollected() {
    std::map<std::string, int> times;
    program.referenceFiles.rewind();
    while (program.referenceFiles.advance()) {
      const FileRecord& record = program.referenceFiles.current();
      ++times[std::filesystem::canonical(record.directory + record.name.view()).string()];
    }
    return times;
  }
  ScanEnd Scan() {
    LinkGuard links(files, root);
    return ScanFolder(program, links, root, "mp3");
  }
};

TEST_F(LinkTest, GuardEntersOnlyFoldersOutsideEverythingScanned) {
  std::string inner = tree.Folder("scanned/inner");
  std::string out = tree.Folder("out");
  std::string first = tree.Folder("out/first");
  std::string second = tree.Folder("out/second");
  tree.Link("scanned/to-inner", inner);
  tree.Link("scanned/to-root", root);
  tree.Link("scanned/to-top", tree.root());
  tree.Link("scanned/to-first", first);
  tree.Link("scanned/to-first-again", first);
  tree.Link("scanned/to-out", out);
  tree.Link("scanned/to-second", second);
  tree.Link("scanned/dangling", tree.root() + "nowhere");

  LinkGuard guard(files, root);
  EXPECT_FALSE(guard.mayEnter(root + "to-inner/"));  // inside the searched folder
  EXPECT_FALSE(guard.mayEnter(root + "to-root/"));   // the searched folder itself
  EXPECT_FALSE(guard.mayEnter(root + "to-top/"));    // an ancestor of it
  EXPECT_FALSE(guard.mayEnter("/"));
  EXPECT_TRUE(guard.mayEnter(root + "to-first/"));  // elsewhere: entered
  EXPECT_FALSE(guard.mayEnter(root + "to-first-again/"));
  EXPECT_FALSE(guard.mayEnter(root + "to-out/"));  // holds a folder already entered
  EXPECT_TRUE(guard.mayEnter(root + "to-second/"));
  EXPECT_FALSE(guard.mayEnter(first + "../first/"));
  EXPECT_FALSE(guard.mayEnter(root + "dangling/"));
}

TEST_F(LinkTest, GuardComparesWholeFolderNamesNotTextPrefixes) {
  std::string music = tree.Folder("music");
  std::string musicology = tree.Folder("musicology");
  tree.Link("scanned/a", music);
  tree.Link("scanned/b", musicology);
  LinkGuard guard(files, root);
  EXPECT_TRUE(guard.mayEnter(root + "a/"));
  EXPECT_TRUE(guard.mayEnter(root + "b/"));
}

TEST_F(LinkTest, ALinkIntoTheTreeDoesNotMakeAFileItsOwnNamesake) {
  tree.File("scanned/real/song.mp3");
  tree.Link("scanned/alias", root + "real");
  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  EXPECT_EQ(program.directoriesEntered, 1);
  EXPECT_EQ(program.filesFound, 1);
  EXPECT_EQ(ui.status[0], " Suche beendet! Keine doppelten MP3-Dateien gefunden!");
}

TEST_F(LinkTest, LinksToTheRootOrAnAncestorEndTheWalk) {
  tree.File("scanned/sub/a.mp3");
  tree.File("b.mp3");
  tree.Link("scanned/sub/loop", root);
  tree.Link("scanned/up", tree.root());
  EXPECT_EQ(Scan(), ScanEnd::kFinished);
  EXPECT_EQ(TimesCollected(), (std::map<std::string, int>{{root + "sub/a.mp3", 1}}));
  EXPECT_EQ(program.directoriesEntered, 1);
}

TEST_F(LinkTest, AFolderElsewhereIsScannedOnceHoweverManyLinksLeadThere) {
  tree.File("out/o.mp3");
  tree.File("out/deeper/p.mp3");
  tree.File("scanned/d/o.mp3");
  tree.Link("scanned/l1", tree.root() + "out");
  tree.Link("scanned/d/l2", tree.root() + "out");
  tree.Link("scanned/l3", tree.root() + "out/deeper");
  // A loop out there, and a link from it to yet another folder, which is entered.
  tree.Link("out/deeper/back", tree.root() + "out");
  tree.File("far/f.mp3");
  tree.Link("out/far", tree.root() + "far");

  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  EXPECT_EQ(TimesCollected(), (std::map<std::string, int>{{tree.root() + "far/f.mp3", 1},
                                                          {tree.root() + "out/deeper/p.mp3", 1},
                                                          {tree.root() + "out/o.mp3", 1},
                                                          {root + "d/o.mp3", 1}}));
  // d, one way into out, its deeper folder and far.
  EXPECT_EQ(program.directoriesEntered, 4);
  EXPECT_EQ(Column(0), (Texts{"o.mp3", "o.mp3"}));
}

}  // namespace
}  // namespace kz
