#include "player/player_buttons.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "core/ids.h"
#include "platform/posix/posix_file_system.h"
#include "player/mci.h"
#include "player/play_display.h"
#include "player/player_enable.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/logging_media.h"
#include "tests/fakes/result_rows.h"
#include "tests/fakes/simulated_media.h"

namespace kz {
namespace {

using testing::FakeClock;
using testing::FakeUi;
using testing::LoggingMedia;

// Notes every switch of the playback wake-ups.
struct WakeupUi : FakeUi {
  void SetPlaybackWakeups(bool on) override {
    FakeUi::SetPlaybackWakeups(on);
    wakeupCalls.push_back(on);
  }
  std::vector<bool> wakeupCalls;
};

using Strings = std::vector<std::string>;

struct PlayerTest : ::testing::Test {
  WakeupUi ui;
  FakeClock clock;
  PosixFileSystem files;
  std::map<std::string, std::int32_t> lengths = {{"/m/d1/x.mp3", 200000},
                                                 {"/m/d2/x.mp3", 300000},
                                                 {"/m/d1/y.mp3", 50000},
                                                 {"/m/d2/y.mp3", 600000}};
  SimulatedMedia simulated{clock, [this](std::string_view path) -> std::optional<std::int32_t> {
                             auto found = lengths.find(std::string(path));
                             if (found == lengths.end()) return std::nullopt;
                             return found->second;
                           }};
  LoggingMedia media{simulated};
  Program program{ui, clock, files, media};

  void SetUp() override {
    testing::ListNamesakes(
        program,
        {{"/m/d1/", "x.mp3"}, {"/m/d1/", "y.mp3"}, {"/m/d2/", "x.mp3"}, {"/m/d2/", "y.mp3"}},
        "/m/");
  }

  // The row that shows the file in `folder` ("d1") named `name`.
  std::int32_t RowOf(const std::string& folder, const std::string& name) {
    auto& rows = ui.Rows(id::kResultList);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].cells[0] == name && rows[i].cells[2] == ".../" + folder + "/") {
        return static_cast<std::int32_t>(i);
      }
    }
    ADD_FAILURE() << folder << "/" << name << " has no row";
    return -1;
  }
  void PlayRow(const std::string& folder, const std::string& name) {
    ui.SelectRow(id::kResultList, RowOf(folder, name));
    PressPlay(program);
  }
  std::int32_t Mode() { return MciStatusMode(simulated, 0); }
  std::int32_t Position() { return MciPosition(simulated, 0); }
  std::string Open() { return simulated.OpenPath("MCI_0").value_or("<closed>"); }
};

TEST_F(PlayerTest, PlayOpensTheRecordTheIdNamesAndSetsTheBar) {
  program.rewindOffset = 4000;
  program.forwardOffset = 7000;
  for (auto [folder, name, length] :
       {std::tuple{"d1", "x.mp3", 200000}, std::tuple{"d2", "x.mp3", 300000},
        std::tuple{"d2", "y.mp3", 600000}}) {
    media.Clear();
    PlayRow(folder, name);
    std::string path = std::string("/m/") + folder + "/" + name;
    EXPECT_EQ(media.commands, (Strings{"OPEN \"" + path + "\" Type MPEGVIDEO ALIAS MCI_0",
                                       "status MCI_0 length", "play MCI_0"}));
    EXPECT_EQ(Open(), path);
    EXPECT_EQ(ui.rangeMax[id::kPositionBar], length);
    EXPECT_EQ(ui.rangeMin[id::kPositionBar], 0);
    EXPECT_EQ(program.rewindOffset, 0);
    EXPECT_EQ(program.forwardOffset, 0);
    EXPECT_EQ(Mode(), mci_mode::kPlaying);
    PressStop(program);
  }
}

TEST_F(PlayerTest, DisplayFollowsOnlyWhilePlaying) {
  PlayRow("d2", "x.mp3");
  clock.ticks = 185000;
  media.Clear();
  RefreshPlayDisplay(program);
  EXPECT_EQ(media.commands,
            (Strings{"status MCI_0 mode", "status MCI_0 position", "status MCI_0 position"}));
  EXPECT_EQ(ui.states[id::kPositionBar], 185000);
  EXPECT_EQ(ui.texts[id::kTimeField], "00:03:05");

  PressPause(program);
  clock.ticks = 250000;
  media.Clear();
  RefreshPlayDisplay(program);
  EXPECT_EQ(media.commands, (Strings{"status MCI_0 mode"}));
  EXPECT_EQ(ui.states[id::kPositionBar], 185000);  // a pause keeps what was shown
  EXPECT_EQ(ui.texts[id::kTimeField], "00:03:05");

  PressPlay(program);    // resumes from 185000
  clock.ticks = 400000;  // 150000 later: past the end of the 300000 ms file
  RefreshPlayDisplay(program);
  EXPECT_EQ(Mode(), mci_mode::kStopped);
  EXPECT_EQ(ui.texts[id::kTimeField], "00:03:05");  // the end leaves the last display
}

