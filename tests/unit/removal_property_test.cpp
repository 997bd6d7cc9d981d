// Random trees of namesakes, random ticks, several removals in a row: each removal deletes the
// files of exactly the rows ticked when Yes was answered and leaves every other byte alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "core/ids.h"
#include "platform/posix/posix_file_system.h"
#include "removal/remove_ticked_files.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/result_rows.h"
#include "tests/fakes/simulated_media.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::string>;

struct Trial {
  explicit Trial(unsigned seed) : random(seed) {}

  std::mt19937 random;
  testing::TempTree tree;
  testing::FakeUi ui;
  testing::FakeClock clock;
  PosixFileSystem files;
  SimulatedMedia media{clock, [](std::string_view) { return std::optional<std::int32_t>(1000); }};
  Program program{ui, clock, files, media};

  bool Chance(int percent) { return static_cast<int>(random() % 100) < percent; }

  // Folders at several depths, names that differ only in letter case or by a blank, files with
  // contents of their own, and files that are no MP3s at all.
  void Build() {
    const std::vector<std::string> folders = {"", "a/", "a/b/", "a/b/c/", "B/", "mit Blank/"};
    const std::vector<std::string> names = {"song.mp3", "Song.mp3", "s o n g.mp3",
                                            "x.MP3",    "lied.mp3", "t.mp3"};
    std::vector<testing::FoundFile> scan;
    for (const std::string& folder : folders) {
      for (const std::string& name : names) {
        if (!Chance(55)) continue;
        std::string content(random() % 200, '\0');
        for (char& byte : content) byte = static_cast<char>(random());
        std::string path = tree.Write(folder + name, content + folder + name);
        scan.push_back({tree.root() + folder, name});
        if (Chance(15)) fs::permissions(path, fs::perms(0444));
      }
      if (Chance(50)) tree.Write(folder + "cover.jpg", "image of " + folder);
    }
    std::shuffle(scan.begin(), scan.end(), random);
    testing::ListNamesakes(program, scan, tree.root());
  }

  // A row's file as the row shows it, independently of its ID: root, folder cell, name cell.
  std::string ShownPath(const testing::FakeUi::Row& row) {
    return tree.root() + row.cells[2].substr(4) + row.cells[0];
  }
  static bool Writable(const std::string& path) {
    return (fs::status(path).permissions() & fs::perms::owner_write) != fs::perms::none;
  }
};

TEST(RemovalProperty, ExactlyTheTickedFilesGoAndEverythingElseStays) {
  int deletedInAll = 0;
  int keptTickedInAll = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Trial trial(seed);
    trial.Build();
    auto& rows = trial.ui.Rows(id::kResultList);
    int rounds = 2 + static_cast<int>(trial.random() % 2);  // one or two before the last
    for (int round = 0; round < rounds; ++round) {
      for (std::size_t i = 0; i < rows.size(); ++i) {
        trial.ui.TickRow(id::kResultList, static_cast<std::int32_t>(i), trial.Chance(35));
      }
      std::int32_t selected = rows.empty() || trial.Chance(30)
                                  ? -1
                                  : static_cast<std::int32_t>(trial.random() % rows.size());
      trial.ui.SelectRow(id::kResultList, selected);
      bool yes = trial.Chance(80);
      trial.ui.answers = {yes ? 6 : 7};

      Snapshot before = trial.tree.Snapshot();
      std::vector<testing::FakeUi::Row> expectedRows;
      Snapshot expectedFiles = before;
      int expectedCount = 0;
      for (const auto& row : rows) {
        std::string path = trial.ShownPath(row);
        bool goes = yes && (row.state & 2) && Trial::Writable(path);
        if (goes) {
          expectedFiles.erase(path);
          ++expectedCount;
        } else {
          expectedRows.push_back(row);
          if (yes && (row.state & 2)) ++keptTickedInAll;
        }
      }

      RemoveTickedFiles(trial.program);

      ASSERT_EQ(trial.tree.Snapshot(), expectedFiles) << "round " << round;
      ASSERT_EQ(rows.size(), expectedRows.size());
      for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].cells, expectedRows[i].cells);
        EXPECT_EQ(rows[i].state, expectedRows[i].state);  // a kept row stays ticked
      }
      EXPECT_EQ(trial.ui.status[0],
                yes ? " " + IntToDecimal(expectedCount) + " Datei(en) erfolgreich gel\xC3\xB6scht!"
                    : std::string(" Aktion wurde abgebrochen!"));
      deletedInAll += expectedCount;
    }
  }
  // The trials are only worth something if they deleted files and met read-only ones.
  EXPECT_GT(deletedInAll, 100);
  EXPECT_GT(keptTickedInAll, 5);
}

}  // namespace
}  // namespace kz
