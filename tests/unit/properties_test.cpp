#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/main_loop.h"
#include "app/show_properties.h"
#include "core/ids.h"
#include "core/result_row.h"
#include "mp3/timestamp.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/recording_media.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::FakeClock;
using testing::FakeUi;
using testing::Mp3Bytes;
using testing::RecordingMedia;
using testing::TempFolder;

// A search result of two records, "a.mp3" (id 0, missing on disk) and "b.mp3" (id 1, 100 frames
// at 128 kbit/s), shown in rows of the result list in the order b, a.
struct PropertiesTest : ::testing::Test {
  TempFolder folder;
  FakeUi ui;
  FakeClock clock;
  PosixFileSystem files;
  RecordingMedia media;
  Program program{ui, clock, files, media};
  std::string bPath;

  PropertiesTest() {
    Mp3Bytes b;
    b.Frames(0xFB, 0x90, 417, 100).Filler(128);
    bPath = folder.Write("b.mp3", b.bytes());
    for (const char* name : {"a.mp3", "b.mp3"}) {
      for (RecordList* list : {&program.duplicateIndex, &program.duplicateList}) {
        FileRecord& record = list->insertAfterCurrent();
        record.id = list->count() - 1;
        record.name = name;
        record.directory = folder.directory();
      }
    }
    program.resultRoot = folder.directory();
    for (std::int32_t position : {1, 0}) {
      ui.AddRow(id::kResultList, -1,
                RowText(*program.duplicateIndex.selectAt(position), program.resultRoot, '/'));
    }
  }

  std::vector<std::string> PropertyCells(std::size_t column) {
    std::vector<std::string> cells;
    for (const FakeUi::Row& row : ui.Rows(id::kPropertiesList))
      cells.push_back(row.cells.at(column));
    return cells;
  }
  std::vector<std::string> WindowCalls() {
    std::vector<std::string> calls;
    for (const std::string& entry : ui.log) {
      if (entry.starts_with("EnableMainWindow") || entry.ends_with("PropertiesWindow")) {
        calls.push_back(entry);
      }
    }
    return calls;
  }
};

TEST_F(PropertiesTest, ShowsTheFileOfTheSelectedRowsId) {
  ui.SelectRow(id::kResultList, 0);  // row 0 carries id 1
  EXPECT_EQ(ShowProperties(program), Outcome::kContinue);

  EXPECT_EQ(PropertyCells(0), (std::vector<std::string>{"Dauer", "Bitrate", "Frequenz",
                                                        "Gr\xC3\xB6sse", "Datei erstellt am"}));
  std::string date = FormatTimestamp("%mm.%dd.%yyyy", FileCreationTimestamp(files, bPath));
  EXPECT_EQ(PropertyCells(1),
            (std::vector<std::string>{"00:02 Min", "128 kBit/s", "44100 Hz", "41 KB", date}));
  EXPECT_EQ(program.mp3Info.fileSize, 41828);
  EXPECT_EQ(program.mp3Info.durationMs, 2612);
  EXPECT_EQ(program.mp3Info.frameCount, 100);

  // The playing time goes into the DuplicateIndex record alone.
  EXPECT_EQ(program.duplicateIndex.selectAt(1)->durationText, "00:02");
  EXPECT_TRUE(program.duplicateIndex.selectAt(0)->durationText.empty());
  EXPECT_TRUE(program.duplicateList.selectAt(1)->durationText.empty());
}