TEST_F(PlayerTest, WakeupsAreOnExactlyWhilePlaying) {
  RefreshPlayDisplay(program);  // nothing open: already off, the Ui is not called
  EXPECT_TRUE(ui.wakeupCalls.empty());
  PlayRow("d1", "y.mp3");  // 50000 ms
  RefreshPlayDisplay(program);
  RefreshPlayDisplay(program);
  EXPECT_EQ(ui.wakeupCalls, (std::vector<bool>{true}));
  PressPause(program);
  RefreshPlayDisplay(program);
  PressPlay(program);
  RefreshPlayDisplay(program);
  clock.ticks = 60000;  // ended
  RefreshPlayDisplay(program);
  RefreshPlayDisplay(program);
  EXPECT_EQ(ui.wakeupCalls, (std::vector<bool>{true, false, true, false}));
  EXPECT_FALSE(program.playbackWakeupsOn);

  PressForward(program);  // a target beyond the end: refused
  PressRewind(program);   // 50000 - 1000
  RefreshPlayDisplay(program);
  PressStop(program);
  RefreshPlayDisplay(program);
  EXPECT_EQ(ui.wakeupCalls, (std::vector<bool>{true, false, true, false, true, false}));
  EXPECT_FALSE(ui.playbackWakeups);
}

TEST_F(PlayerTest, WithoutASelectedRowAllSixAreDisabledWhileTheFilePlaysOn) {
  PlayRow("d1", "x.mp3");
  ui.SelectRow(id::kResultList, -1);
  ApplyPlayerEnableRule(program);
  for (int control : {13, 1, 2, 3, 4, 5}) EXPECT_TRUE(ui.IsDisabled(control)) << control;
  clock.ticks = 61000;
  RefreshPlayDisplay(program);
  EXPECT_EQ(Mode(), mci_mode::kPlaying);
  EXPECT_EQ(ui.texts[id::kTimeField], "00:01:01");
  ui.SelectRow(id::kResultList, 0);
  ApplyPlayerEnableRule(program);
  for (int control : {13, 1, 2, 3, 4, 5}) EXPECT_FALSE(ui.IsDisabled(control)) << control;
}

TEST_F(PlayerTest, PlayOnAnotherRowKeepsTheFirstFilePlaying) {
  PlayRow("d1", "x.mp3");  // 200000 ms
  clock.ticks = 20000;
  PressRewind(program);
  PressForward(program);
  PressForward(program);
  clock.ticks = 30000;
  std::int32_t before = Position();
  ui.SetControlAttribute(id::kPositionBar, attribute::kRangeMaximum, 1);
  media.Clear();
  PlayRow("d2", "y.mp3");
  EXPECT_EQ(media.results[0], SimulatedMedia::kAliasTaken);  // the open was refused
  EXPECT_EQ(Open(), "/m/d1/x.mp3");
  EXPECT_EQ(ui.rangeMax[id::kPositionBar], 200000);  // the first file's length again
  EXPECT_EQ(program.rewindOffset, 0);
  EXPECT_EQ(program.forwardOffset, 0);
  EXPECT_EQ(Mode(), mci_mode::kPlaying);
  EXPECT_EQ(Position(), before);  // it plays on from where it was, not from the start
}

TEST_F(PlayerTest, EachRewindPressJumpsOneSecondFurther) {
  PlayRow("d2", "y.mp3");
  clock.ticks = 10000;  // at 10000
  PressRewind(program);
  clock.ticks = 15000;  // at 9000 + 5000
  PressRewind(program);
  clock.ticks = 20000;  // at 12000 + 5000
  PressRewind(program);
  EXPECT_EQ(media.Sent("play MCI_0 from "),
            (Strings{"play MCI_0 from 9000", "play MCI_0 from 12000", "play MCI_0 from 14000"}));
  EXPECT_EQ(Position(), 14000);

  // The forward offset is separate: its first press jumps one second.
  PressForward(program);
  EXPECT_EQ(media.Sent("play MCI_0 from ").back(), "play MCI_0 from 15000");
  PressForward(program);
  EXPECT_EQ(media.Sent("play MCI_0 from ").back(), "play MCI_0 from 17000");
}

