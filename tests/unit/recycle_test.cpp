// Moving the ticked rows' files to the Recycle Bin: the question, the order, the checks the
// platform makes of each listed file, the counts, and the rows of the files that stay.

#include "removal/recycle_ticked_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

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

// A bin that takes a file once the platform's checked open of it succeeds, as the platform
// checks a file before its move; the file then leaves the tree.
struct BinFiles final : ForwardingFileSystem {
  struct Folder final : ListedFolder {
    Folder(std::unique_ptr<ListedFolder> listed, std::string path, BinFiles& bin)
        : inner(std::move(listed)), directory(std::move(path)), files(bin) {}
    bool RemoveFile(std::string_view, const FileIdentity&) override { return false; }
    std::unique_ptr<ReadOnlyFile> OpenFile(std::string_view, const FileIdentity&) override {
      return nullptr;
    }
    bool RecycleFile(std::string_view name, const FileIdentity& expected) override {
      if (!files.usable || !inner->OpenFile(name, expected)) return false;
      files.moved.push_back(directory + std::string(name));
      return fs::remove(files.moved.back());
    }
    std::unique_ptr<ListedFolder> inner;
    std::string directory;
    BinFiles& files;
  };
  using ForwardingFileSystem::ForwardingFileSystem;
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view directory,
                                                 const ObjectId& expected) override {
    std::unique_ptr<ListedFolder> folder = inner_.OpenListedFolder(directory, expected);
    return folder ? std::make_unique<Folder>(std::move(folder), std::string(directory), *this)
                  : nullptr;
  }
  bool usable = true;
  Strings moved;  // in the order moved
};

// Rows of x.mp3 in a/ and b/, y.mp3 in a/ and c/.
struct Recycling {
  testing::TempTree tree;
  testing::FakeUi ui;
  testing::FakeClock clock;
  PosixFileSystem posix;
  BinFiles files{posix};
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
      for (const std::string& relative : relatives)
        if (Path(row) == tree.root() + relative) ui.TickRow(id::kResultList, row, true);
    }
  }
};

TEST(Recycle, NoMovesNothingAfterPlaybackStopped) {
  Recycling r;
  r.ui.SelectRow(id::kResultList, 0);
  PressPlay(r.program);
  r.Tick({"a/x.mp3", "b/x.mp3"});
  r.media.Clear();
  r.ui.answers = {7};
  EXPECT_EQ(DispatchMenuEvent(r.program, id::kRecycleItem), Outcome::kContinue);
  EXPECT_EQ(r.media.commands, (Strings{"stop MCI_0", "close MCI_0"}));
  EXPECT_EQ(r.ui.questions, (Strings{"Info!|Datei(en) in den Papierkorb verschieben?"}));
  EXPECT_EQ(r.ui.status[0], " Aktion wurde abgebrochen!");
  EXPECT_TRUE(r.files.moved.empty());
}

TEST(Recycle, TheFilesThatGoFromTheLastRowUpAndThoseThatStayWithTheirRowsTicked) {
  struct Case {
    const char* what;
    std::function<void(Recycling&)> change;
    const char* status;
    Strings moved;  // of the ticked a/x.mp3, b/x.mp3 and c/y.mp3, in order
    std::int32_t stillTicked;
  };
  // Rows 0 to 3 show b/x, a/x, a/y and c/y; folder by folder from the last ticked row up.
  const Case cases[] = {
      {"all go",
       [](Recycling&) {},
       " 3 Datei(en) in den Papierkorb verschoben!",
       {"c/y.mp3", "a/x.mp3", "b/x.mp3"},
       0},
      {"replaced after the search",
       [](Recycling& r) {  // made while the listed file exists, so it cannot get its inode
         fs::rename(r.tree.Write("b/new.tmp", "other"), r.tree.root() + "b/x.mp3");
       },
       " 2 Datei(en) in den Papierkorb verschoben!, 1 nicht",
       {"c/y.mp3", "a/x.mp3"},
       1},
      {"no usable bin",
       [](Recycling& r) { r.files.usable = false; },
       " 0 Datei(en) in den Papierkorb verschoben!, 3 nicht",
       {},
       3},
      {"a row whose ID names no record",
       [](Recycling& r) {
         r.ui.AddRow(id::kResultList, -1, "x.mp3\n1 KB\n...\\a/\n99");
         r.ui.TickRow(id::kResultList, 4, true);
       },
       " 3 Datei(en) in den Papierkorb verschoben!, 1 nicht",
       {"c/y.mp3", "a/x.mp3", "b/x.mp3"},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Recycling r;
    r.Tick({"a/x.mp3", "b/x.mp3", "c/y.mp3"});
    c.change(r);
    std::size_t filesBefore = r.tree.Snapshot().size();
    r.ui.answers = {6};
    RecycleTickedFiles(r.program);
    EXPECT_EQ(r.ui.status[0], c.status);
    Strings moved;
    for (const std::string& path : r.files.moved)
      moved.push_back(path.substr(r.tree.root().size()));
    EXPECT_EQ(moved, c.moved);
    EXPECT_EQ(r.tree.Snapshot().size(), filesBefore - c.moved.size()) << "no other file goes";
    std::int32_t ticked = 0;
    for (std::int32_t row = 0; row < r.ui.RowCount(id::kResultList); ++row)
      ticked += r.ui.RowState(id::kResultList, row) == row_state::kTicked ? 1 : 0;
    EXPECT_EQ(ticked, c.stillTicked);
  }
}

}  // namespace
}  // namespace kz
