#include "search/fill_result_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/unit/search_fixture.h"

namespace kz {
namespace {

using testing::SearchTest;
using Texts = std::vector<std::string>;

struct FillTest : SearchTest {
  void Listed(const std::string& directory, const std::string& name, std::int32_t sizeKB) {
    FileRecord& record = program.duplicateList.insertAfterCurrent();
    record.id = program.duplicateList.currentIndex();
    record.name = name;
    record.directory = directory;
    record.sizeKB = sizeKB;
  }
};

TEST_F(FillTest, NothingListedReportsThatNoDuplicatesWereFound) {
  ui.status[1] = "Anzahl Dateien : 0";
  FillResultList(program);
  EXPECT_EQ(ui.status[0], " Suche beendet! Keine doppelten MP3-Dateien gefunden!");
  EXPECT_EQ(ui.status[1], "Anzahl Dateien : 0");
  EXPECT_TRUE(ui.Rows(id::kResultList).empty());
  EXPECT_TRUE(LogLines("BeginRowBatch").empty());
}

TEST_F(FillTest, CellsShowSizeDirectoryBelowTheRootAndId) {
  Listed(root, "b.mp3", 4883);
  Listed(root + "Pop/", "a.mp3", 1);
  Listed(root + "Pop/Alt/", "c.mp3", -7);
  FillResultList(program);
  EXPECT_EQ(RowTexts(),
            (Texts{"a.mp3|1 KB|.../Pop/|1", "b.mp3|4883 KB|.../|0", "c.mp3|-7 KB|.../Pop/Alt/|2"}));
  EXPECT_EQ(ui.status[0], " Suche erfolgreich beendet!");
  EXPECT_EQ(ui.status[1], "Anzahl Dateien : 3");
  // The rows go in as one batch, and the count is written after it.
  EXPECT_EQ(LogLines("BeginRowBatch "), Texts{"8 3"});
  auto at = [&](const std::string& line) {
    return std::find(ui.log.begin(), ui.log.end(), line) - ui.log.begin();
  };
  EXPECT_LT(at("BeginRowBatch 8 3"), at("EndRowBatch 8"));
  EXPECT_LT(at("EndRowBatch 8"), at("SetStatusText 1 Anzahl Dateien : 3"));
}

TEST_F(FillTest, EveryOccurrenceOfTheTreeTextIsRemovedFromLeftToRight) {
  ui.texts[id::kFolderTree] = "/r/";
  Listed("/r/a/r/b/", "1.mp3", 1);  // both occurrences go
  Listed("/r//r/", "2.mp3", 1);     // back to back
  FillResultList(program);
  EXPECT_EQ(Column(2), (Texts{".../ab/", ".../"}));

  // Once skipped, bytes are not looked at again: "aaa" loses its first two only.
  program.duplicateList.clear();
  ui.ClearRows(id::kResultList);
  ui.texts[id::kFolderTree] = "aa";
  Listed("/aaa/", "3.mp3", 1);
  FillResultList(program);
  EXPECT_EQ(Column(2), (Texts{"...//a/"}));
}

TEST_F(FillTest, ATreeTextFoundNowhereOrEmptyLeavesTheWholeDirectory) {
  Listed(root + "Pop/", "a.mp3", 1);
  ui.texts[id::kFolderTree] = "/elsewhere/";
  FillResultList(program);
  EXPECT_EQ(Column(2), (Texts{".../" + root + "Pop/"}));

  // The tree's root item has an empty text; removing "nothing" everywhere must still end.
  ui.ClearRows(id::kResultList);
  ui.texts[id::kFolderTree] = "";
  FillResultList(program);
  EXPECT_EQ(Column(2), (Texts{".../" + root + "Pop/"}));
}

}  // namespace
}  // namespace kz
