#include "app/main_loop.h"

#include <gtest/gtest.h>

#include "core/ids.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/recording_media.h"

namespace kz {
namespace {

using testing::FakeClock;
using testing::FakeUi;
using testing::RecordingMedia;

struct LoopTest : ::testing::Test {
  FakeUi ui;
  FakeClock clock;
  PosixFileSystem files;
  RecordingMedia media;
  Program program{ui, clock, files, media};
};

TEST_F(LoopTest, WelcomeTextIsThrottledBySignedTickDifference) {
  clock.ticks = 5000;  // not above 5000 yet
  RefreshStatus(program);
  EXPECT_EQ(ui.status[0], "");
  clock.ticks = 5001;
  RefreshStatus(program);
  EXPECT_EQ(ui.status[0], " Herzlich willkommen zu MP3 - Klangzwilling v1.0");
  EXPECT_EQ(program.lastWelcomeTick, 5001u);

  ui.status[0] = " Suche erfolgreich beendet!";
  clock.ticks = 10001;  // exactly 5000 later: kept
  RefreshStatus(program);
  EXPECT_EQ(ui.status[0], " Suche erfolgreich beendet!");
  clock.ticks = 10002;
  RefreshStatus(program);
  EXPECT_EQ(ui.status[0], " Herzlich willkommen zu MP3 - Klangzwilling v1.0");
}

TEST_F(LoopTest, WelcomeThrottleSurvivesTheTickWrap) {
  program.lastWelcomeTick = 0xFFFFF000u;  // 4096 ms before the wrap
  clock.ticks = 500;                      // 4596 ms later
  RefreshStatus(program);
  EXPECT_EQ(ui.status[0], "");
  clock.ticks = 1000;  // 5096 ms later
  RefreshStatus(program);
  EXPECT_EQ(ui.status[0], " Herzlich willkommen zu MP3 - Klangzwilling v1.0");

  // A tick count that reads negative as a signed number writes nothing at start-up.
  program.lastWelcomeTick = 0;
  ui.status[0] = "";
  clock.ticks = 0x80000001u;
  RefreshStatus(program);
  EXPECT_EQ(ui.status[0], "");
}

TEST_F(LoopTest, RowCountIsWrittenOnlyWhenItChanged) {
  RefreshStatus(program);
  EXPECT_EQ(ui.status[1], "");  // 0 rows, as last shown
  ui.AddRow(id::kResultList, -1, "a.mp3\n1 KB\n...\\\n0");
  ui.AddRow(id::kResultList, -1, "a.mp3\n1 KB\n...\\x\\\n1");
  RefreshStatus(program);
  EXPECT_EQ(ui.status[1], "Anzahl Dateien : 2");
  ui.status[1] = "Anzahl Dateien : 0";  // written elsewhere, without the loop knowing
  RefreshStatus(program);
  EXPECT_EQ(ui.status[1], "Anzahl Dateien : 0");
  ui.RemoveRow(id::kResultList, 0);
  RefreshStatus(program);
  EXPECT_EQ(ui.status[1], "Anzahl Dateien : 1");
}

TEST_F(LoopTest, FirstPassDisablesSearchAndPlayerControls) {
  ASSERT_EQ(RunPass(program), Outcome::kExit);  // the empty script closes the window
  for (int control : {0, 1, 2, 3, 4, 5, 13}) EXPECT_TRUE(ui.IsDisabled(control)) << control;
  EXPECT_TRUE(ui.IsMenuItemDisabled(id::kPropertiesItem));
  EXPECT_TRUE(ui.IsMenuItemDisabled(id::kRemoveItem));
  EXPECT_TRUE(ui.IsMenuItemDisabled(id::kRecycleItem));
  for (int item : {id::kTickAllButLargestItem, id::kTickFolderItem, id::kClearTicksItem}) {
    EXPECT_TRUE(ui.IsMenuItemDisabled(item)) << "greyed while the list is empty: " << item;
  }
}

TEST_F(LoopTest, EnableRulesFollowTicksSelectionAndTree) {
  ui.AddRow(id::kResultList, -1, "a.mp3\n1 KB\n...\\\n0");
  ui.AddRow(id::kResultList, -1, "b.mp3\n1 KB\n...\\\n1");

  ui.TickRow(id::kResultList, 1, true);  // ticked, not selected
  ApplyEnableRules(program);
  EXPECT_FALSE(ui.IsMenuItemDisabled(id::kRemoveItem));
  EXPECT_FALSE(ui.IsMenuItemDisabled(id::kRecycleItem));
  EXPECT_TRUE(ui.IsMenuItemDisabled(id::kPropertiesItem));
  EXPECT_TRUE(ui.IsDisabled(id::kPlayButton));
  EXPECT_FALSE(ui.IsMenuItemDisabled(id::kTickAllButLargestItem));
  EXPECT_TRUE(ui.IsMenuItemDisabled(id::kTickFolderItem)) << "needs a selected row";
  EXPECT_FALSE(ui.IsMenuItemDisabled(id::kClearTicksItem));

  ui.TickRow(id::kResultList, 1, false);
  ui.SelectRow(id::kResultList, 0);  // selected, not ticked
  ApplyEnableRules(program);
  EXPECT_TRUE(ui.IsMenuItemDisabled(id::kRemoveItem));
  EXPECT_TRUE(ui.IsMenuItemDisabled(id::kRecycleItem));
  EXPECT_FALSE(ui.IsMenuItemDisabled(id::kPropertiesItem));
  EXPECT_FALSE(ui.IsMenuItemDisabled(id::kTickFolderItem));
  for (int control : {1, 2, 3, 4, 5, 13}) EXPECT_FALSE(ui.IsDisabled(control)) << control;

  EXPECT_TRUE(ui.IsDisabled(id::kSearchButton));
  ui.texts[id::kFolderTree] = "D:\\";
  ApplyEnableRules(program);
  EXPECT_FALSE(ui.IsDisabled(id::kSearchButton));
  ui.texts[id::kFolderTree] = "";
  ApplyEnableRules(program);
  EXPECT_TRUE(ui.IsDisabled(id::kSearchButton));
}

TEST_F(LoopTest, PlayerControlsAreSwitchedInOrder) {
  ui.log.clear();
  ApplyEnableRules(program);
  std::vector<std::string> player;
  for (const std::string& line : ui.log) {
    if (line.rfind("DisableControl", 0) == 0 && line != "DisableControl 0 1")
      player.push_back(line);
  }
  EXPECT_EQ(player, (std::vector<std::string>{"DisableControl 13 1", "DisableControl 1 1",
                                              "DisableControl 2 1", "DisableControl 3 1",
                                              "DisableControl 4 1", "DisableControl 5 1"}));
}

TEST_F(LoopTest, RightClicksOpenTheMenuAndOtherEventsAreDropped) {
  ui.QueueEvent({516});
  EXPECT_EQ(RunPass(program), Outcome::kContinue);
  EXPECT_EQ(ui.menusShown, 1);
  ui.QueueEvent({13100, id::kResultList, 1});
  EXPECT_EQ(RunPass(program), Outcome::kContinue);
  EXPECT_EQ(ui.menusShown, 2);
  ui.QueueEvent({13100, id::kResultList, 0});
  ui.QueueEvent({13100, id::kPositionBar, 0});
  ui.QueueEvent({13101, 5, -1});
  ui.QueueEvent({512});
  for (int i = 0; i < 4; ++i) EXPECT_EQ(RunPass(program), Outcome::kContinue);
  EXPECT_EQ(ui.menusShown, 2);
  ui.QueueClose();
  EXPECT_EQ(RunPass(program), Outcome::kExit);
}

}  // namespace
}  // namespace kz
