#include "recordings/bulk_ticks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "core/ids.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/recording_media.h"
#include "tests/fakes/result_rows.h"
#include "tests/fakes/temp_tree.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::FakeUi;
using Paths = std::vector<std::string>;

// The same few frames of audio in every file, after a tag of `tagBytes`: the files of a name are
// copies of one recording, whose sizes differ as their tags do.
std::string OneRecording(std::size_t tagBytes) {
  testing::Mp3Bytes file;
  file.Id3v2(static_cast<std::uint32_t>(tagBytes)).Frames(0xFB, 0x90, 417, 4);
  return std::string(file.bytes().begin(), file.bytes().end());
}

// A list of namesakes made from files on disk, "folder/name" with the sizes of their tags; larger
// tags, larger files.
struct Listed {
  testing::TempTree tree;
  FakeUi ui;
  testing::FakeClock clock;
  PosixFileSystem files;
  testing::RecordingMedia media;
  Program program{ui, clock, files, media};

  explicit Listed(const std::map<std::string, std::size_t>& sizes) {
    std::vector<testing::FoundFile> scan;
    for (const auto& [relative, bytes] : sizes) {
      tree.Write(relative, OneRecording(bytes));
      std::size_t slash = relative.rfind('/');
      scan.push_back({tree.root() + relative.substr(0, slash + 1), relative.substr(slash + 1)});
    }
    testing::ListNamesakes(program, scan, tree.root());
  }
  std::string PathOf(const FakeUi::Row& row) { return row.cells[2].substr(4) + row.cells[0]; }
  std::int32_t RowOf(const std::string& relative) {
    auto& rows = ui.Rows(id::kResultList);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (PathOf(rows[i]) == relative) return static_cast<std::int32_t>(i);
    }
    return -1;
  }
  Paths Ticked() {
    Paths ticked;
    for (const FakeUi::Row& row : ui.Rows(id::kResultList)) {
      if (row.state & row_state::kTicked) ticked.push_back(PathOf(row));
    }
    std::sort(ticked.begin(), ticked.end());
    return ticked;
  }
};

TEST(BulkTicks, KeepTheLargestOrOneRowOfANameUnticked) {
  const std::map<std::string, std::size_t> files = {
      {"Musik/a.mp3", 300},    {"Musik/x/a.mp3", 900},  {"Musik2/a.mp3", 100},
      {"Musik/x/b.mp3", 2000}, {"Musik/y/b.mp3", 5000}, {"Musik/z/b.mp3", 5000}};
  struct Case {
    const char* what;
    Paths tickedByHand;
    const char* selected;  // the folder item over this row; none: all but the largest
    Paths ticked;          // "b.mp3 below": the lower of the two equal largest b.mp3
    const char* status;
  };
  const Case cases[] = {
      {"largest kept, the top one of equals; a hand tick on a kept row goes",
       {"Musik/x/a.mp3"},
       nullptr,
       {"Musik/a.mp3", "Musik/x/b.mp3", "Musik2/a.mp3", "b.mp3 below"},
       " 4 Datei(en) markiert"},
      {"Musik/ is not Musik2/, and all of b.mp3 lies below Musik/",
       {},
       "Musik/a.mp3",
       {"Musik/a.mp3", "Musik/x/a.mp3", "Musik/x/b.mp3", "b.mp3 below"},
       " 4 Datei(en) markiert, 1 einzelne Aufnahme(n) ausgelassen"},
      {"a folder with one copy of each name",
       {},
       "Musik/x/b.mp3",
       {"Musik/x/a.mp3", "Musik/x/b.mp3"},
       " 2 Datei(en) markiert"},
      {"every other copy ticked by hand: the last stays, hand ticks stay",
       {"Musik/a.mp3", "Musik2/a.mp3"},
       "Musik/x/a.mp3",
       {"Musik/a.mp3", "Musik/x/b.mp3", "Musik2/a.mp3"},
       " 1 Datei(en) markiert, 1 einzelne Aufnahme(n) ausgelassen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Listed listed(files);
    for (const std::string& path : c.tickedByHand) {
      listed.ui.TickRow(id::kResultList, listed.RowOf(path), true);
    }
    if (c.selected) listed.ui.SelectRow(id::kResultList, listed.RowOf(c.selected));
    DispatchMenuEvent(listed.program,
                      c.selected ? id::kTickFolderItem : id::kTickAllButLargestItem);
    Paths expected = c.ticked;
    for (std::string& path : expected) {
      if (path != "b.mp3 below") continue;
      bool yOnTop = listed.RowOf("Musik/y/b.mp3") < listed.RowOf("Musik/z/b.mp3");
      path = yOnTop ? "Musik/z/b.mp3" : "Musik/y/b.mp3";
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed.Ticked(), expected);
    EXPECT_EQ(listed.ui.status[0], c.status);
    EXPECT_EQ(listed.ui.RowCount(id::kResultList), 6) << "rows stay";
    EXPECT_EQ(listed.ui.ControlState(id::kResultList), c.selected ? listed.RowOf(c.selected) : -1);
    DispatchMenuEvent(listed.program, id::kClearTicksItem);
    EXPECT_EQ(listed.Ticked(), Paths{});
    EXPECT_EQ(listed.ui.status[0], " Alle Markierungen aufgehoben");
  }
}

// Whatever the sizes, hand ticks and folder: a bulk action never leaves a name with every row
// ticked unless the user had ticked them all, in whatever order the rows stand.
TEST(BulkTicks, NoActionTicksEveryCopyOfAName) {
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    std::map<std::string, std::size_t> files;
    for (const char* folder : {"A/", "A/B/", "AB/", "C/"}) {
      for (const char* name : {"s.mp3", "t.mp3", "u.mp3"}) {
        if (random() % 3 != 0) files[std::string(folder) + name] = random() % 3;
      }
    }
    Listed listed(files);
    auto& rows = listed.ui.Rows(id::kResultList);
    if (rows.empty()) continue;
    // Rows out of name order (no search makes them) must be grouped by name all the same.
    if (round % 4 >= 2) std::shuffle(rows.begin(), rows.end(), random);
    for (std::size_t row = 0; row < rows.size(); ++row) {
      if (random() % 3 == 0) listed.ui.TickRow(id::kResultList, std::int32_t(row), true);
    }
    std::map<std::string, bool> allTickedBefore;
    for (const FakeUi::Row& row : rows) allTickedBefore.emplace(row.cells[0], true);
    for (const FakeUi::Row& row : rows) allTickedBefore[row.cells[0]] &= (row.state & 2) != 0;
    listed.ui.SelectRow(id::kResultList, std::int32_t(random() % rows.size()));
    DispatchMenuEvent(listed.program, round % 2 ? id::kTickFolderItem : id::kTickAllButLargestItem);
    std::map<std::string, int> unticked;
    for (const FakeUi::Row& row : rows) unticked[row.cells[0]] += (row.state & 2) ? 0 : 1;
    for (const auto& [name, count] : unticked) {
      EXPECT_TRUE(count > 0 || (round % 2 && allTickedBefore[name])) << name << " round " << round;
      if (round % 2 == 0) {
        EXPECT_EQ(count, 1) << "all but one of " << name << " round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace kz
