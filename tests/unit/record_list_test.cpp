#include "core/record_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kz {
namespace {

RecordList ListOf(std::vector<std::string> names) {
  RecordList list;
  for (const std::string& name : names) list.insertAfterCurrent().name = name;
  return list;
}

std::vector<std::string> Names(RecordList& list) {
  std::vector<std::string> names;
  list.rewind();
  while (list.advance()) names.push_back(list.current().name.str());
  return names;
}

TEST(RecordList, AdvanceOnEmptyAndAtTheEnd) {
  RecordList empty;
  EXPECT_FALSE(empty.advance());
  EXPECT_EQ(empty.currentIndex(), -1);

  RecordList list = ListOf({"a", "b"});
  list.rewind();
  EXPECT_TRUE(list.advance());
  EXPECT_TRUE(list.advance());
  EXPECT_FALSE(list.advance());
  EXPECT_EQ(list.currentIndex(), 1);  // stays on the last record
  EXPECT_EQ(list.current().name, "b");
}

TEST(RecordList, InsertAfterCurrentAppendsAndInsertsAtTheFront) {
  RecordList list;
  FileRecord& first = list.insertAfterCurrent();
  EXPECT_EQ(first.id, 0);
  EXPECT_EQ(first.sizeKB, 0);
  EXPECT_TRUE(first.name.empty());
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.currentIndex(), 0);

  list = ListOf({"b", "c"});
  list.rewind();
  list.insertAfterCurrent().name = "a";  // no current record: goes to the front
  EXPECT_EQ(list.currentIndex(), 0);
  list.selectAt(1);
  list.insertAfterCurrent().name = "b2";  // into the middle
  EXPECT_EQ(list.currentIndex(), 2);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "b2", "c"}));
}

TEST(RecordList, RemoveCurrentMovesTheCursorBack) {
  RecordList list = ListOf({"a", "b", "c"});
  list.selectAt(1);
  list.removeCurrent();
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.currentIndex(), 0);
  EXPECT_EQ(list.current().name, "a");

  list.removeCurrent();  // the first: no current record, advance goes to the follower
  EXPECT_EQ(list.currentIndex(), -1);
  EXPECT_TRUE(list.advance());
  EXPECT_EQ(list.current().name, "c");

  list.rewind();
  list.removeCurrent();  // without a current record: nothing
  EXPECT_EQ(list.count(), 1);
}

TEST(RecordList, RemovingEveryRecordWhileWalking) {
  RecordList list;
  for (int i = 0; i < 100000; ++i) list.insertAfterCurrent().name = std::to_string(i);
  list.rewind();
  int visited = 0;
  while (list.advance()) {
    ++visited;
    if (visited % 3 != 0) list.removeCurrent();
  }
  EXPECT_EQ(visited, 100000);
  EXPECT_EQ(list.count(), 33333);
  EXPECT_EQ(list.selectAt(0)->name, "2");
  EXPECT_EQ(list.selectAt(33332)->name, "99998");
}

TEST(RecordList, SelectAtPastTheEndAndMinusOne) {
  RecordList list = ListOf({"a", "b", "c"});
  EXPECT_EQ(list.selectAt(7)->name, "c");
  EXPECT_EQ(list.currentIndex(), 2);
  EXPECT_EQ(list.selectAt(-1), nullptr);
  EXPECT_EQ(list.currentIndex(), -1);
  EXPECT_TRUE(list.advance());
  EXPECT_EQ(list.current().name, "a");

  RecordList empty;
  EXPECT_EQ(empty.selectAt(0), nullptr);
  EXPECT_EQ(empty.currentIndex(), -1);
}

TEST(RecordList, ClearEmptiesTheList) {
  RecordList list = ListOf({"a", "b"});
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_FALSE(list.advance());
  EXPECT_EQ(list.currentIndex(), -1);
}

TEST(RecordList, CopiesShareTheirTexts) {
  FileRecord record;
  record.name = "song.mp3";
  FileRecord copy = record;
  EXPECT_EQ(copy.name.view().data(), record.name.view().data());
  copy.name = "other.mp3";
  EXPECT_EQ(record.name, "song.mp3");
}

}  // namespace
}  // namespace kz
