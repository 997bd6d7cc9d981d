#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kz {

enum class TreeItemKind { kRoot, kDrive, kDocuments, kFolder };

// One item of the folder tree. Children are owned by their parent, so an item's address stays
// the same for as long as it is in the tree; the window keeps that address with its own item.
struct TreeItem {
  TreeItemKind kind = TreeItemKind::kFolder;
  std::string text;
  int image = -1;
  // What the item puts in front of its children's paths: "D:\", "Pop\", the documents folder.
  std::string pathPart;
  char driveLetter = 0;  // drives only
  bool read = false;     // children listed
  // Folders and the documents item: whether a subfolder was seen when the item was created.
  bool hasSubfolder = false;
  TreeItem* parent = nullptr;
  std::vector<std::unique_ptr<TreeItem>> children;
  // The window's own handle of this item; 0 until the window has shown it.
  std::uintptr_t viewHandle = 0;
};

}  // namespace kz
