#include "search/run_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "tests/unit/search_fixture.h"

namespace kz {
namespace {

using testing::SearchTest;
using Texts = std::vector<std::string>;

// True when `expected` occur in `log` in this order (other lines may come between).
bool InOrder(const Texts& log, const Texts& expected) {
  auto at = log.begin();
  for (const std::string& line : expected) {
    at = std::find(at, log.end(), line);
    if (at == log.end()) return false;
    ++at;
  }
  return true;
}

struct RunSearchTest : SearchTest {
  void Namesakes() {
    tree.File("scanned/a/x.mp3", 3000);
    tree.File("scanned/b/x.mp3", 10);
    tree.File("scanned/b/only.mp3");
  }
};

TEST_F(RunSearchTest, ClearsScansListsAndRestoresTheControlsInOrder) {
  Namesakes();
  program.filesFound = 77;
  program.directoriesEntered = 9;
  for (RecordList* list : {&program.foundFiles, &program.referenceFiles, &program.duplicateList,
                           &program.duplicateIndex}) {
    list->insertAfterCurrent().name = "old.mp3";
  }
  ui.AddRow(id::kResultList, -1, "old.mp3\n1 KB\n.../\n0");

  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  EXPECT_TRUE(InOrder(
      ui.log, {"SetStatusText 1 Anzahl Dateien : 0", "SetControlState 0 23", "DisableControl 7 1",
               "SetStatusText 0  Suche erfolgreich beendet!", "BeginRowBatch 8 2", "EndRowBatch 8",
               "SetStatusText 1 Anzahl Dateien : 2", "SetControlState 0 22", "DisableControl 7 0"}))
      << ::testing::PrintToString(ui.log);
  EXPECT_EQ(program.filesFound, 3);
  EXPECT_EQ(program.directoriesEntered, 2);
  EXPECT_EQ(program.referenceFiles.count(), 3);
  EXPECT_EQ(program.foundFiles.count(), 1);
  EXPECT_EQ(program.duplicateIndex.count(), 2);
  std::vector<std::string> directories = Column(2);
  std::sort(directories.begin(), directories.end());
  EXPECT_EQ(directories, (Texts{".../a/", ".../b/"}));
  EXPECT_EQ(Column(0), (Texts{"x.mp3", "x.mp3"}));
  EXPECT_TRUE(media.commands.empty());  // a playing file keeps playing
}

TEST_F(RunSearchTest, ARootThatCannotBeListedFindsNothing) {
  ui.texts[id::kFolderTree] = root + "missing/";
  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  EXPECT_EQ(ui.status[0], " Suche beendet! Keine doppelten MP3-Dateien gefunden!");
  EXPECT_EQ(ui.status[1], "Anzahl Dateien : 0");
  EXPECT_TRUE(ui.Rows(id::kResultList).empty());
  EXPECT_TRUE(InOrder(ui.log, {"SetControlState 0 22", "DisableControl 7 0"}));
}

TEST_F(RunSearchTest, ACutShortScanListsTheNamesakesCollectedSoFar) {
  Namesakes();
  tree.File("scanned/z/x.mp3");
  // Stop at the first entry of the second folder entered: one x.mp3 is in, maybe two.
  ui.onEvent = [&] {
    if (program.directoriesEntered == 2 && ui.events.empty() && ui.polls > 0) {
      ui.QueueClick(id::kSearchButton);
      ui.onEvent = nullptr;
    }
  };
  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  EXPECT_LT(program.filesFound, 4);
  EXPECT_EQ(program.duplicateIndex.count() + program.foundFiles.count(), program.filesFound);
  EXPECT_EQ(static_cast<std::int32_t>(ui.Rows(id::kResultList).size()),
            program.duplicateIndex.count());
  EXPECT_TRUE(InOrder(ui.log, {"SetControlState 0 22", "DisableControl 7 0"}));
}

TEST_F(RunSearchTest, ClosingTheWindowDuringTheScanEndsTheProgram) {
  Namesakes();
  clock.ticks = 1000;
  clock.step = 100;  // progress texts appear; the outcome texts must not
  ui.onEvent = [&] {
    if (program.filesFound > 0 && ui.events.empty()) ui.QueueClose();
  };
  EXPECT_EQ(RunSearch(program), Outcome::kExit);
  EXPECT_EQ(program.duplicateIndex.count(), 0);
  EXPECT_TRUE(ui.Rows(id::kResultList).empty());
  for (const std::string& text : LogLines("SetStatusText 0 ")) {
    EXPECT_EQ(text.rfind(" Suche nach doppelten MP3-Dateien...", 0), 0u) << text;
  }
  EXPECT_TRUE(LogLines("SetStatusText 1 Anzahl Dateien : 0").size() == 1);
  EXPECT_EQ(std::count(ui.log.begin(), ui.log.end(), "SetControlState 0 22"), 0);
  EXPECT_EQ(std::count(ui.log.begin(), ui.log.end(), "DisableControl 7 0"), 0);
}

TEST_F(RunSearchTest, TheMainLoopRunsTheSearchAndEndsOnACloseDuringIt) {
  Namesakes();
  ui.QueueClick(id::kSearchButton);
  ui.onEvent = [&] {
    if (ui.polls == 3) ui.QueueClose();
  };
  EXPECT_EQ(RunPass(program), Outcome::kExit);
  EXPECT_EQ(ui.waits, 1);
  EXPECT_EQ(ui.polls, 3);
}

TEST_F(RunSearchTest, ANewSelectionDuringTheScanChangesOnlyTheDirectoryCells) {
  Namesakes();
  ui.onEvent = [&] { ui.texts[id::kFolderTree] = "/elsewhere/"; };
  RunSearch(program);
  std::vector<std::string> directories = Column(2);
  std::sort(directories.begin(), directories.end());
  EXPECT_EQ(directories, (Texts{".../" + root + "a/", ".../" + root + "b/"}));
}

TEST_F(RunSearchTest, ASecondSearchStartsAfresh) {
  Namesakes();
  RunSearch(program);
  tree.File("scanned/c/only.mp3");
  ui.log.clear();
  RunSearch(program);
  EXPECT_EQ(ui.status[1], "Anzahl Dateien : 4");
  std::vector<std::string> ids = Column(3);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (Texts{"0", "1", "2", "3"}));
  EXPECT_EQ(program.referenceFiles.count(), 4);
}

}  // namespace
}  // namespace kz