TEST_F(PlayerTest, PauseAndStopKeepTheOffsetsOnlyPlayResetsThem) {
  PlayRow("d2", "y.mp3");
  clock.ticks = 10000;
  PressForward(program);  // 11000
  PressForward(program);  // 13000
  PressPause(program);
  PressForward(program);  // paused: resumes 3000 ahead
  EXPECT_EQ(media.Sent("play MCI_0 from ").back(), "play MCI_0 from 16000");
  EXPECT_EQ(Mode(), mci_mode::kPlaying);

  PressForward(program);  // 20000
  PressStop(program);
  EXPECT_EQ(program.forwardOffset, 4000);
  PlayRow("d2", "y.mp3");
  clock.ticks = 11000;  // 1000 into the reopened file
  PressForward(program);
  EXPECT_EQ(media.Sent("play MCI_0 from ").back(), "play MCI_0 from 2000");
}

TEST_F(PlayerTest, StopWithNothingOpenStillResetsTheDisplay) {
  ui.SetControlText(id::kTimeField, "00:01:02");
  ui.SetControlState(id::kPositionBar, 62);
  PressStop(program);
  EXPECT_EQ(media.commands, (Strings{"stop MCI_0", "close MCI_0"}));
  EXPECT_EQ(media.results, (std::vector<std::uint32_t>{SimulatedMedia::kDeviceNotOpen,
                                                       SimulatedMedia::kDeviceNotOpen}));
  EXPECT_EQ(ui.texts[id::kTimeField], "00:00:00");
  EXPECT_EQ(ui.states[id::kPositionBar], 0);
}

TEST_F(PlayerTest, OnAClosedSlotTargetsAreSentUnchangedAndOffsetsStillGrow) {
  PressPause(program);
  PressRewind(program);
  PressRewind(program);
  PressForward(program);
  EXPECT_EQ(media.Actions(), (Strings{"pause MCI_0", "play MCI_0 from -1000",
                                      "play MCI_0 from -2000", "play MCI_0 from 1000"}));
  for (std::uint32_t result : media.results) EXPECT_NE(result, 0u);
  EXPECT_EQ(program.rewindOffset, 2000);
  EXPECT_EQ(program.forwardOffset, 1000);
  EXPECT_EQ(Open(), "<closed>");

  // Before the start of an open file: sent as it is, refused, playback goes on.
  PlayRow("d1", "x.mp3");
  clock.ticks = 400;
  PressRewind(program);
  EXPECT_EQ(media.commands.back(), "play MCI_0 from -600");
  EXPECT_NE(media.results.back(), 0u);
  EXPECT_EQ(Mode(), mci_mode::kPlaying);
  EXPECT_EQ(Position(), 400);
}

TEST_F(PlayerTest, AFileThatCannotBeOpenedGivesAnEmptyBarAndNoSound) {
  lengths.erase("/m/d1/x.mp3");
  ui.SetControlState(id::kPositionBar, 50);
  PlayRow("d1", "x.mp3");
  EXPECT_NE(media.results[0], 0u);
  EXPECT_EQ(ui.rangeMax[id::kPositionBar], 0);
  EXPECT_EQ(ui.states[id::kPositionBar], 0);
  EXPECT_EQ(ui.texts[id::kTimeField], "00:00:00");
  EXPECT_EQ(Mode(), 0);
}

TEST_F(PlayerTest, PlayWithoutASelectedRowOpensNothing) {
  ui.SelectRow(id::kResultList, -1);
  PressPlay(program);
  EXPECT_EQ(media.Sent("OPEN "), Strings{});
  EXPECT_EQ(Open(), "<closed>");
}

TEST_F(PlayerTest, ButtonsAreDispatchedAndTheExitLeavesTheFilePlaying) {
  ui.SelectRow(id::kResultList, RowOf("d1", "x.mp3"));
  for (int button : {1, 2, 1, 4, 5, 3, 1}) ui.QueueClick(button);
  ui.QueueClose();
  RunMainLoop(program);
  EXPECT_EQ(media.Actions(),
            (Strings{"OPEN \"/m/d1/x.mp3\" Type MPEGVIDEO ALIAS MCI_0", "play MCI_0", "pause MCI_0",
                     "OPEN \"/m/d1/x.mp3\" Type MPEGVIDEO ALIAS MCI_0", "play MCI_0",
                     "play MCI_0 from -1000", "play MCI_0 from 1000", "stop MCI_0", "close MCI_0",
                     "OPEN \"/m/d1/x.mp3\" Type MPEGVIDEO ALIAS MCI_0", "play MCI_0"}));
  EXPECT_EQ(Mode(), mci_mode::kPlaying);  // no stop or close at the end
  EXPECT_TRUE(ui.playbackWakeups);        // the last pass saw it playing
}

}  // namespace
}  // namespace kz
