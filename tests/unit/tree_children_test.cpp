#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/tree/folder_tree_model.h"
#include "app/tree/tree_path.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_drives.h"
#include "tests/fakes/fake_folders.h"

namespace kz {
namespace {

std::vector<std::string> Texts(const TreeItem& item) {
  std::vector<std::string> texts;
  for (const auto& child : item.children) texts.push_back(child->text);
  return texts;
}

class TreeChildren : public ::testing::Test {
 protected:
  TreeChildren() { drives.Add('D', "Daten (D:)"); }
  TreeItem& Drive() {
    model.Build({"Arbeitsplatz", 0}, 7, std::nullopt);
    return *model.FindDrive('D');
  }

  testing::FakeFolders files;
  testing::FakeDrives drives;
  FolderTreeModel model{files, drives};
};

TEST_F(TreeChildren, FoldersOnlySortedWithoutRegardToCase) {
  files.AddFolder("D:\\", {"gamma", ".", "..", "Beta", "alpha", "$RECYCLE.BIN", "Ärger", "Zebra"},
                  {"song.mp3", "Aaa.txt"});
  TreeItem& drive = Drive();
  EXPECT_TRUE(drive.children.empty());
  EXPECT_FALSE(drive.read);
  ASSERT_EQ(model.ReadChildren(drive), ReadOutcome::kRead);
  EXPECT_TRUE(drive.read);
  // Hidden and system folders such as $RECYCLE.BIN stay; files, "." and ".." never appear.
  EXPECT_EQ(Texts(drive),
            (std::vector<std::string>{"$RECYCLE.BIN", "alpha", "Ärger", "Beta", "gamma", "Zebra"}));
  for (const auto& child : drive.children) {
    EXPECT_EQ(child->kind, TreeItemKind::kFolder);
    EXPECT_EQ(child->image, 7);
    EXPECT_FALSE(child->read);
    EXPECT_EQ(child->parent, &drive);
  }
}

TEST_F(TreeChildren, CaseOnlyDifferencesAndLatin1Letters) {
  files.AddFolder("D:\\", {"b", "\xC3\xA4rger", "B", "\xC3\x84rger", "a"});  // ärger, Ärger
  TreeItem& drive = Drive();
  model.ReadChildren(drive);
  EXPECT_EQ(Texts(drive),
            (std::vector<std::string>{"a", "\xC3\x84rger", "\xC3\xA4rger", "B", "b"}));
}

TEST_F(TreeChildren, TheExpandButtonProbeStopsAtTheFirstSubfolder) {
  std::vector<std::string> songs;
  for (int i = 0; i < 500; ++i) songs.push_back("song " + std::to_string(i) + ".mp3");
  files.AddFolder("D:\\", {"Album", "Box"});
  files.AddFolder("D:\\Album\\", {}, songs);              // files only: read to the end
  files.AddFolder("D:\\Box\\", {"CD 1", "CD 2"}, songs);  // a subfolder first
  TreeItem& drive = Drive();
  model.ReadChildren(drive);
  ASSERT_EQ(Texts(drive), (std::vector<std::string>{"Album", "Box"}));
  EXPECT_FALSE(drive.children[0]->hasSubfolder);
  EXPECT_TRUE(drive.children[1]->hasSubfolder);
  EXPECT_EQ(files.entriesProbed, 500 + 1);
  EXPECT_EQ(files.listed, (std::vector<std::string>{"D:\\", "D:\\Album\\", "D:\\Box\\"}));
}

TEST_F(TreeChildren, ExpandButtonOnDrivesAlwaysOnFoldersWithASubfolder) {
  files.AddFolder("D:\\", {"Leaf", "Parent", "Missing"});
  files.AddFolder("D:\\Leaf\\", {}, {"a.mp3", "b.mp3"});
  files.AddFolder("D:\\Parent\\", {"Child"}, {"c.mp3"});
  TreeItem& drive = Drive();
  EXPECT_TRUE(ShowsExpandButton(drive));
  EXPECT_TRUE(ShowsExpandButton(model.root()));
  model.ReadChildren(drive);
  ASSERT_EQ(Texts(drive), (std::vector<std::string>{"Leaf", "Missing", "Parent"}));
  EXPECT_FALSE(ShowsExpandButton(*drive.children[0]));  // files only
  EXPECT_FALSE(ShowsExpandButton(*drive.children[1]));  // cannot be listed
  EXPECT_TRUE(ShowsExpandButton(*drive.children[2]));

  // An empty drive keeps its button; a folder whose subfolder has gone loses it once read.
  files.listings["D:\\Parent\\"].clear();
  model.ReadChildren(*drive.children[2]);
  EXPECT_FALSE(ShowsExpandButton(*drive.children[2]));
  files.listings["D:\\"].clear();
  drive.read = false;
  model.ReadChildren(drive);
  EXPECT_TRUE(ShowsExpandButton(drive));
}

TEST_F(TreeChildren, DocumentsItemButtonFollowsItsSubfolders) {
  files.AddFolder("C:\\Docs\\", {"Musik"});
  model.Build({"Arbeitsplatz", 0}, 7, FolderTreeModel::Documents{"C:\\Docs", {"Dokumente", 2}});
  TreeItem& documents = *model.root().children.back();
  EXPECT_TRUE(ShowsExpandButton(documents));
  ASSERT_EQ(model.ReadChildren(documents), ReadOutcome::kRead);
  EXPECT_EQ(PathOf(*documents.children.at(0)), "C:\\Docs\\Musik\\");
}

TEST_F(TreeChildren, ReadOnceEvenWhenTheDiskChanges) {
  files.AddFolder("D:\\", {"One", "Two"});
  TreeItem& drive = Drive();
  model.ReadChildren(drive);
  const TreeItem* first = drive.children[0].get();
  std::size_t listings = files.listed.size();

  files.AddFolder("D:\\", {"Three"});  // created after the expansion
  EXPECT_EQ(model.ReadChildren(drive), ReadOutcome::kAlreadyRead);
  EXPECT_EQ(Texts(drive), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(drive.children[0].get(), first);  // the very same items
  EXPECT_EQ(files.listed.size(), listings);
  EXPECT_EQ(model.ReadChildren(model.root()), ReadOutcome::kAlreadyRead);
}

TEST_F(TreeChildren, UnlistableFolderGetsNoChildrenSilently) {
  TreeItem& drive = Drive();  // D:\ is not in the fake: listing fails
  EXPECT_EQ(model.ReadChildren(drive), ReadOutcome::kRead);
  EXPECT_TRUE(drive.children.empty());
  EXPECT_TRUE(drive.read);
}

TEST_F(TreeChildren, OverLongPathIsNeverListed) {
  std::string longName(300, 'x');
  std::string fitting(240, 'y');
  files.AddFolder("D:\\", {longName, fitting});
  files.AddFolder("D:\\" + longName + "\\", {"Inner"});
  files.AddFolder("D:\\" + fitting + "\\", {std::string(20, 'z')});
  files.AddFolder("D:\\" + fitting + "\\" + std::string(20, 'z') + "\\", {"Deeper"});
  TreeItem& drive = Drive();
  model.ReadChildren(drive);
  ASSERT_EQ(drive.children.size(), 2u);
  TreeItem& tooLong = *drive.children[0];  // x before y
  EXPECT_EQ(tooLong.text, longName);
  EXPECT_FALSE(ShowsExpandButton(tooLong));
  EXPECT_EQ(model.ReadChildren(tooLong), ReadOutcome::kRead);
  EXPECT_TRUE(tooLong.children.empty());

  TreeItem& near = *drive.children[1];
  model.ReadChildren(near);
  ASSERT_EQ(near.children.size(), 1u);
  EXPECT_FALSE(ShowsExpandButton(*near.children[0]));  // its own path is beyond the limit
  for (const std::string& path : files.listed) {
    EXPECT_LT(path.size() + 3, kTreePathLimit) << "listed " << path.size() << " characters";
  }
}

TEST_F(TreeChildren, DriveWithoutMediumStaysUnreadUntilOneArrives) {
  files.AddFolder("D:\\", {"Album"});
  drives.notReady.insert('D');
  TreeItem& drive = Drive();
  EXPECT_EQ(model.ReadChildren(drive), ReadOutcome::kDriveNotReady);
  EXPECT_FALSE(drive.read);
  EXPECT_TRUE(drive.children.empty());
  EXPECT_TRUE(files.listed.empty());
  EXPECT_EQ(model.ReadChildren(drive), ReadOutcome::kDriveNotReady);  // tries again

  drives.notReady.clear();
  EXPECT_EQ(model.ReadChildren(drive), ReadOutcome::kRead);
  EXPECT_EQ(Texts(drive), (std::vector<std::string>{"Album"}));
}

TEST(TreeChildrenOnDisk, HiddenFoldersStayAndFilesStayOut) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "kz_tree_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  fs::path base = pattern;
  fs::create_directories(base / ".hidden" / "inner");
  fs::create_directories(base / "Music");
  std::ofstream(base / "song.mp3") << "x";

  PosixFileSystem files;
  testing::FakeDrives drives;
  FolderTreeModel model(files, drives);
  model.Build({"Computer", 0}, 1, FolderTreeModel::Documents{base.string(), {"Docs", 2}});
  TreeItem& documents = *model.root().children.at(0);
  ASSERT_EQ(model.ReadChildren(documents), ReadOutcome::kRead);
  ASSERT_EQ(Texts(documents), (std::vector<std::string>{".hidden", "Music"}));
  EXPECT_TRUE(ShowsExpandButton(*documents.children[0]));
  EXPECT_FALSE(ShowsExpandButton(*documents.children[1]));
  EXPECT_EQ(PathOf(*documents.children[0]), base.string() + "/.hidden/");
  fs::remove_all(base);
}

}  // namespace
}  // namespace kz
