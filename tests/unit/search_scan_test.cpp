#include "search/scan_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "tests/unit/search_fixture.h"

namespace kz {
namespace {

using testing::Paths;
using testing::SearchTest;
using Texts = std::vector<std::string>;

// The folders this process holds open, for a scan that must leave none behind.
int OpenFolders() {
  int folders = -1;  // the listing of /proc/self/fd is one
  for (const auto& descriptor : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::is_directory(descriptor.path(), error)) ++folders;
  }
  return folders;
}

struct ScanTest : SearchTest {
  ScanEnd Scan() {
    LinkGuard links(files, root);
    return ScanFolder(program, links, root, "mp3");
  }
  Texts Collected() {
    Texts paths = Paths(program.foundFiles);
    EXPECT_EQ(paths, Paths(program.referenceFiles));
    std::sort(paths.begin(), paths.end());
    return paths;
  }
  static std::string Progress(std::int32_t files, std::int32_t directories) {
    return " Suche nach doppelten MP3-Dateien...  [Dateien : " + IntToDecimal(files) +
           " / Verzeichnise : " + IntToDecimal(directories) + "]";
  }
};

TEST_F(ScanTest, CollectsMp3FilesInAnyCaseOnly) {
  tree.File("scanned/a/Song.Mp3");
  tree.File("scanned/b/SONG.MP3");
  tree.File("scanned/c/song.mp3");
  tree.File("scanned/song.mp3.bak");
  tree.File("scanned/mp3");
  tree.File("scanned/.mp3");
  tree.File("scanned/quote.mp3\"tail");
  tree.File("scanned/\xE0\xFF.mp3");
  tree.File("scanned/cover.jpg");
  tree.Folder("scanned/folder.mp3");  // a directory is never collected
  EXPECT_EQ(Scan(), ScanEnd::kFinished);
  EXPECT_EQ(Collected(),
            (Texts{root + "a/|Song.Mp3", root + "b/|SONG.MP3", root + "c/|song.mp3", root + "|.mp3",
                   root + "|quote.mp3\"tail", root + "|\xE0\xFF.mp3"}));
  EXPECT_EQ(program.filesFound, 6);
  EXPECT_EQ(program.directoriesEntered, 4);
}

TEST_F(ScanTest, RecordsCarryTheSizeRuleAndShareTheirTexts) {
  tree.File("scanned/empty.mp3", 0);
  tree.File("scanned/almost.mp3", 1023);
  tree.File("scanned/one.mp3", 1024);
  tree.File("scanned/five.mp3", 5000);
  Scan();
  std::map<std::string, std::int32_t> sizes;
  program.foundFiles.rewind();
  program.referenceFiles.rewind();
  const char* sharedDirectory = nullptr;
  while (program.foundFiles.advance() && program.referenceFiles.advance()) {
    const FileRecord& found = program.foundFiles.current();
    const FileRecord& reference = program.referenceFiles.current();
    sizes[found.name.str()] = found.sizeKB;
    EXPECT_EQ(reference.sizeKB, found.sizeKB);
    EXPECT_EQ(found.id, 0);
    EXPECT_TRUE(found.durationText.empty());
    EXPECT_EQ(found.directory, root);
    // One text per folder and one per name, whatever the number of lists holding them.
    EXPECT_EQ(reference.name.view().data(), found.name.view().data());
    if (!sharedDirectory) sharedDirectory = found.directory.view().data();
    EXPECT_EQ(found.directory.view().data(), sharedDirectory);
    EXPECT_EQ(reference.directory.view().data(), sharedDirectory);
  }
  EXPECT_EQ(sizes, (std::map<std::string, std::int32_t>{
                       {"empty.mp3", 1}, {"almost.mp3", 1}, {"one.mp3", 2}, {"five.mp3", 5}}));
}

TEST_F(ScanTest, AFileLinkHasTheSizeOfTheFileItLeadsTo) {
  std::string target = tree.File("elsewhere.bin", 5000);
  std::filesystem::create_symlink(target, root + "alias.mp3");
  std::filesystem::create_symlink(root + "nowhere", root + "dangling.mp3");
  Scan();
  std::map<std::string, std::int32_t> sizes;
  program.referenceFiles.rewind();
  while (program.referenceFiles.advance()) {
    sizes[program.referenceFiles.current().name.str()] = program.referenceFiles.current().sizeKB;
  }
  EXPECT_EQ(sizes, (std::map<std::string, std::int32_t>{{"alias.mp3", 5}, {"dangling.mp3", 1}}));
}

TEST_F(ScanTest, OnePollPerEntryIncludingDotAndDotDot) {
  tree.File("scanned/a.mp3");
  tree.File("scanned/b.txt");
  tree.File("scanned/sub/c.mp3");
  tree.File("scanned/sub/d.mp3");
  Scan();
  EXPECT_EQ(ui.polls, 5 + 4);  // root: . .. a b sub; sub: . .. c d
  EXPECT_EQ(program.directoriesEntered, 1);

  ui.polls = 0;
  ui.states[id::kRecursiveCheck] = 0;
  program.foundFiles.clear();
  program.referenceFiles.clear();
  program.directoriesEntered = 0;
  Scan();
  EXPECT_EQ(ui.polls, 5);
  EXPECT_EQ(Collected(), Texts{root + "|a.mp3"});
  EXPECT_EQ(program.directoriesEntered, 0);
}

TEST_F(ScanTest, WithoutRecursionTheProgressShowsNoDirectories) {
  ui.states[id::kRecursiveCheck] = 0;
  tree.File("scanned/a.mp3");
  tree.File("scanned/sub/b.mp3");
  clock.ticks = 1000;
  clock.step = 100;  // every entry is more than 50 ms after the last text
  Scan();
  Texts texts = LogLines("SetStatusText 0 ");
  EXPECT_EQ(texts.size(), 4u);  // . .. a.mp3 sub
  for (const std::string& text : texts) {
    EXPECT_TRUE(text == Progress(0, 0) || text == Progress(1, 0)) << text;
  }
}

TEST_F(ScanTest, ProgressShowsTheCountsFromBeforeEachEntry) {
  tree.File("scanned/a.mp3");
  tree.File("scanned/b.mp3");
  tree.File("scanned/sub/c.mp3");
  clock.ticks = 1000;
  clock.step = 100;
  // The poll comes before the entry is examined, so the counts seen there are the ones to show.
  Texts expected;
  ui.onEvent = [&] {
    expected.push_back(Progress(program.filesFound, program.directoriesEntered));
  };
  Scan();
  EXPECT_EQ(LogLines("SetStatusText 0 "), expected);
  EXPECT_EQ(expected.size(), 5u + 3u);
  EXPECT_EQ(expected.front(), Progress(0, 0));
}

TEST_F(ScanTest, ProgressIsRewrittenOnlyMoreThan50MillisecondsApart) {
  for (int i = 0; i < 10; ++i) tree.File("scanned/" + std::to_string(i) + ".mp3");
  int poll = 0;
  ui.onEvent = [&] { clock.ticks = 1000 + 20 * static_cast<std::uint32_t>(poll++); };
  program.lastProgressTick = 1000;
  Scan();
  // Entries at 1000, 1020, ... 1220: texts at 1060 and 1120 ... (a difference of 60 each time);
  // the tick is read again for the mark, which this clock keeps.
  EXPECT_EQ(LogLines("SetStatusText 0 ").size(), 3u);  // 1060, 1120, 1180
  EXPECT_EQ(program.lastProgressTick, 1180u);

  // Exactly 50 is not enough; across the wrap of the tick counter the difference still counts.
  ui.log.clear();
  ui.onEvent = nullptr;
  clock.step = 0;
  program.lastProgressTick = 0xFFFFFFF0u;
  clock.ticks = 0x22;  // 50 later
  Scan();
  EXPECT_TRUE(LogLines("SetStatusText 0 ").empty());
  clock.ticks = 0x23;
  Scan();
  EXPECT_EQ(LogLines("SetStatusText 0 ").size(), 1u);
  EXPECT_EQ(program.lastProgressTick, 0x23u);
}

TEST_F(ScanTest, AFolderOfOnlyDotEntriesShowsOneProgressText) {
  clock.ticks = 5000;
  Scan();
  EXPECT_EQ(LogLines("SetStatusText 0 "), Texts{Progress(0, 0)});
  EXPECT_EQ(program.foundFiles.count(), 0);
}

TEST_F(ScanTest, BlanksAreTrimmedOnlyForTheDotTest) {
  tree.File("scanned/ .. /hidden.mp3");
  tree.File("scanned/. /hidden.mp3");
  tree.File("scanned/ sub /kept.mp3");
  Scan();
  EXPECT_EQ(Collected(), Texts{root + " sub /|kept.mp3"});
  EXPECT_EQ(program.directoriesEntered, 1);
}

TEST_F(ScanTest, HiddenEntriesAndLongPathsAreScannedLikeOthers) {
  tree.File("scanned/.hidden/.also.mp3");
  std::string deep = "scanned";
  while (deep.size() < 600) deep += "/" + std::string(60, 'd');
  tree.File(deep + "/deep.mp3");
  Scan();
  EXPECT_EQ(Collected(), (Texts{root + ".hidden/|.also.mp3", tree.root() + deep + "/|deep.mp3"}));
}

TEST_F(ScanTest, AFileThatVanishesBeforeItsSizeIsAskedHasOneKilobyte) {
  std::string gone = tree.File("scanned/gone.mp3", 9000);
  // The listing has already read its entries when the first event is polled.
  ui.onEvent = [&] { std::filesystem::remove(gone); };
  Scan();
  EXPECT_EQ(Collected(), Texts{root + "|gone.mp3"});
  EXPECT_EQ(program.foundFiles.selectAt(0)->sizeKB, 1);
  EXPECT_EQ(program.referenceFiles.selectAt(0)->sizeKB, 1);
}

TEST_F(ScanTest, AFolderThatCannotBeListedIsCountedAndContributesNothing) {
  std::string locked = tree.Folder("scanned/locked");
  tree.File("scanned/kept.mp3");
  ui.onEvent = [&] { std::filesystem::remove(locked); };  // gone once its entry is listed
  Scan();
  EXPECT_EQ(program.directoriesEntered, 1);
  EXPECT_EQ(Collected(), Texts{root + "|kept.mp3"});
  EXPECT_EQ(ui.polls, 4);  // . .. locked kept.mp3, nothing from the folder

  program.directoriesEntered = 0;
  LinkGuard links(files, root);
  EXPECT_EQ(ScanFolder(program, links, root + "missing/", "mp3"), ScanEnd::kFinished);
  EXPECT_EQ(program.directoriesEntered, 0);
}

TEST_F(ScanTest, ASearchButtonClickCutsShortEveryDepthAtOnce) {
  tree.File("scanned/sub/deeper/a.mp3");
  tree.File("scanned/sub/b.mp3");
  tree.File("scanned/c.mp3");
  tree.File("scanned/d.mp3");
  // Other clicks, menu choices and messages are dropped; the search button at the first entry
  // of the deepest folder stops everything.
  ui.QueueClick(id::kPlayButton);
  ui.QueueMenu(id::kRemoveItem);
  ui.QueueEvent({512});
  int clickedAt = -1;
  const int foldersBefore = OpenFolders();
  ui.onEvent = [&] {
    if (program.directoriesEntered == 2 && clickedAt < 0) {
      ui.events.clear();
      ui.QueueClick(id::kSearchButton);
      clickedAt = ui.polls;
    }
  };
  EXPECT_EQ(Scan(), ScanEnd::kCutShort);
  EXPECT_EQ(ui.polls, clickedAt);  // nothing polled after the click
  EXPECT_EQ(program.directoriesEntered, 2);
  // The entry fetched with the click is not examined: nothing of the deepest folder is there.
  for (const std::string& path : Paths(program.foundFiles)) {
    EXPECT_EQ(path.find("deeper"), std::string::npos) << path;
  }
  // No listing is left open at any depth.
  EXPECT_EQ(OpenFolders(), foldersBefore);
}

TEST_F(ScanTest, CloseEndsTheScanAtOnce) {
  tree.File("scanned/sub/a.mp3");
  ui.onEvent = [&] {
    if (program.directoriesEntered == 1 && ui.events.empty()) ui.QueueClose();
  };
  const int foldersBefore = OpenFolders();
  EXPECT_EQ(Scan(), ScanEnd::kClosed);
  EXPECT_EQ(OpenFolders(), foldersBefore);
}

}  // namespace
}  // namespace kz
