#include "removal/remove_ticked_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "core/ids.h"
#include "core/row_record.h"
#include "platform/posix/posix_file_system.h"
#include "player/mci.h"
#include "player/play_display.h"
#include "player/player_buttons.h"
#include "player/player_enable.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/logging_media.h"
#include "tests/fakes/result_rows.h"
#include "tests/fakes/simulated_media.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::FakeUi;
using testing::LoggingMedia;
using testing::TempTree;
using Strings = std::vector<std::string>;

// Notes what the user saw when the question came up.
struct AskingUi : FakeUi {
  std::int32_t AskYesNo(std::string_view caption, std::string_view text) override {
    if (atQuestion) atQuestion();
    return FakeUi::AskYesNo(caption, text);
  }
  std::function<void()> atQuestion;
};

constexpr const char* kDeleted2 = " 2 Datei(en) erfolgreich gel\xC3\xB6scht!";

struct RemovalTest : ::testing::Test {
  TempTree tree;
  AskingUi ui;
  FakeClock clock;
  PosixFileSystem files;
  SimulatedMedia simulated{clock, [this](std::string_view path) -> std::optional<std::int32_t> {
                             if (files.FileSize(path) < 0) return std::nullopt;
                             return 180000;
                           }};
  LoggingMedia media{simulated};
  Program program{ui, clock, files, media};
  std::map<std::string, std::string> before;
  Strings rowsAtStart;

  void SetUp() override {
    std::vector<testing::FoundFile> scan;
    for (const char* relative : {"d1/x.mp3", "d1/y.mp3", "d2/x.mp3", "d2/sub/y.mp3",
                                 "d3 mit Leerzeichen/x.mp3", "d1/solo.mp3"}) {
      std::string path = tree.Write(relative, std::string("content of ") + relative);
      fs::path p(path);
      scan.push_back({p.parent_path().string() + "/", p.filename().string()});
    }
    tree.Write("d1/cover.jpg", "not music");
    testing::ListNamesakes(program, scan, tree.root());
    before = tree.Snapshot();
    rowsAtStart = RowPaths();
  }

  std::string Path(const std::string& relative) { return tree.root() + relative; }
  // The row that shows the file at `relative`, found by its cells, not by its ID.
  std::int32_t RowOf(const std::string& relative) {
    auto& rows = ui.Rows(id::kResultList);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      std::string shown = rows[i].cells[2].substr(4) + rows[i].cells[0];  // after "...\"
      if (shown == relative) return static_cast<std::int32_t>(i);
    }
    ADD_FAILURE() << relative << " has no row";
    return -1;
  }
  void Tick(const std::string& relative) { ui.TickRow(id::kResultList, RowOf(relative), true); }
  // The snapshot taken at set-up without the given files.
  std::map<std::string, std::string> BeforeWithout(const Strings& relatives) {
    auto expected = before;
    for (const std::string& relative : relatives) expected.erase(Path(relative));
    return expected;
  }
  // The rows shown at set-up, in their order, without the given ones.
  Strings RowsWithout(const Strings& relatives) {
    Strings kept;
    for (const std::string& row : rowsAtStart) {
      if (std::find(relatives.begin(), relatives.end(), row) == relatives.end())
        kept.push_back(row);
    }
    return kept;
  }
  Strings RowPaths() {
    Strings shown;
    for (auto& row : ui.Rows(id::kResultList))
      shown.push_back(row.cells[2].substr(4) + row.cells[0]);
    return shown;
  }
};

