#include "app/tree/tree_path.h"

#include <gtest/gtest.h>

#include <string>

#include "app/tree/folder_tree_model.h"
#include "tests/fakes/fake_drives.h"
#include "tests/fakes/fake_folders.h"

namespace kz {
namespace {

TEST(TreePath, RootDriveAndNestedFolder) {
  testing::FakeFolders files;
  files.AddFolder("D:\\", {"Audio"});
  files.AddFolder("D:\\Audio\\", {"Pop"});
  files.AddFolder("D:\\Audio\\Pop\\", {});
  testing::FakeDrives drives;
  drives.Add('D', "Daten (D:)");
  FolderTreeModel model(files, drives);
  model.Build({"Arbeitsplatz", 0}, 1, std::nullopt);

  EXPECT_EQ(PathOf(model.root()), "");
  TreeItem& drive = *model.FindDrive('D');
  EXPECT_EQ(PathOf(drive), "D:\\");
  ASSERT_EQ(model.ReadChildren(drive), ReadOutcome::kRead);
  TreeItem& audio = *drive.children.at(0);
  ASSERT_EQ(model.ReadChildren(audio), ReadOutcome::kRead);
  EXPECT_EQ(PathOf(*audio.children.at(0)), "D:\\Audio\\Pop\\");
}

TEST(TreePath, DocumentsEndsInOneSeparator) {
  testing::FakeFolders files;
  testing::FakeDrives drives;
  for (std::string path : {"C:\\Users\\eva\\Dokumente", "C:\\Users\\eva\\Dokumente\\"}) {
    FolderTreeModel model(files, drives);
    model.Build({"Arbeitsplatz", 0}, 1, FolderTreeModel::Documents{path, {"Dokumente", 3}});
    ASSERT_EQ(model.root().children.size(), 1u);
    const TreeItem& documents = *model.root().children[0];
    EXPECT_EQ(documents.kind, TreeItemKind::kDocuments);
    EXPECT_EQ(documents.text, "Dokumente");
    EXPECT_EQ(PathOf(documents), "C:\\Users\\eva\\Dokumente\\") << path;
  }
}

TEST(TreePath, DocumentsWithoutShellNameShowsItsPathAndNoPathMeansNoItem) {
  testing::FakeFolders files;
  testing::FakeDrives drives;
  FolderTreeModel model(files, drives);
  model.Build({"Arbeitsplatz", 0}, 1, FolderTreeModel::Documents{"E:\\Docs", {}});
  EXPECT_EQ(model.root().children.at(0)->text, "E:\\Docs");

  model.Build({"Arbeitsplatz", 0}, 1, FolderTreeModel::Documents{"", {"Dokumente", 3}});
  EXPECT_TRUE(model.root().children.empty());
}

TEST(TreePath, LimitCountsUtf16UnitsNotBytes) {
  // 252 characters plus "D:\" plus "*.*" is 258: still below 260.
  std::string fits = "D:\\" + std::string(252, 'a') + "\\";
  EXPECT_TRUE(FitsSearchPathLimit(fits));
  EXPECT_FALSE(FitsSearchPathLimit("D:\\" + std::string(253, 'a') + "\\"));
  // The same number of umlauts takes twice the bytes but as many units.
  std::string umlauts = "D:\\";
  for (int i = 0; i < 252; ++i) umlauts += "\xC3\xA4";
  EXPECT_TRUE(FitsSearchPathLimit(umlauts + "\\"));
  // A character beyond the basic plane takes two units.
  std::string wide = "D:\\" + std::string(250, 'a') + "\xF0\x9F\x8E\xB5\\";
  EXPECT_TRUE(FitsSearchPathLimit(wide));
  EXPECT_FALSE(FitsSearchPathLimit("D:\\" + std::string(251, 'a') + "\xF0\x9F\x8E\xB5\\"));
}

}  // namespace
}  // namespace kz
