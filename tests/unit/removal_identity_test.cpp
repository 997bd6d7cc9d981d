// The removal deletes a ticked row's file only while it is the very file the search listed:
// files replaced, rewritten, turned into links or reached through a replaced folder stay, with
// their rows still ticked, and so does every file they might lead to.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/ids.h"
#include "platform/posix/posix_file_system.h"
#include "removal/remove_ticked_files.h"
#include "search/run_search.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/recording_media.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::string>;

struct RemovalIdentityTest : ::testing::Test {
  testing::TempTree tree;
  testing::FakeUi ui;
  testing::FakeClock clock;
  PosixFileSystem files;
  testing::RecordingMedia media;
  Program program{ui, clock, files, media};
  std::string root = tree.root() + "music/";

  // Searches `music/`, ticks the row of music/`relative`, changes the disk, answers Yes.
  void SearchTickChangeRemove(const std::string& relative, const std::function<void()>& change) {
    ui.texts[id::kFolderTree] = root;
    ASSERT_EQ(RunSearch(program), Outcome::kContinue);
    std::int32_t row = RowOf(relative);
    ASSERT_GE(row, 0) << relative;
    ui.TickRow(id::kResultList, row, true);
    change();
    ui.answers = {6};
    RemoveTickedFiles(program);
  }
  std::int32_t RowOf(const std::string& relative) {
    auto& rows = ui.Rows(id::kResultList);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].cells[2].substr(4) + rows[i].cells[0] == relative) return static_cast<int>(i);
    }
    return -1;
  }
  bool StillTicked(const std::string& relative) {
    std::int32_t row = RowOf(relative);
    return row >= 0 && ui.RowState(id::kResultList, row) == 2;
  }
  Snapshot Disk() { return tree.SnapshotWithLinks(); }
  void ExpectNothingDeleted(const Snapshot& expected, const std::string& relative) {
    EXPECT_EQ(Disk(), expected);
    EXPECT_EQ(ui.status[0], " 0 Datei(en) erfolgreich gel\xC3\xB6scht!");
    EXPECT_TRUE(StillTicked(relative));
  }
};

TEST_F(RemovalIdentityTest, AnUnchangedFileIsDeleted) {
  tree.Write("music/a/song.mp3", "first");
  tree.Write("music/b/song.mp3", "second");
  Snapshot expected;
  SearchTickChangeRemove("a/song.mp3", [&] { expected = Disk(); });
  expected.erase(root + "a/song.mp3");
  EXPECT_EQ(Disk(), expected);
  EXPECT_EQ(ui.status[0], " 1 Datei(en) erfolgreich gel\xC3\xB6scht!");
  EXPECT_EQ(RowOf("a/song.mp3"), -1);
}

TEST_F(RemovalIdentityTest, AFileReplacedAfterTheSearchStays) {
  tree.Write("music/a/song.mp3", "first");
  tree.Write("music/b/song.mp3", "second");
  Snapshot expected;
  SearchTickChangeRemove("a/song.mp3", [&] {
    std::string fresh = tree.Write("music/a/new.tmp", "never seen by the user");
    fs::rename(fresh, root + "a/song.mp3");
    expected = Disk();
  });
  ExpectNothingDeleted(expected, "a/song.mp3");
}

TEST_F(RemovalIdentityTest, AFileRewrittenInPlaceStays) {
  std::string path = tree.Write("music/a/song.mp3", "first");
  tree.Write("music/b/song.mp3", "second");
  Snapshot expected;
  SearchTickChangeRemove("a/song.mp3", [&] {
    struct timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
    std::ofstream(path, std::ios::binary) << "other music";
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), later, 0), 0);
    expected = Disk();
  });
  ExpectNothingDeleted(expected, "a/song.mp3");
}

TEST_F(RemovalIdentityTest, AFileTurnedIntoALinkStaysAndSoDoesItsTarget) {
  tree.Write("music/a/song.mp3", "first");
  tree.Write("music/b/song.mp3", "second");
  std::string unticked = tree.Write("music/c/keep.mp3", "unticked");
  Snapshot expected;
  SearchTickChangeRemove("a/song.mp3", [&] {
    std::string saved = root + "a/song.mp3";
    fs::rename(saved, tree.root() + "saved.mp3");
    fs::create_symlink(tree.root() + "saved.mp3", saved);
    expected = Disk();
  });
  ExpectNothingDeleted(expected, "a/song.mp3");
}

TEST_F(RemovalIdentityTest, AFolderReplacedByALinkSendsNoDeleteOutOfTheTree) {
  tree.Write("music/a/song.mp3", "first");
  tree.Write("music/b/song.mp3", "second");
  tree.Write("elsewhere/song.mp3", "outside the searched tree");
  Snapshot expected;
  SearchTickChangeRemove("a/song.mp3", [&] {
    fs::rename(root + "a", tree.root() + "a-moved");
    fs::create_directory_symlink(tree.root() + "elsewhere", root + "a");
    expected = Disk();
  });
  ExpectNothingDeleted(expected, "a/song.mp3");
}

TEST_F(RemovalIdentityTest, AVanishedFileDoesNotTakeANamesakeOfAnotherCase) {
  tree.Write("music/a/Song.mp3", "first");
  tree.Write("music/b/Song.mp3", "second");
  Snapshot expected;
  SearchTickChangeRemove("a/Song.mp3", [&] {
    fs::remove(root + "a/Song.mp3");
    tree.Write("music/a/song.mp3", "another song");
    expected = Disk();
  });
  ExpectNothingDeleted(expected, "a/Song.mp3");
}

TEST_F(RemovalIdentityTest, AFileLinkRowDeletesNeitherLinkNorTarget) {
  std::string target = tree.Write("outside/song.mp3", "the only copy");
  tree.Write("music/b/song.mp3", "a namesake");
  fs::create_directories(root + "a");
  fs::create_symlink(target, root + "a/song.mp3");
  Snapshot expected;
  SearchTickChangeRemove("a/song.mp3", [&] { expected = Disk(); });
  ExpectNothingDeleted(expected, "a/song.mp3");
}

}  // namespace
}  // namespace kz
