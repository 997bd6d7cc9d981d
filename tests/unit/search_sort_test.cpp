#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/record_list.h"

namespace kz {
namespace {

using Entry = std::pair<std::string, std::int32_t>;  // name, id

// The quicksort of the result list written out step by step, on plain pairs, as the yardstick:
// the order of equal names depends on every detail of the pivot choice and the partition.
int Compare(const std::string& a, const std::string& b) {
  // std::string compares char_traits<char>, which is unsigned byte order.
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

void StepByStepSort(std::vector<Entry>& v, std::int64_t lo, std::int64_t hi) {
  if (hi - lo <= 0) return;
  std::int64_t mid = lo + (hi - lo) / 2;
  std::int64_t p;
  if (Compare(v[lo].first, v[hi].first) <= 0 && Compare(v[mid].first, v[lo].first) <= 0) {
    p = lo;
  } else if (Compare(v[lo].first, v[hi].first) > 0) {
    p = mid;
  } else if (Compare(v[mid].first, v[hi].first) < 0) {
    p = mid;
  } else {
    p = hi;
  }
  std::swap(v[p], v[lo]);
  std::string pivot = v[lo].first;
  std::int64_t i = lo - 1;
  std::int64_t j = hi + 1;
  for (;;) {
    do --j;
    while (Compare(v[j].first, pivot) > 0);
    do ++i;
    while (Compare(v[i].first, pivot) < 0);
    if (i >= j) break;
    std::swap(v[i], v[j]);
  }
  StepByStepSort(v, lo, j);
  StepByStepSort(v, j + 1, hi);
}

std::vector<std::int32_t> SortedIds(const std::vector<std::string>& names) {
  RecordList list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    FileRecord& record = list.insertAfterCurrent();
    record.name = names[i];
    record.id = static_cast<std::int32_t>(i);
    record.sizeKB = static_cast<std::int32_t>(i) * 10;
    record.directory = "/d" + std::to_string(i) + "/";
  }
  list.sortByName();
  std::vector<std::int32_t> ids;
  list.rewind();
  while (list.advance()) {
    const FileRecord& record = list.current();
    // Records move whole: every field still belongs to the same file.
    EXPECT_EQ(record.sizeKB, record.id * 10);
    EXPECT_EQ(record.directory, "/d" + std::to_string(record.id) + "/");
    EXPECT_EQ(record.name, names[static_cast<std::size_t>(record.id)]);
    ids.push_back(record.id);
  }
  return ids;
}

std::vector<std::int32_t> ExpectedIds(const std::vector<std::string>& names) {
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < names.size(); ++i) {
    entries.emplace_back(names[i], static_cast<std::int32_t>(i));
  }
  if (!entries.empty()) StepByStepSort(entries, 0, static_cast<std::int64_t>(entries.size()) - 1);
  std::vector<std::int32_t> ids;
  for (const Entry& entry : entries) ids.push_back(entry.second);
  return ids;
}

using Ids = std::vector<std::int32_t>;

TEST(SortByName, NamesakesComeInTheOrderThePartitionLeaves) {
  EXPECT_EQ(SortedIds({"x.mp3", "x.mp3"}), (Ids{1, 0}));
  EXPECT_EQ(SortedIds({"x.mp3", "x.mp3", "x.mp3"}), (Ids{1, 2, 0}));
  // A = x in d1, S = y in d1, T = x in d2, U = y in d2: T, A, U, S.
  EXPECT_EQ(SortedIds({"x.mp3", "y.mp3", "x.mp3", "y.mp3"}), (Ids{2, 0, 3, 1}));
  EXPECT_EQ(SortedIds({}), Ids{});
  EXPECT_EQ(SortedIds({"only.mp3"}), Ids{0});
}

TEST(SortByName, UnsignedByteOrderWithPrefixesFirst) {
  // Upper case before lower case, bytes from 128 after all ASCII, a prefix before its extensions.
  EXPECT_EQ(SortedIds({"\xC3\xA4.mp3", "b.mp3", "B.mp3", "a", "a.mp3", "~.mp3"}),
            (Ids{2, 3, 4, 1, 5, 0}));
}

TEST(SortByName, MatchesTheStepByStepSortOnRandomNames) {
  std::mt19937 random(20240601);
  const std::vector<std::string> pool = {"a",  "a.mp3", "A.mp3", "b.mp3", "\xE4.mp3",
                                         "ab", "aa",    "b",     "",      "\x7F"};
  for (int round = 0; round < 400; ++round) {
    std::size_t count = random() % 60;
    std::size_t variety = 1 + random() % pool.size();  // few distinct names: many namesakes
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) names.push_back(pool[random() % variety]);
    ASSERT_EQ(SortedIds(names), ExpectedIds(names)) << "round " << round;
  }
}

TEST(SortByName, MatchesTheStepByStepSortOnLongNamesWithSharedBeginnings) {
  // Names that agree in their first eight bytes or more, end there, or differ just before or
  // after, with bytes from 128 upward and a zero byte inside.
  std::mt19937 random(20261209);
  const std::vector<std::string> pool = {"Track 01.mp3",
                                         "Track 01.MP3",
                                         "Track 1.mp3",
                                         "Track 0",
                                         "Track 01",
                                         "Track 0\x80.mp3",
                                         "Track 02.mp3",
                                         "Track 010.mp3",
                                         "Track",
                                         std::string("Track 0\0.mp3", 12),
                                         "track 01.mp3",
                                         "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF",
                                         "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
                                         "a"};
  for (int round = 0; round < 400; ++round) {
    std::size_t count = random() % 80;
    std::size_t variety = 1 + random() % pool.size();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) names.push_back(pool[random() % variety]);
    ASSERT_EQ(SortedIds(names), ExpectedIds(names)) << "round " << round;
  }
}

TEST(SortByName, LongSortedReversedAndEqualRunsStaySafe) {
  // Such input makes the splits lopsided; the sort must neither exhaust the stack nor differ.
  std::vector<std::string> ascending;
  for (int i = 0; i < 20000; ++i) ascending.push_back(std::to_string(100000 + i));
  std::vector<std::string> descending(ascending.rbegin(), ascending.rend());
  // Rising then falling names are the pivot rule's weak spot (quadratic), so kept short here.
  std::vector<std::string> organPipe(ascending.begin(), ascending.begin() + 1000);
  organPipe.insert(organPipe.end(), descending.end() - 1000, descending.end());
  std::vector<std::string> equal(20000, "same.mp3");
  // Sorted runs, as folder after folder of numbered tracks arrive from a sorted listing.
  std::vector<std::string> runs;
  for (int folder = 0; folder < 2000; ++folder) {
    for (int track = 10; track < 20; ++track) runs.push_back(std::to_string(track) + ".mp3");
  }
  for (const auto* names : {&ascending, &descending, &organPipe, &equal, &runs}) {
    EXPECT_EQ(SortedIds(*names), ExpectedIds(*names));
  }
}

}  // namespace
}  // namespace kz
