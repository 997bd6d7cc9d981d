#include "app/result_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/record_list.h"
#include "core/result_row.h"

namespace kz {
namespace {

// Rows over a DuplicateIndex of four records below C:\Musik\, as the list fill adds them.
struct ResultRowsTest : ::testing::Test {
  void SetUp() override {
    const char* names[] = {"b.mp3", "a.mp3", "b.mp3", "a.mp3"};
    const char* folders[] = {"C:\\Musik\\", "C:\\Musik\\Pop\\", "C:\\Musik\\Pop\\", "C:\\Musik\\"};
    for (int i = 0; i < 4; ++i) {
      FileRecord& record = index.insertAfterCurrent();
      record.id = i;
      record.name = names[i];
      record.directory = folders[i];
      record.sizeKB = 100 + i;
    }
    rows.UseRecords([this](std::int32_t id) { return index.recordAt(id); });
    rows.SetCut(kRoot);
  }
  std::string TextOf(std::int32_t id) { return RowText(*index.recordAt(id), kRoot, '\\'); }
  void AddAll() {
    for (std::int32_t id : {3, 1, 0, 2}) rows.Insert(-1, TextOf(id));
  }
  std::vector<std::string> Ids() {
    std::vector<std::string> ids;
    for (std::int32_t row = 0; row < rows.count(); ++row) ids.push_back(rows.Cell(row, kIdColumn));
    return ids;
  }

