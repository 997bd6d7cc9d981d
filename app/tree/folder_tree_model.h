#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/tree/drive_change.h"
#include "app/tree/tree_item.h"
#include "platform/drives.h"
#include "platform/file_system.h"

namespace kz {

enum class ReadOutcome {
  kAlreadyRead,    // nothing to do: read before, or the root
  kRead,           // children listed (none when the folder could not be listed)
  kDriveNotReady,  // the drive has no medium: no children, still unread
};

// The window that shows the tree, told about every drive change before or after the model
// changes the item, so that it never shows an item the model has let go.
class DriveChangeView {
 public:
  virtual ~DriveChangeView() = default;
  virtual void RemovingDrive(TreeItem& drive) = 0;       // the item goes right after
  virtual void DiscardingChildren(TreeItem& drive) = 0;  // its children go right after
  virtual void DriveLookChanged(TreeItem& drive) = 0;    // text, icon or read flag changed
  virtual void DriveAdded(TreeItem& drive) = 0;          // appended under the root
};

// The items of the folder tree: the computer, its drives, the documents folder and, read when
// first expanded, their folders. Talks to the world only through the file-system and drive
// seams, so that it runs natively under test.
class FolderTreeModel {
 public:
  struct Documents {
    std::string path;
    ItemLook look;
  };

  FolderTreeModel(FileSystem& files, Drives& drives);
  FolderTreeModel(const FolderTreeModel&) = delete;
  FolderTreeModel& operator=(const FolderTreeModel&) = delete;

  // The root, one drive per logical drive in letter order from A, then the documents folder
  // when there is one. Every folder item shows `folderImage`.
  void Build(const ItemLook& rootLook, int folderImage, const std::optional<Documents>& documents);

  TreeItem& root() { return root_; }

  // Reads an item's subfolders on its first expansion; see ReadOutcome.
  ReadOutcome ReadChildren(TreeItem& item);

  TreeItem* FindDrive(char letter);
  std::vector<char> DriveLetters() const;

  // Adds, removes, collapses and refreshes drive items as the change says.
  void ApplyDriveChange(const DriveSetChange& change, DriveChangeView& view);

 private:
  TreeItem& AppendDrive(char letter);
  void ReadDriveLook(TreeItem& drive);
  bool HasSubfolder(const std::string& directory);

  FileSystem& files_;
  Drives& drives_;
  char separator_;
  int folderImage_ = -1;
  TreeItem root_;
};

// Drives always show an expand button; a folder or the documents item only while it has, or
// before reading had, a subfolder.
bool ShowsExpandButton(const TreeItem& item);

}  // namespace kz