TEST_F(PropertiesTest, MainWindowIsDisabledWhileTheWindowWaitsForItsClose) {
  ui.SelectRow(id::kResultList, 1);
  ui.QueueClick(id::kPlayButton);
  ui.QueueMenu(id::kRemoveItem);
  ui.QueueEvent({event::kRightButtonDown});
  ui.QueueClose();
  ui.QueueClick(id::kStopButton);  // after the close: left for the main loop
  std::vector<bool> enabledDuringWait;
  ui.onEvent = [&] {
    enabledDuringWait.push_back(ui.mainWindowEnabled);
    EXPECT_TRUE(ui.propertiesOpen);
    EXPECT_EQ(ui.RowCount(id::kPropertiesList), 5);  // the rows stand before the wait
  };

  EXPECT_EQ(ShowProperties(program), Outcome::kContinue);
  EXPECT_EQ(enabledDuringWait, std::vector<bool>(4, false));
  EXPECT_EQ(ui.waits, 4);
  ASSERT_EQ(ui.events.size(), 1u);
  EXPECT_EQ(ui.events.front().source, id::kStopButton);
  EXPECT_EQ(WindowCalls(),
            (std::vector<std::string>{"EnableMainWindow 0", "OpenPropertiesWindow",
                                      "ClosePropertiesWindow", "EnableMainWindow 1"}));
  EXPECT_TRUE(ui.mainWindowEnabled);
  EXPECT_FALSE(ui.propertiesOpen);
  EXPECT_TRUE(media.commands.empty());  // dropped clicks reach no handler
}

TEST_F(PropertiesTest, DeletedFileShowsTheInitialFieldsAndTheFirstDay) {
  ui.SelectRow(id::kResultList, 1);  // id 0: a.mp3 does not exist
  program.mp3Info = {1, 2, 3, 4, 5};
  ShowProperties(program);
  EXPECT_EQ(PropertyCells(1),
            (std::vector<std::string>{"00:00 Min", "0 kBit/s", "-1 Hz", "1 KB", "01.01.1970"}));
  EXPECT_EQ(program.duplicateIndex.selectAt(0)->durationText, "00:00");
}

TEST_F(PropertiesTest, WithoutASelectedRowNothingHappens) {
  ui.QueueClose();
  program.mp3Info = {1, 2, 3, 4, 5};
  EXPECT_EQ(ShowProperties(program), Outcome::kContinue);
  EXPECT_TRUE(WindowCalls().empty());
  EXPECT_EQ(ui.waits, 0);
  EXPECT_EQ(ui.events.size(), 1u);
  EXPECT_EQ(program.mp3Info.durationMs, 2);
  EXPECT_TRUE(program.duplicateIndex.selectAt(0)->durationText.empty());
}

TEST_F(PropertiesTest, WindowThatCannotOpenGivesTheMainWindowBack) {
  ui.SelectRow(id::kResultList, 0);
  ui.propertiesCanOpen = false;
  ui.QueueClose();
  EXPECT_EQ(ShowProperties(program), Outcome::kContinue);
  EXPECT_EQ(WindowCalls(), (std::vector<std::string>{"EnableMainWindow 0", "OpenPropertiesWindow",
                                                     "EnableMainWindow 1"}));
  EXPECT_EQ(ui.waits, 0);
  EXPECT_TRUE(ui.mainWindowEnabled);
  EXPECT_TRUE(program.duplicateIndex.selectAt(1)->durationText.empty());
}

TEST_F(PropertiesTest, CloseDuringTheWaitKeepsTheProgramRunning) {
  ui.SelectRow(id::kResultList, 0);
  ui.QueueMenu(id::kPropertiesItem);
  ui.QueueClose();  // meant for the main window: closes the properties window only
  EXPECT_EQ(RunPass(program), Outcome::kContinue);
  EXPECT_EQ(WindowCalls().size(), 4u);
  EXPECT_EQ(program.duplicateIndex.selectAt(1)->durationText, "00:02");

  ui.QueueClose();  // the next close reaches the main loop
  EXPECT_EQ(RunPass(program), Outcome::kExit);
}

TEST_F(PropertiesTest, DispatchRunsItForTheFirstMenuItem) {
  ui.SelectRow(id::kResultList, 0);
  EXPECT_EQ(DispatchMenuEvent(program, id::kPropertiesItem), Outcome::kContinue);
  EXPECT_EQ(WindowCalls().size(), 4u);
}

}  // namespace
}  // namespace kz
