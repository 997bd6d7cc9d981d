// Files that another program deletes while the user works: after the scan listed them, after
// their rows were shown, before the removal. Real files, the real file system.

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/show_properties.h"
#include "core/ids.h"
#include "platform/forwarding_file_system.h"
#include "platform/posix/posix_file_system.h"
#include "removal/remove_ticked_files.h"
#include "search/run_search.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/recording_media.h"
#include "tests/fakes/temp_tree.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::FakeUi;
using Strings = std::vector<std::string>;

// Runs `atScanEnd` once, when the listing of the searched folder has no more entries: the scan
// is over and the detection has not begun.
class ScanEndFileSystem : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override {
    return Wrapped<RootListing>(inner_.OpenSearch(directory), atScanEnd);
  }
  std::function<void()> atScanEnd;

 private:
  struct RootListing : ForwardingListing {
    RootListing(std::unique_ptr<FolderListing> inner, std::function<void()>& atEnd)
        : ForwardingListing(std::move(inner)), atEnd_(atEnd) {}
    const ListedEntry* Next() override {
      const ListedEntry* entry = inner_->Next();
      if (!entry && atEnd_) std::exchange(atEnd_, nullptr)();
      return entry;
    }
    std::function<void()>& atEnd_;
  };
};

struct VanishingFilesTest : ::testing::Test {
  testing::TempTree tree;
  FakeUi ui;
  testing::FakeClock clock;
  PosixFileSystem posix;
  ScanEndFileSystem files{posix};
  testing::RecordingMedia media;
  Program program{ui, clock, files, media};

  void SetUp() override {
    testing::Mp3Bytes song;
    song.Frames(0xFB, 0x90, 417, 100).Filler(128);
    std::string frames(song.bytes().begin(), song.bytes().end());
    for (const char* folder : {"a/", "b/"}) {
      tree.Write(std::string("scanned/") + folder + "early.mp3", std::string(3000, 'e'));
      tree.Write(std::string("scanned/") + folder + "lied.mp3", frames);
      tree.Write(std::string("scanned/") + folder + "weg.mp3", "");
    }
    ui.texts[id::kFolderTree] = tree.root() + "scanned/";
  }
  std::string Path(const std::string& relative) { return tree.root() + "scanned/" + relative; }
  // The row showing the file at `relative` ("a/lied.mp3"), by its name and directory cells.
  std::int32_t RowOf(const std::string& relative) {
    auto& rows = ui.Rows(id::kResultList);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].cells[2].substr(4) + rows[i].cells[0] == relative) {
        return static_cast<std::int32_t>(i);
      }
    }
    return -1;
  }
  Strings PropertiesOf(const std::string& relative) {
    ui.SelectRow(id::kResultList, RowOf(relative));
    EXPECT_EQ(ShowProperties(program), Outcome::kContinue);  // the empty queue closes it
    Strings values;
    for (const FakeUi::Row& row : ui.Rows(id::kPropertiesList)) values.push_back(row.cells.at(1));
    ui.SelectRow(id::kResultList, -1);
    return values;
  }
};

TEST_F(VanishingFilesTest, EachStepCopesWithFilesThatAreGoneByThen) {
  files.atScanEnd = [&] { ASSERT_EQ(unlink(Path("a/early.mp3").c_str()), 0); };
  RunSearch(program);
  ASSERT_EQ(files.atScanEnd, nullptr) << "the scan's end was not seen";
  // Still listed: the rows' sizes are measured when the rows are made, so it shows 1 KB.
  ASSERT_EQ(ui.Rows(id::kResultList).size(), 6u);
  ASSERT_GE(RowOf("a/early.mp3"), 0);
  EXPECT_EQ(ui.Rows(id::kResultList)[RowOf("a/early.mp3")].cells[1], "1 KB");
  EXPECT_EQ(ui.Rows(id::kResultList)[RowOf("b/early.mp3")].cells[1], "3 KB");
  EXPECT_EQ(ui.status[0], " Suche erfolgreich beendet!");

  // Gone after its row was shown: the properties show the values of a file that cannot be read.
  ASSERT_EQ(unlink(Path("a/lied.mp3").c_str()), 0);
  EXPECT_EQ(PropertiesOf("a/lied.mp3"),
            (Strings{"00:00 Min", "0 kBit/s", "-1 Hz", "1 KB", "01.01.1970"}));
  Strings namesake = PropertiesOf("b/lied.mp3");
  ASSERT_EQ(namesake.size(), 5u);
  EXPECT_EQ(Strings(namesake.begin(), namesake.begin() + 4),
            (Strings{"00:02 Min", "128 kBit/s", "44100 Hz", "41 KB"}));

  // Gone before the removal: its row stays ticked and is not counted; the other ticked file goes.
  ASSERT_EQ(unlink(Path("a/weg.mp3").c_str()), 0);
  for (const char* relative : {"a/weg.mp3", "b/weg.mp3", "a/early.mp3"}) {
    ui.TickRow(id::kResultList, RowOf(relative), true);
  }
  ui.answers.push_back(6);
  RemoveTickedFiles(program);
  EXPECT_EQ(ui.status[0], " 1 Datei(en) erfolgreich gel\xC3\xB6scht!");
  EXPECT_EQ(RowOf("b/weg.mp3"), -1);
  for (const char* relative : {"a/weg.mp3", "a/early.mp3"}) {
    ASSERT_GE(RowOf(relative), 0) << relative;
    EXPECT_EQ(ui.RowState(id::kResultList, RowOf(relative)) & 2, 2) << relative;
  }
  EXPECT_EQ(ui.Rows(id::kResultList).size(), 5u);
  Strings left;
  for (const auto& [path, content] : tree.Snapshot())
    left.push_back(path.substr(tree.root().size()));
  EXPECT_EQ(left, (Strings{"scanned/b/early.mp3", "scanned/b/lied.mp3"}));
}

}  // namespace
}  // namespace kz