TEST_F(RemovalTest, NoTouchesNothingButPlaybackIsStoppedAndClosed) {
  ui.SelectRow(id::kResultList, RowOf("d1/x.mp3"));
  PressPlay(program);
  clock.ticks = 5000;
  RefreshPlayDisplay(program);
  Tick("d1/x.mp3");
  Tick("d2/x.mp3");
  Strings rowsBefore = RowPaths();
  bool closedAtQuestion = false;
  ui.atQuestion = [&] {
    closedAtQuestion = !simulated.OpenPath("MCI_0").has_value();
    EXPECT_EQ(ui.texts[id::kTimeField], "00:00:00");
    EXPECT_EQ(ui.states[id::kPositionBar], 0);
  };
  ui.answers = {7};
  media.Clear();
  DispatchMenuEvent(program, id::kRemoveItem);
  EXPECT_TRUE(closedAtQuestion);
  EXPECT_EQ(media.commands, (Strings{"stop MCI_0", "close MCI_0"}));
  EXPECT_EQ(ui.questions, (Strings{"Info!|Datei(en) l\xC3\xB6schen?"}));
  EXPECT_EQ(ui.status[0], " Aktion wurde abgebrochen!");
  EXPECT_EQ(tree.Snapshot(), before);
  EXPECT_EQ(RowPaths(), rowsBefore);
  EXPECT_EQ(ui.RowState(id::kResultList, RowOf("d1/x.mp3")), 3);
  EXPECT_EQ(ui.rangeMax[id::kPositionBar], 180000);  // the range stays as it was
}

TEST_F(RemovalTest, YesDeletesTickedRowsWhetherSelectedOrNot) {
  Tick("d1/x.mp3");
  Tick("d2/sub/y.mp3");
  ui.SelectRow(id::kResultList, RowOf("d2/sub/y.mp3"));  // ticked and selected: state 3
  ASSERT_EQ(ui.RowState(id::kResultList, RowOf("d2/sub/y.mp3")), 3);
  ui.answers = {6};
  std::int32_t records = program.duplicateIndex.count();
  RemoveTickedFiles(program);
  EXPECT_EQ(ui.status[0], kDeleted2);
  EXPECT_EQ(tree.Snapshot(), BeforeWithout({"d1/x.mp3", "d2/sub/y.mp3"}));
  EXPECT_EQ(RowPaths(), RowsWithout({"d1/x.mp3", "d2/sub/y.mp3"}));
  EXPECT_EQ(program.duplicateIndex.count(), records);  // records stay; only rows go
  EXPECT_EQ(program.duplicateList.count(), records);

  // Selected but not ticked (state 1): kept, and nothing deleted is reported as 0.
  ui.SelectRow(id::kResultList, RowOf("d1/y.mp3"));
  ui.answers = {6};
  RemoveTickedFiles(program);
  EXPECT_EQ(ui.status[0], " 0 Datei(en) erfolgreich gel\xC3\xB6scht!");
  EXPECT_EQ(tree.Snapshot(), BeforeWithout({"d1/x.mp3", "d2/sub/y.mp3"}));
  EXPECT_EQ(RowPaths().size(), 3u);
}

TEST_F(RemovalTest, RowsAreVisitedFromTheLastToTheFirst) {
  for (std::int32_t row = 0; row < ui.RowCount(id::kResultList); ++row) {
    ui.TickRow(id::kResultList, row, true);
  }
  ui.answers = {6};
  ui.log.clear();
  RemoveTickedFiles(program);
  Strings removals;
  for (const std::string& line : ui.log) {
    if (line.starts_with("RemoveRow")) removals.push_back(line);
  }
  EXPECT_EQ(removals, (Strings{"RemoveRow 8 4", "RemoveRow 8 3", "RemoveRow 8 2", "RemoveRow 8 1",
                               "RemoveRow 8 0"}));
  EXPECT_EQ(ui.RowCount(id::kResultList), 0);
}

TEST_F(RemovalTest, AllCopiesOfANameTickedAreAllDeleted) {
  Tick("d1/x.mp3");
  Tick("d2/x.mp3");
  Tick("d3 mit Leerzeichen/x.mp3");
  ui.answers = {6};
  RemoveTickedFiles(program);
  EXPECT_EQ(ui.status[0], " 3 Datei(en) erfolgreich gel\xC3\xB6scht!");
  EXPECT_EQ(tree.Snapshot(), BeforeWithout({"d1/x.mp3", "d2/x.mp3", "d3 mit Leerzeichen/x.mp3"}));
  EXPECT_EQ(RowPaths(), RowsWithout({"d1/x.mp3", "d2/x.mp3", "d3 mit Leerzeichen/x.mp3"}));
}

