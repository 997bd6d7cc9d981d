#include "app/tree/folder_tree_model.h"

#include <algorithm>

#include "app/tree/folder_name_order.h"
#include "app/tree/tree_path.h"

namespace kz {

FolderTreeModel::FolderTreeModel(FileSystem& files, Drives& drives)
    : files_(files), drives_(drives), separator_(files.Separator()) {
  root_.kind = TreeItemKind::kRoot;
  root_.read = true;  // its children are the drives and the documents folder, made by Build
}

void FolderTreeModel::Build(const ItemLook& rootLook, int folderImage,
                            const std::optional<Documents>& documents) {
  folderImage_ = folderImage;
  root_.children.clear();
  root_.text = rootLook.text;
  root_.image = rootLook.image;
  std::uint32_t logical = drives_.LogicalDrives();
  for (int bit = 0; bit < 26; ++bit) {
    if ((logical >> bit) & 1u) AppendDrive(static_cast<char>('A' + bit));
  }
  if (documents && !documents->path.empty()) {
    auto item = std::make_unique<TreeItem>();
    item->kind = TreeItemKind::kDocuments;
    item->text = documents->look.text.empty() ? documents->path : documents->look.text;
    item->image = documents->look.image;
    item->pathPart = DocumentsPathPart(documents->path, separator_);
    item->hasSubfolder = HasSubfolder(item->pathPart);
    item->parent = &root_;
    root_.children.push_back(std::move(item));
  }
}

ReadOutcome FolderTreeModel::ReadChildren(TreeItem& item) {
  if (item.read) return ReadOutcome::kAlreadyRead;
  if (item.kind == TreeItemKind::kDrive && !drives_.IsReady(item.driveLetter)) {
    return ReadOutcome::kDriveNotReady;
  }
  item.read = true;
  item.children.clear();
  std::string path = PathOf(item);
  std::vector<FolderEntry> entries;
  // A folder that cannot be listed, or lies beyond the path limit, silently has no children.
  if (!FitsSearchPathLimit(path) || !files_.ListFolder(path, entries)) return ReadOutcome::kRead;
  for (const FolderEntry& entry : entries) {
    if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
    auto child = std::make_unique<TreeItem>();
    child->kind = TreeItemKind::kFolder;
    child->text = entry.name;
    child->image = folderImage_;
    child->pathPart = FolderPathPart(entry.name, separator_);
    child->hasSubfolder = HasSubfolder(path + child->pathPart);
    child->parent = &item;
    item.children.push_back(std::move(child));
  }
  std::sort(item.children.begin(), item.children.end(),
            [](const auto& a, const auto& b) { return FolderNameLess(a->text, b->text); });
  return ReadOutcome::kRead;
}

TreeItem* FolderTreeModel::FindDrive(char letter) {
  for (auto& child : root_.children) {
    if (child->kind == TreeItemKind::kDrive && child->driveLetter == letter) return child.get();
  }
  return nullptr;
}

std::vector<char> FolderTreeModel::DriveLetters() const {
  std::vector<char> letters;
  for (const auto& child : root_.children) {
    if (child->kind == TreeItemKind::kDrive) letters.push_back(child->driveLetter);
  }
  return letters;
}

void FolderTreeModel::ApplyDriveChange(const DriveSetChange& change, DriveChangeView& view) {
  DrivePlan plan = PlanDriveChange(DriveLetters(), change);
  for (char letter : plan.remove) {
    TreeItem* drive = FindDrive(letter);
    view.RemovingDrive(*drive);
    std::erase_if(root_.children, [drive](const auto& child) { return child.get() == drive; });
  }
  for (char letter : plan.collapse) {
    TreeItem* drive = FindDrive(letter);
    view.DiscardingChildren(*drive);
    drive->children.clear();
    drive->read = false;
    ReadDriveLook(*drive);
    view.DriveLookChanged(*drive);
  }
  for (char letter : plan.refresh) {
    TreeItem* drive = FindDrive(letter);
    ReadDriveLook(*drive);
    view.DriveLookChanged(*drive);
  }
  for (char letter : plan.add) view.DriveAdded(AppendDrive(letter));
}

TreeItem& FolderTreeModel::AppendDrive(char letter) {
  auto drive = std::make_unique<TreeItem>();
  drive->kind = TreeItemKind::kDrive;
  drive->driveLetter = letter;
  drive->pathPart = DrivePathPart(letter, separator_);
  drive->parent = &root_;
  ReadDriveLook(*drive);
  root_.children.push_back(std::move(drive));
  return *root_.children.back();
}

void FolderTreeModel::ReadDriveLook(TreeItem& drive) {
  ItemLook look = drives_.DriveLook(drive.driveLetter);
  // Without a name from the shell the drive is still known by its letter.
  drive.text = look.text.empty() ? std::string{drive.driveLetter, ':'} : look.text;
  drive.image = look.image;
}

bool FolderTreeModel::HasSubfolder(const std::string& directory) {
  return FitsSearchPathLimit(directory) && files_.HasSubfolder(directory);
}

bool ShowsExpandButton(const TreeItem& item) {
  switch (item.kind) {
    case TreeItemKind::kRoot:
    case TreeItemKind::kDrive:
      return true;
    case TreeItemKind::kDocuments:
    case TreeItemKind::kFolder:
      return item.read ? !item.children.empty() : item.hasSubfolder;
  }
  return false;
}

}  // namespace kz
