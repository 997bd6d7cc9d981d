#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "app/tree/folder_tree_model.h"
#include "platform/drives.h"
#include "platform/win32/win_drives.h"
#include "platform/win32/win_handles.h"

namespace kz {

// The shell needs COM on this thread for its parsing names ("::{...}") and icons. Balanced:
// the apartment is left only when this scope entered it.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

// The computer: the shell's own name and icon, or "My Computer".
ItemLook ComputerLook();

// The system's small-icon image list (shared: never destroyed by us) and, in it, the Windows
// directory's icon that every folder item shows.
struct SystemImages {
  HIMAGELIST list = nullptr;
  int folderImage = -1;
};
SystemImages SmallSystemImages();

// The user's documents folder, when the shell reports one.
std::optional<FolderTreeModel::Documents> DocumentsFolder();

// The drive's large icon for the insert-medium prompt; null when the shell gives none.
UniqueIcon LargeDriveIcon(char letter);

}  // namespace kz