TEST_F(RemovalTest, AReadOnlyFileKeepsItsRowStillTicked) {
  Tick("d1/x.mp3");
  Tick("d2/x.mp3");
  Tick("d1/y.mp3");
  fs::permissions(Path("d2/x.mp3"), fs::perms(0444));
  ui.answers = {6};
  RemoveTickedFiles(program);
  EXPECT_EQ(ui.status[0], kDeleted2);
  EXPECT_EQ(tree.Snapshot(), BeforeWithout({"d1/x.mp3", "d1/y.mp3"}));
  EXPECT_EQ(RowPaths(), RowsWithout({"d1/x.mp3", "d1/y.mp3"}));
  EXPECT_EQ(ui.RowState(id::kResultList, RowOf("d2/x.mp3")), 2);
}

TEST_F(RemovalTest, ThePlayingFileIsStoppedClosedAndDeleted) {
  ui.SelectRow(id::kResultList, RowOf("d2/sub/y.mp3"));
  PressPlay(program);
  Tick("d2/sub/y.mp3");
  ui.atQuestion = [&] {
    EXPECT_FALSE(simulated.OpenPath("MCI_0").has_value());
    EXPECT_TRUE(fs::exists(Path("d2/sub/y.mp3")));  // nothing goes before the answer
  };
  ui.answers = {6};
  media.Clear();
  RemoveTickedFiles(program);
  EXPECT_EQ(media.commands, (Strings{"stop MCI_0", "close MCI_0"}));
  EXPECT_FALSE(fs::exists(Path("d2/sub/y.mp3")));
  EXPECT_EQ(ui.status[0], " 1 Datei(en) erfolgreich gel\xC3\xB6scht!");
}

TEST_F(RemovalTest, RemainingRowsStillAddressTheirOwnRecords) {
  Tick("d1/x.mp3");
  Tick("d1/y.mp3");
  ui.answers = {6};
  RemoveTickedFiles(program);
  ASSERT_EQ(ui.RowCount(id::kResultList), 3);
  for (std::int32_t row = 0; row < 3; ++row) {
    std::string shown = tree.root() + RowPaths()[static_cast<std::size_t>(row)];
    FileRecord* record = RecordOfRow(program, row);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(PathOf(*record), shown);
    ui.SelectRow(id::kResultList, row);
    PressPlay(program);
    EXPECT_EQ(simulated.OpenPath("MCI_0"), shown);
    EXPECT_EQ(MciStatusMode(simulated, 0), mci_mode::kPlaying);
    PressStop(program);
  }
}

TEST_F(RemovalTest, AnAnswerOtherThanYesOrNoDoesNothingFurther) {
  Tick("d1/x.mp3");
  ui.status[0] = " vorher";
  ui.answers = {2};
  RemoveTickedFiles(program);
  EXPECT_EQ(ui.status[0], " vorher");
  EXPECT_EQ(tree.Snapshot(), before);
}

TEST_F(RemovalTest, ARowWhoseIdNamesNoRecordDeletesNothing) {
  // Rows that selectAt's fallbacks would lead to another file: past the end it gives the last
  // record, and positions below -1 are not defined for it.
  ui.AddRow(id::kResultList, -1, "x.mp3\n1 KB\n...\\d1/\n99");
  ui.AddRow(id::kResultList, -1, "x.mp3\n1 KB\n...\\d1/\n-1");
  ui.AddRow(id::kResultList, -1, "x.mp3\n1 KB\n...\\d1/\n-7");
  std::int32_t rows = ui.RowCount(id::kResultList);
  for (std::int32_t row = rows - 3; row < rows; ++row) ui.TickRow(id::kResultList, row, true);
  ui.answers = {6};
  RemoveTickedFiles(program);
  EXPECT_EQ(ui.status[0], " 0 Datei(en) erfolgreich gel\xC3\xB6scht!");
  EXPECT_EQ(tree.Snapshot(), before);
  EXPECT_EQ(ui.RowCount(id::kResultList), rows);
}

}  // namespace
}  // namespace kz
