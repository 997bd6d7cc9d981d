// Random trees with hard links, file links, folder links and loops, searched for real; files
// replaced, rewritten, turned into links or deleted between the search and the removal; random
// ticks. No two rows show one physical file, and the removal takes exactly the ticked rows'
// files that are still what the search listed, and leaves every other entry as it was.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
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
using Disk = std::map<std::string, std::string>;

struct HostileTrial {
  explicit HostileTrial(unsigned seed) : random(seed) {}

  std::mt19937 random;
  testing::TempTree tree;
  testing::FakeUi ui;
  testing::FakeClock clock;
  PosixFileSystem files;
  testing::RecordingMedia media;
  Program program{ui, clock, files, media};
  std::string root = tree.root() + "music/";
  std::vector<std::string> written;  // regular files below the root

  bool Chance(int percent) { return static_cast<int>(random() % 100) < percent; }
  std::string Any(const std::vector<std::string>& from) { return from[random() % from.size()]; }

  void Build() {
    const std::vector<std::string> folders = {"", "a/", "a/b/", "c/", "d e/"};
    const std::vector<std::string> names = {"song.mp3", "Song.mp3", "x.mp3", "t.mp3"};
    for (const std::string& folder : folders) {
      fs::create_directories(root + folder);
      for (const std::string& name : names) {
        if (!Chance(50)) continue;
        written.push_back(
            tree.Write("music/" + folder + name, "sound " + std::to_string(random())));
        if (Chance(10)) fs::permissions(written.back(), fs::perms(0444));
      }
    }
    if (written.empty()) written.push_back(tree.Write("music/only.mp3", "only"));
    // A second name for files: a hard link or a file link in another folder, same file name.
    for (int extra = 0; extra < 3; ++extra) {
      std::string file = Any(written);
      std::string other = root + Any(folders) + fs::path(file).filename().string();
      if (fs::exists(fs::symlink_status(other))) continue;
      if (Chance(50)) {
        fs::create_hard_link(file, other);
      } else {
        fs::create_symlink(file, other);
      }
    }
    // Folder links: into the tree, a loop, and one to a folder outside with namesakes.
    if (Chance(60)) fs::create_directory_symlink(root + Any(folders), root + "alias");
    if (Chance(60)) fs::create_directory_symlink(root + "a", root + "a/b/up");
    if (Chance(60)) {
      tree.Write("outside/song.mp3", "outside " + std::to_string(random()));
      tree.Write("outside/x.mp3", "outside x");
      fs::create_directory_symlink(tree.root() + "outside", root + "c/out");
    }
  }

  Disk Snapshot() { return tree.SnapshotWithLinks(); }

  std::string PathOfRow(const testing::FakeUi::Row& row) {
    return root + row.cells[2].substr(4) + row.cells[0];
  }

  // Changes a file behind the program's back in one of four ways.
  void Change(const std::string& path) {
    switch (random() % 4) {
      case 0: {
        std::string fresh = tree.Write("fresh.tmp", "replacement " + std::to_string(random()));
        fs::rename(fresh, path);
        break;
      }
      case 1: {
        std::string target = Any(written);
        if (fs::weakly_canonical(target) == fs::weakly_canonical(path)) break;
        fs::remove(path);
        fs::create_symlink(target, path);
        break;
      }
      case 2: {
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
        std::ofstream(path, std::ios::binary | std::ios::app) << "more";
        struct timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
        utimensat(AT_FDCWD, path.c_str(), later, 0);
        break;
      }
      default:
        fs::remove(path);
    }
  }
};

TEST(RemovalProperty, HostileTreesLoseOnlyTheTickedRowsOwnFiles) {
  int deletedInAll = 0;
  int refusedInAll = 0;
  for (unsigned seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    HostileTrial trial(seed);
    trial.Build();
    trial.ui.texts[id::kFolderTree] = trial.root;
    ASSERT_EQ(RunSearch(trial.program), Outcome::kContinue);
    auto& rows = trial.ui.Rows(id::kResultList);

    std::set<std::pair<dev_t, ino_t>> shown;
    for (const auto& row : rows) {
      struct stat info {};
      ASSERT_EQ(stat(trial.PathOfRow(row).c_str(), &info), 0);
      EXPECT_TRUE(shown.insert({info.st_dev, info.st_ino}).second)
          << trial.PathOfRow(row) << " is a file another row shows";
    }

    // Each row's file by its real path, taken before anything changes.
    std::vector<std::string> reals;
    for (const auto& row : rows) reals.push_back(fs::weakly_canonical(trial.PathOfRow(row)));
    std::set<std::string> changed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (trial.Chance(20) && changed.insert(reals[i]).second) {
        trial.Change(trial.PathOfRow(rows[i]));
      }
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
      trial.ui.TickRow(id::kResultList, static_cast<std::int32_t>(i), trial.Chance(50));
    }

    Disk expected = trial.Snapshot();
    std::vector<testing::FakeUi::Row> expectedRows;
    int expectedCount = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const auto& row = rows[i];
      std::string path = trial.PathOfRow(row);
      const std::string& real = reals[i];
      struct stat own {};
      bool plain = lstat(path.c_str(), &own) == 0 && S_ISREG(own.st_mode);
      bool goes = (row.state & 2) && !changed.count(real) && plain && (own.st_mode & S_IWUSR);
      if (goes) {
        expected.erase(real);
        ++expectedCount;
      } else {
        expectedRows.push_back(row);
        if (row.state & 2) ++refusedInAll;
      }
    }
    trial.ui.answers = {6};
    RemoveTickedFiles(trial.program);

    ASSERT_EQ(trial.Snapshot(), expected);
    ASSERT_EQ(rows.size(), expectedRows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].cells, expectedRows[i].cells);
      EXPECT_EQ(rows[i].state, expectedRows[i].state);
    }
    EXPECT_EQ(trial.ui.status[0],
              " " + std::to_string(expectedCount) + " Datei(en) erfolgreich gel\xC3\xB6scht!");
    deletedInAll += expectedCount;
  }
  // Only worth something if the trials deleted files and met files they had to leave.
  EXPECT_GT(deletedInAll, 30);
  EXPECT_GT(refusedInAll, 10);
}

}  // namespace
}  // namespace kz