  static constexpr const char* kRoot = "C:\\Musik\\";
  RecordList index;
  ResultRows rows{'\\'};
};

TEST_F(ResultRowsTest, RowsReadBackExactlyTheTextsTheyWereAddedWith) {
  AddAll();
  ASSERT_EQ(rows.count(), 4);
  EXPECT_EQ(rows.Text(1), "a.mp3\n101 KB\n...\\Pop\\\n1");
  EXPECT_EQ(rows.Cell(0, kNameColumn), "a.mp3");
  EXPECT_EQ(rows.Cell(0, kSizeColumn), "103 KB");
  EXPECT_EQ(rows.Cell(0, kFolderColumn), "...\\");
  EXPECT_EQ(rows.Cell(0, kIdColumn), "3");
  EXPECT_EQ(rows.Cell(0, kRecordingColumn), "");
  EXPECT_EQ(rows.Cell(0, -1), "");
  EXPECT_EQ(rows.Text(4), "");
  EXPECT_EQ(rows.Name(2), "b.mp3");
  EXPECT_EQ(rows.Name(4), "");
  EXPECT_EQ(rows.Cell(-1, kNameColumn), "");
  // Four bytes a row: nothing of the texts is copied.
  EXPECT_LE(rows.storageBytes(), 4 * sizeof(std::uint32_t) + 64);
}

TEST_F(ResultRowsTest, TextsTheRecordsDoNotGiveAreKeptAsAdded) {
  const std::vector<std::string> odd = {
      "a.mp3\n999 KB\n...\\Pop\\\n1",   // another size than the record's
      "a.mp3\n101 KB\n...\\Pop\\\n01",  // the ID written another way
      "x.mp3\n1 KB\n...\\\n17",         // no record with that ID
      "no cells at all",
      "a.mp3\n101 KB\n...\\Pop\\\n-1",
      "",
  };
  for (const std::string& text : odd) rows.Insert(-1, text);
  for (std::int32_t row = 0; row < 6; ++row) EXPECT_EQ(rows.Text(row), odd[row]);
  EXPECT_EQ(rows.Cell(2, kIdColumn), "17");
  EXPECT_EQ(rows.Cell(3, kNameColumn), "no cells at all");
  EXPECT_EQ(rows.Cell(3, kSizeColumn), "");
  EXPECT_EQ(rows.Name(0), "a.mp3");
  EXPECT_EQ(rows.Name(3), "no cells at all");
}

TEST_F(ResultRowsTest, TheCutStaysWhileRowsAreHeld) {
  rows.Insert(-1, TextOf(1));
  rows.SetCut("C:\\");  // ignored: a row is held
  rows.Insert(-1, TextOf(2));
  EXPECT_EQ(rows.Cell(0, kFolderColumn), "...\\Pop\\");
  EXPECT_EQ(rows.Cell(1, kFolderColumn), "...\\Pop\\");
  rows.Clear();
  rows.SetCut("C:\\");
  rows.Insert(-1, TextOf(2));  // built with the old cut: kept as it came
  EXPECT_EQ(rows.Cell(0, kFolderColumn), "...\\Pop\\");
}

TEST_F(ResultRowsTest, TicksMoveWithTheirRowsWhenRowsAboveAreRemoved) {
  AddAll();
  EXPECT_TRUE(rows.SetTicked(1, true));
  EXPECT_TRUE(rows.SetTicked(3, true));
  EXPECT_FALSE(rows.SetTicked(3, true));  // no change
  EXPECT_FALSE(rows.SetTicked(4, true));  // no such row
  rows.Remove(0);
  EXPECT_EQ(Ids(), (std::vector<std::string>{"1", "0", "2"}));
  EXPECT_TRUE(rows.Ticked(0));
  EXPECT_FALSE(rows.Ticked(1));
  EXPECT_TRUE(rows.Ticked(2));
  rows.Remove(1);
  EXPECT_EQ(Ids(), (std::vector<std::string>{"1", "2"}));
  EXPECT_TRUE(rows.Ticked(0) && rows.Ticked(1));
  EXPECT_EQ(rows.Text(1), "b.mp3\n102 KB\n...\\Pop\\\n2");
  rows.Remove(7);  // outside: nothing happens
  EXPECT_EQ(rows.count(), 2);
  EXPECT_TRUE(rows.SetTicked(0, false));
  EXPECT_FALSE(rows.Ticked(0));
  EXPECT_FALSE(rows.Ticked(-1));
}

// The first ticked row, as the main loop asks on every pass, from the count the rows keep: it
// must agree with looking at every row after any mix of ticks, removals, inserts and clears.
TEST_F(ResultRowsTest, TheFirstTickedRowAgreesWithLookingAtEveryRow) {
  auto looked = [this](std::int32_t from) {
    for (std::int32_t row = from; row < rows.count(); ++row) {
      if (rows.Ticked(row)) return row;
    }
    return -1;
  };
  unsigned seed = 7;
  auto next = [&seed](unsigned bound) {
    seed = seed * 1103515245U + 12345U;
    return (seed >> 16) % bound;
  };
  for (int step = 0; step < 2000; ++step) {
    auto row = static_cast<std::int32_t>(next(static_cast<unsigned>(rows.count()) + 2)) - 1;
    switch (next(10)) {
      case 0:
      case 1:
        rows.Insert(row, TextOf(static_cast<std::int32_t>(next(4))));
        break;
      case 2:
        rows.Remove(row);
        break;
      case 3:
        if (next(20) == 0) rows.Clear();
        break;
      default:
        rows.SetTicked(row, next(3) != 0);
    }
    std::int32_t ticked = 0;
    for (std::int32_t each = 0; each < rows.count(); ++each) ticked += rows.Ticked(each) ? 1 : 0;
    ASSERT_EQ(rows.tickedCount(), ticked) << step;
    std::int32_t from = static_cast<std::int32_t>(next(static_cast<unsigned>(rows.count()) + 1));
    ASSERT_EQ(rows.FirstTicked(from), looked(from)) << step;
    ASSERT_EQ(rows.FirstTicked(0), looked(0)) << step;
  }
}

TEST_F(ResultRowsTest, InsertingInTheMiddleShiftsRowsAndTicksDown) {
  rows.Insert(-1, TextOf(0));
  rows.Insert(-1, "kept\ntext");
  rows.SetTicked(1, true);
  rows.Insert(1, TextOf(3));
  rows.Insert(99, TextOf(2));  // past the end appends
  EXPECT_EQ(Ids(), (std::vector<std::string>{"0", "3", "", "2"}));
  EXPECT_EQ(rows.Text(2), "kept\ntext");
  EXPECT_TRUE(rows.Ticked(2));
  EXPECT_FALSE(rows.Ticked(1));
  rows.Remove(2);
  EXPECT_EQ(Ids(), (std::vector<std::string>{"0", "3", "2"}));
}

TEST_F(ResultRowsTest, ClearDropsRowsTicksAndKeptTexts) {
  AddAll();
  rows.Insert(-1, "kept");
  rows.SetTicked(4, true);
  rows.Clear();
  EXPECT_EQ(rows.count(), 0);
  EXPECT_FALSE(rows.Ticked(0));
  rows.Insert(-1, TextOf(0));
  EXPECT_FALSE(rows.Ticked(0));
  EXPECT_EQ(rows.Cell(0, kIdColumn), "0");
}

// The fill hands over DuplicateList's records, which share their texts with DuplicateIndex's.
TEST_F(ResultRowsTest, RecordRowsReadBackTheirRecordsTextsAndCostFourBytes) {
  RecordList list;
  for (std::int32_t id : {3, 1, 0, 2}) list.insertAfterCurrent() = *index.recordAt(id);
  list.rewind();
  while (list.advance()) rows.AppendRecord(list.current(), kRoot);
  ASSERT_EQ(rows.count(), 4);
  EXPECT_EQ(Ids(), (std::vector<std::string>{"3", "1", "0", "2"}));
  for (std::int32_t row = 0; row < 4; ++row) {
    EXPECT_EQ(rows.Text(row), TextOf(std::stoi(rows.Cell(row, kIdColumn))));
  }
  EXPECT_LE(rows.storageBytes(), 4 * sizeof(std::uint32_t) + 64);
}

TEST_F(ResultRowsTest, RecordRowsTheIndexDoesNotMatchKeepTheRecordsOwnText) {
  FileRecord resized = *index.recordAt(1);
  resized.sizeKB += 1;  // measured again, in between, to another size
  FileRecord renamed = *index.recordAt(2);
  renamed.name = std::string("b.mp3");  // equal text, but not the index's own copy
  FileRecord unknown = *index.recordAt(0);
  unknown.id = 7;
  FileRecord negative = *index.recordAt(0);
  negative.id = -1;
  for (const FileRecord* record : {&resized, &renamed, &unknown, &negative}) {
    rows.AppendRecord(*record, kRoot);
  }
  FileRecord same = *index.recordAt(3);
  rows.AppendRecord(same, "C:\\");  // cut by another folder text than the rows'
  ASSERT_EQ(rows.count(), 5);
  EXPECT_EQ(rows.Text(0), RowText(resized, kRoot, '\\'));
  EXPECT_EQ(rows.Text(1), RowText(renamed, kRoot, '\\'));
  EXPECT_EQ(rows.Text(2), RowText(unknown, kRoot, '\\'));
  EXPECT_EQ(rows.Text(3), RowText(negative, kRoot, '\\'));
  EXPECT_EQ(rows.Text(4), RowText(same, "C:\\", '\\'));
}

TEST_F(ResultRowsTest, RowsWithoutRecordsKeepTheirTexts) {
  ResultRows bare('\\');
  bare.Insert(-1, TextOf(1));
  EXPECT_EQ(bare.Text(0), TextOf(1));
}

}  // namespace
}  // namespace kz
