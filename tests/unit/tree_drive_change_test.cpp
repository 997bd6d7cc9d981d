#include "app/tree/drive_change.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tree/folder_tree_model.h"
#include "app/tree/tree_path.h"
#include "tests/fakes/fake_drives.h"
#include "tests/fakes/fake_folders.h"

namespace kz {
namespace {

constexpr std::uint32_t Bit(char letter) {
  return 1u << (letter - 'A');
}

// Records what the window is told, and checks that it is told while the item still exists.
class RecordingView : public DriveChangeView {
 public:
  void RemovingDrive(TreeItem& drive) override { Log("remove", drive); }
  void DiscardingChildren(TreeItem& drive) override {
    Log("discard" + std::to_string(drive.children.size()), drive);
  }
  void DriveLookChanged(TreeItem& drive) override { Log("look " + drive.text, drive); }
  void DriveAdded(TreeItem& drive) override { Log("add " + drive.text, drive); }
  std::vector<std::string> calls;

 private:
  void Log(const std::string& what, const TreeItem& drive) {
    calls.push_back(what + " " + drive.driveLetter);
  }
};

std::vector<std::string> RootTexts(FolderTreeModel& model) {
  std::vector<std::string> texts;
  for (const auto& child : model.root().children) texts.push_back(child->text);
  return texts;
}

class TreeDriveChange : public ::testing::Test {
 protected:
  TreeDriveChange() {
    drives.Add('C', "System (C:)");
    drives.Add('D', "Audio-CD (D:)");
    drives.Add('F', "Stick (F:)");
    files.AddFolder("D:\\", {"Track"});
    files.AddFolder("C:\\Docs\\", {});
    model.Build({"Arbeitsplatz", 0}, 1, FolderTreeModel::Documents{"C:\\Docs", {"Dokumente", 2}});
  }

  testing::FakeFolders files;
  testing::FakeDrives drives;
  FolderTreeModel model{files, drives};
  RecordingView view;
};

TEST_F(TreeDriveChange, BuildListsDrivesInLetterOrderThenDocuments) {
  EXPECT_EQ(model.root().text, "Arbeitsplatz");
  EXPECT_EQ(RootTexts(model),
            (std::vector<std::string>{"System (C:)", "Audio-CD (D:)", "Stick (F:)", "Dokumente"}));
  EXPECT_EQ(model.DriveLetters(), (std::vector<char>{'C', 'D', 'F'}));
  for (const auto& child : model.root().children) EXPECT_FALSE(child->read);
}

TEST_F(TreeDriveChange, NewLetterIsAddedAfterTheExistingItems) {
  drives.Add('E', "Neu (E:)", 9);
  drives.Add('A', "Diskette (A:)");
  model.ApplyDriveChange(VolumeBroadcastChange(true, Bit('E') | Bit('A'), false, drives.logical),
                         view);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"add Diskette (A:) A", "add Neu (E:) E"}));
  EXPECT_EQ(RootTexts(model),
            (std::vector<std::string>{"System (C:)", "Audio-CD (D:)", "Stick (F:)", "Dokumente",
                                      "Diskette (A:)", "Neu (E:)"}));
  TreeItem& added = *model.FindDrive('E');
  EXPECT_EQ(added.image, 9);
  EXPECT_EQ(PathOf(added), "E:\\");
  EXPECT_FALSE(added.read);
}

TEST_F(TreeDriveChange, GoneLetterIsRemoved) {
  drives.logical &= ~Bit('F');
  model.ApplyDriveChange(VolumeBroadcastChange(false, Bit('F'), false, drives.logical), view);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"remove F"}));
  EXPECT_EQ(model.FindDrive('F'), nullptr);
  EXPECT_EQ(RootTexts(model),
            (std::vector<std::string>{"System (C:)", "Audio-CD (D:)", "Dokumente"}));

  // A removal broadcast that comes before the platform's own drive set has caught up.
  drives.logical |= Bit('F');
  model.ApplyDriveChange(VolumeBroadcastChange(false, Bit('C'), false, drives.logical), view);
  EXPECT_EQ(model.DriveLetters(), (std::vector<char>{'D', 'F'}));  // C gone, F back
}

TEST_F(TreeDriveChange, MediumTakenOutCollapsesAndForgetsChildren) {
  TreeItem& cd = *model.FindDrive('D');
  ASSERT_EQ(model.ReadChildren(cd), ReadOutcome::kRead);
  ASSERT_EQ(cd.children.size(), 1u);
  drives.looks['D'] = ItemLook{"CD-Laufwerk (D:)", 4};
  drives.notReady.insert('D');
  model.ApplyDriveChange(VolumeBroadcastChange(false, Bit('D'), true, drives.logical), view);
  // The window hears of the children while they are still there.
  EXPECT_EQ(view.calls, (std::vector<std::string>{"discard1 D", "look CD-Laufwerk (D:) D"}));
  EXPECT_EQ(model.FindDrive('D'), &cd);
  EXPECT_FALSE(cd.read);
  EXPECT_TRUE(cd.children.empty());
  EXPECT_EQ(cd.image, 4);
  EXPECT_EQ(model.ReadChildren(cd), ReadOutcome::kDriveNotReady);
}

TEST_F(TreeDriveChange, MediumArrivedRefreshesTextAndIcon) {
  drives.looks['D'] = ItemLook{"", 5};  // no name from the shell: the letter remains
  model.ApplyDriveChange(VolumeBroadcastChange(true, Bit('D'), true, drives.logical), view);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"look D: D"}));
  EXPECT_EQ(model.FindDrive('D')->image, 5);
  EXPECT_FALSE(model.FindDrive('D')->read);
}

TEST(DrivePlan, EachLetterGetsOneActionInLetterOrder) {
  DriveSetChange change{Bit('A') | Bit('C') | Bit('D') | Bit('G') | Bit('Z'), Bit('C'),
                        Bit('D') | Bit('C') | Bit('G')};
  DrivePlan plan = PlanDriveChange(std::vector<char>{'D', 'C', 'B', 'A'}, change);
  EXPECT_EQ(plan.remove, (std::vector<char>{'B'}));
  EXPECT_EQ(plan.collapse, (std::vector<char>{'C'}));
  EXPECT_EQ(plan.refresh, (std::vector<char>{'D'}));
  EXPECT_EQ(plan.add, (std::vector<char>{'G', 'Z'}));
}

TEST(DrivePlan, MediumPromptEndsWhenAMediumArrivesOrTheDriveGoes) {
  std::uint32_t all = Bit('D') | Bit('E');
  EXPECT_TRUE(EndsMediumPrompt('D', VolumeBroadcastChange(true, Bit('D'), true, all)));
  EXPECT_FALSE(EndsMediumPrompt('D', VolumeBroadcastChange(true, Bit('E'), true, all)));
  EXPECT_FALSE(EndsMediumPrompt('D', VolumeBroadcastChange(false, Bit('D'), true, all)));
  EXPECT_TRUE(EndsMediumPrompt('D', VolumeBroadcastChange(false, Bit('D'), false, all)));
}

}  // namespace
}  // namespace kz
