#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "app/tree/folder_tree_model.h"
#include "platform/drives.h"
#include "platform/win32/win_handles.h"

namespace kz {

// Critical-error dialogs ("There is no disk in the drive") stay away while drives are
// queried; the thread's previous error mode comes back at the end of the scope.
class CriticalErrorsSuppressed {
 public:
  CriticalErrorsSuppressed();
  ~CriticalErrorsSuppressed();
  CriticalErrorsSuppressed(const CriticalErrorsSuppressed&) = delete;
  CriticalErrorsSuppressed& operator=(const CriticalErrorsSuppressed&) = delete;

 private:
  DWORD previous_ = 0;
  bool restore_ = false;
};

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

// The shell's display name and small-icon index for a path or parsing name; empty text and
// image -1 when the shell knows nothing of it.
ItemLook ShellLook(const std::wstring& path);

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

// "D:\" as the shell wants it.
std::wstring DriveRoot(char letter);

// The drive's large icon for the insert-medium prompt; null when the shell gives none.
UniqueIcon LargeDriveIcon(char letter);

// The computer's drives through kernel32 and the shell.
class WinDrives final : public Drives {
 public:
  std::uint32_t LogicalDrives() override;
  bool IsReady(char letter) override;
  ItemLook DriveLook(char letter) override;
};

}  // namespace kz
