// The removal of many ticked files: each folder opened and checked once for all of its files,
// the window kept alive with progress, and a close request honoured after the file in hand.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/main_loop.h"
#include "core/ids.h"
#include "platform/forwarding_file_system.h"
#include "platform/posix/posix_file_system.h"
#include "removal/remove_ticked_files.h"
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

// Counts the folders opened and the deletes asked for, by path.
class CountingFiles final : public ForwardingFileSystem {
 public:
  explicit CountingFiles(FileSystem& inner) : ForwardingFileSystem(inner) {}
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view directory,
                                                 const ObjectId& expected) override {
    ++opened[std::string(directory)];
    if (beforeOpen) beforeOpen(directory);
    std::unique_ptr<ListedFolder> folder = inner_.OpenListedFolder(directory, expected);
    if (!folder) return nullptr;
    return std::make_unique<Counted>(std::move(folder), std::string(directory), deletes);
  }
  std::map<std::string, int> opened;
  std::map<std::string, int> deletes;
  std::function<void(std::string_view)> beforeOpen;

 private:
  class Counted final : public ListedFolder {
   public:
    Counted(std::unique_ptr<ListedFolder> inner, std::string directory,
            std::map<std::string, int>& deletes)
        : inner_(std::move(inner)), directory_(std::move(directory)), deletes_(deletes) {}
    bool RemoveFile(std::string_view name, const FileIdentity& expected) override {
      ++deletes_[directory_ + std::string(name)];
      return inner_->RemoveFile(name, expected);
    }
    bool RecycleFile(std::string_view name, const FileIdentity& expected) override {
      return inner_->RecycleFile(name, expected);
    }
    std::unique_ptr<ReadOnlyFile> OpenFile(std::string_view name,
                                           const FileIdentity& expected) override {
      return inner_->OpenFile(name, expected);
    }

   private:
    std::unique_ptr<ListedFolder> inner_;
    std::string directory_;
    std::map<std::string, int>& deletes_;
  };
};

// Four album folders with the same six song names: 24 rows.
struct ManyFoldersTest : ::testing::Test {
  static constexpr int kFolders = 4;
  static constexpr int kSongs = 6;
  testing::TempTree tree;
  FakeUi ui;
  FakeClock clock;
  PosixFileSystem posix;
  CountingFiles files{posix};
  SimulatedMedia simulated{clock, [](std::string_view) { return 1000; }};
  testing::LoggingMedia media{simulated};
  Program program{ui, clock, files, media};

  void SetUp() override {
    std::vector<testing::FoundFile> scan;
    for (int folder = 0; folder < kFolders; ++folder) {
      for (int song = 0; song < kSongs; ++song) {
        std::string relative = Folder(folder) + "song" + std::to_string(song) + ".mp3";
        tree.Write(relative, "song " + std::to_string(song) + " of " + Folder(folder));
        scan.push_back({tree.root() + Folder(folder), "song" + std::to_string(song) + ".mp3"});
      }
    }
    testing::ListNamesakes(program, scan, tree.root());
    ui.answers = {6};
  }
  static std::string Folder(int folder) { return "album" + std::to_string(folder) + "/"; }
  void TickAll() {
    for (std::int32_t row = 0; row < ui.RowCount(id::kResultList); ++row)
      ui.TickRow(id::kResultList, row, true);
  }
  int FilesLeft() { return static_cast<int>(tree.Snapshot().size()); }
};

TEST_F(ManyFoldersTest, EachFolderIsOpenedOnceForAllOfItsTickedFiles) {
  TickAll();
  EXPECT_EQ(RemoveTickedFiles(program), Outcome::kContinue);
  EXPECT_EQ(ui.status[0], " 24 Datei(en) erfolgreich gel\xC3\xB6scht!");
  EXPECT_EQ(FilesLeft(), 0);
  EXPECT_EQ(ui.RowCount(id::kResultList), 0);
  ASSERT_EQ(files.opened.size(), std::size_t{kFolders});
  for (const auto& [folder, times] : files.opened) EXPECT_EQ(times, 1) << folder;
  for (const auto& [file, times] : files.deletes) EXPECT_EQ(times, 1) << file;
  EXPECT_FALSE(ui.inputDropped) << "input is taken again after the removal";
}

