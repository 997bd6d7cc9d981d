// Moving the ticked rows' files to the Recycle Bin: the question, the order, the checks the
// platform makes of each listed file, the counts, and the rows of the files that stay.

#include "removal/recycle_ticked_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "core/ids.h"
#include "platform/forwarding_file_system.h"
#include "platform/posix/posix_file_system.h"
#include "player/player_buttons.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/logging_media.h"
#include "tests/fakes/result_rows.h"
#include "tests/fakes/simulated_media.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// A bin beside the tree: a file goes there once the platform's checked open of the listed file
// succeeds, as the platform's own move checks it first.
class BinFiles final : public ForwardingFileSystem {
 public:
  BinFiles(FileSystem& inner, std::string bin)
      : ForwardingFileSystem(inner), bin_(std::move(bin)) {}
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view directory,
                                                 const ObjectId& expected) override {
    std::unique_ptr<ListedFolder> folder = inner_.OpenListedFolder(directory, expected);
    if (!folder) return nullptr;
    return std::make_unique<Binned>(std::move(folder), std::string(directory), *this);
  }
  bool usable = true;
  Strings moved;  // in the order moved

 private:
  class Binned final : public ListedFolder {
   public:
    Binned(std::unique_ptr<ListedFolder> inner, std::string directory, BinFiles& files)
        : inner_(std::move(inner)), directory_(std::move(directory)), files_(files) {}
    bool RemoveFile(std::string_view, const FileIdentity&) override { return false; }
    std::unique_ptr<ReadOnlyFile> OpenFile(std::string_view name,
                                           const FileIdentity& expected) override {
      return inner_->OpenFile(name, expected);
    }
    bool RecycleFile(std::string_view name, const FileIdentity& expected) override {
      if (!files_.usable || !inner_->OpenFile(name, expected)) return false;
      std::string from = directory_ + std::string(name);
      fs::rename(from, files_.bin_ + std::to_string(files_.moved.size()));
      files_.moved.push_back(from);
      return true;
    }

   private:
    std::unique_ptr<ListedFolder> inner_;
    std::string directory_;
    BinFiles& files_;
  };
  std::string bin_;
};

// Rows 0 to 3: x.mp3 in a/ and b/, y.mp3 in a/ and c/.
struct Recycling {
  testing::TempTree tree;
  testing::TempTree bin;
  testing::FakeUi ui;
  testing::FakeClock clock;
  PosixFileSystem posix;
  BinFiles files{posix, bin.root()};
  SimulatedMedia simulated{clock, [](std::string_view) { return 1000; }};
  testing::LoggingMedia media{simulated};
  Program program{ui, clock, files, media};

  Recycling() {
    std::vector<testing::FoundFile> scan;
    for (const char* relative : {"a/x.mp3", "b/x.mp3", "a/y.mp3", "c/y.mp3"}) {
      fs::path path = tree.Write(relative, relative);
      scan.push_back({path.parent_path().string() + "/", path.filename().string()});
    }
    testing::ListNamesakes(program, scan, tree.root());
  }
  std::string Path(std::int32_t row) {
    const Strings& cells = ui.Rows(id::kResultList)[static_cast<std::size_t>(row)].cells;
    return tree.root() + cells[2].substr(4) + cells[0];
  }
  void Tick(const Strings& relatives) {
    for (std::int32_t row = 0; row < ui.RowCount(id::kResultList); ++row) {
      for (const std::string& relative : relatives) {
        if (Path(row) == tree.root() + relative) ui.TickRow(id::kResultList, row, true);
      }
    }
  }
  std::int32_t TickedRows() {
    std::int32_t ticked = 0;
    for (std::int32_t row = 0; row < ui.RowCount(id::kResultList); ++row) {
      ticked += ui.RowState(id::kResultList, row) == row_state::kTicked ? 1 : 0;
    }
    return ticked;
  }
};