TEST_F(ManyFoldersTest, AFolderReplacedAfterTheSearchKeepsItsFiles) {
  TickAll();
  // Another folder now stands where album2/ was, holding files of the same names.
  std::string replaced = tree.root() + Folder(2);
  bool done = false;
  files.beforeOpen = [&](std::string_view directory) {
    if (directory != replaced || std::exchange(done, true)) return;
    fs::rename(replaced, tree.root() + "album2-old");
    for (int song = 0; song < kSongs; ++song)
      tree.Write(Folder(2) + "song" + std::to_string(song) + ".mp3", "another file");
  };
  RemoveTickedFiles(program);
  EXPECT_EQ(ui.status[0], " 18 Datei(en) erfolgreich gel\xC3\xB6scht!");
  EXPECT_EQ(files.deletes.count(replaced + "song0.mp3"), 0u) << "no file of it is asked for";
  EXPECT_EQ(FilesLeft(), 2 * kSongs) << "the new folder's files and the moved ones stay";
  EXPECT_EQ(ui.RowCount(id::kResultList), kSongs);
  for (std::int32_t row = 0; row < kSongs; ++row)
    EXPECT_EQ(ui.RowState(id::kResultList, row), 2) << "still ticked";
}

TEST_F(ManyFoldersTest, ShowsProgressAndDropsInputWhileItRuns) {
  TickAll();
  clock.step = 70;  // every look at the clock 70 ms later
  std::vector<std::string> progress;
  bool droppedMeanwhile = false;
  ui.onEvent = [&] {
    droppedMeanwhile = droppedMeanwhile || ui.inputDropped;
    progress.push_back(ui.status[0]);
  };
  RemoveTickedFiles(program);
  EXPECT_TRUE(droppedMeanwhile);
  EXPECT_GE(ui.polls, 2);
  std::vector<std::string> counts;
  for (const std::string& line : ui.log) {
    if (line.starts_with("SetStatusText 0 ") && line.ends_with(" Datei(en) gel\xC3\xB6scht"))
      counts.push_back(line.substr(16));
  }
  ASSERT_GE(counts.size(), 3u) << "progress at most every 200 ms, but shown";
  EXPECT_LE(counts.size(), 24u * 70 / 200 + 1);
  EXPECT_EQ(counts.front().find(" von 24 "), counts.front().find(" von "));
  EXPECT_EQ(ui.status[0], " 24 Datei(en) erfolgreich gel\xC3\xB6scht!");
}

TEST_F(ManyFoldersTest, ALongRemovalsOutcomeStaysInViewAsAQuickOnesDoes) {
  TickAll();
  clock.step = 300;  // seconds pass while the files go
  RemoveTickedFiles(program);
  RefreshStatus(program);
  EXPECT_EQ(ui.status[0], " 24 Datei(en) erfolgreich gel\xC3\xB6scht!");
}

TEST_F(ManyFoldersTest, ACloseRequestEndsTheRemovalAfterTheFileInHand) {
  TickAll();
  ui.TickRow(id::kResultList, 5, false);  // one row the user did not tick
  auto untickedFile = ui.Rows(id::kResultList)[5].cells;
  clock.step = 10;
  int pollsBeforeClose = 3;
  ui.onEvent = [&] {
    if (--pollsBeforeClose == 0) ui.QueueClose();
  };
  EXPECT_EQ(RemoveTickedFiles(program), Outcome::kExit);
  int gone = kFolders * kSongs - FilesLeft();
  EXPECT_GT(gone, 0);
  EXPECT_LT(gone, 23) << "the rest is left as it is";
  for (const auto& [file, times] : files.deletes) EXPECT_EQ(times, 1) << file;
  EXPECT_EQ(static_cast<int>(files.deletes.size()), gone) << "every delete asked for is done";
  std::string unticked = tree.root() + untickedFile[2].substr(4) + untickedFile[0];
  EXPECT_TRUE(fs::exists(unticked));
  EXPECT_EQ(files.deletes.count(unticked), 0u);
  EXPECT_FALSE(ui.inputDropped);
}

}  // namespace
}  // namespace kz