TEST(Recycle, NoMovesNothingAfterPlaybackStopped) {
  Recycling r;
  r.ui.SelectRow(id::kResultList, 0);
  PressPlay(r.program);
  r.Tick({"a/x.mp3", "b/x.mp3"});
  auto before = r.tree.Snapshot();
  r.media.Clear();
  r.ui.answers = {7};
  EXPECT_EQ(DispatchMenuEvent(r.program, id::kRecycleItem), Outcome::kContinue);
  EXPECT_EQ(r.media.commands, (Strings{"stop MCI_0", "close MCI_0"}));
  EXPECT_EQ(r.ui.questions, (Strings{"Info!|Datei(en) in den Papierkorb verschieben?"}));
  EXPECT_EQ(r.ui.status[0], " Aktion wurde abgebrochen!");
  EXPECT_EQ(r.tree.Snapshot(), before);
  EXPECT_EQ(r.ui.RowCount(id::kResultList), 4);
}

TEST(Recycle, YesMovesTheTickedFilesFromTheLastRowUp) {
  Recycling r;
  Strings paths = {r.Path(0), r.Path(1), r.Path(2), r.Path(3)};
  r.Tick({"a/x.mp3", "b/x.mp3", "a/y.mp3", "c/y.mp3"});
  r.ui.answers = {6};
  r.ui.log.clear();
  EXPECT_EQ(RecycleTickedFiles(r.program), Outcome::kContinue);
  // From the last row up (a folder's rows lie together here, so its grouping keeps that order).
  EXPECT_EQ(r.files.moved, (Strings{paths[3], paths[2], paths[1], paths[0]}));
  Strings removals;
  for (const std::string& line : r.ui.log) {
    if (line.starts_with("RemoveRow")) removals.push_back(line);
  }
  EXPECT_EQ(removals,
            (Strings{"RemoveRow 8 3", "RemoveRow 8 2", "RemoveRow 8 1", "RemoveRow 8 0"}));
  EXPECT_EQ(r.ui.status[0], " 4 Datei(en) in den Papierkorb verschoben!");
  EXPECT_TRUE(r.tree.Snapshot().empty());
  EXPECT_EQ(r.bin.Snapshot().size(), 4u);
}

TEST(Recycle, FilesThatCannotGoStayWithTheirRowsTicked) {
  struct Case {
    const char* what;
    std::function<void(Recycling&)> change;
    const char* status;
    Strings kept;  // of the ticked a/x.mp3, b/x.mp3 and c/y.mp3
    std::int32_t stillTicked;
  };
  const Case cases[] = {
      {"replaced after the search",
       [](Recycling& r) {
         // Made while the listed file still exists, so it cannot get its inode.
         fs::rename(r.tree.Write("b/new.tmp", "another file"), r.tree.root() + "b/x.mp3");
       },
       " 2 Datei(en) in den Papierkorb verschoben!, 1 nicht",
       {"b/x.mp3"},
       1},
      {"no usable bin",
       [](Recycling& r) { r.files.usable = false; },
       " 0 Datei(en) in den Papierkorb verschoben!, 3 nicht",
       {"a/x.mp3", "b/x.mp3", "c/y.mp3"},
       3},
      {"a row whose ID names no record",
       [](Recycling& r) {
         r.ui.AddRow(id::kResultList, -1, "x.mp3\n1 KB\n...\\a/\n99");
         r.ui.TickRow(id::kResultList, 4, true);
       },
       " 3 Datei(en) in den Papierkorb verschoben!, 1 nicht",
       {},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Recycling r;
    r.Tick({"a/x.mp3", "b/x.mp3", "c/y.mp3"});
    c.change(r);
    auto before = r.tree.Snapshot();
    r.ui.answers = {6};
    RecycleTickedFiles(r.program);
    EXPECT_EQ(r.ui.status[0], c.status);
    std::map<std::string, std::string> left = {{r.tree.root() + "a/y.mp3", "a/y.mp3"}};
    for (const std::string& kept : c.kept)
      left[r.tree.root() + kept] = before[r.tree.root() + kept];
    EXPECT_EQ(r.tree.Snapshot(), left) << "exactly the files kept stay, unchanged";
    EXPECT_EQ(r.TickedRows(), c.stillTicked);
  }
}

}  // namespace
}  // namespace kz
