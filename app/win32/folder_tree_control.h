#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

namespace kz {

class FileSystem;

// The folder tree of the main window: the computer, its drives, the documents folder and their
// folders, read lazily. The main window forwards the tree's notifications and the volume
// broadcasts to it.
class FolderTreeControl {
 public:
  virtual ~FolderTreeControl() = default;

  // Creates the tree as child `controlId` of `parent` and builds its items (root expanded,
  // nothing selected). Null when the control cannot be created. The tree window goes with its
  // parent; forward no notifications to the object once it is destroyed.
  static std::unique_ptr<FolderTreeControl> Create(HWND parent, int controlId, const RECT& bounds,
                                                   HFONT font, FileSystem& files);

  virtual HWND hwnd() const = 0;
  // The path of the selected item ending in "\", "" for the root or no selection.
  virtual std::string SelectedPath() = 0;
  // A WM_NOTIFY from the tree. Handles the expansion notices (reading children on the first
  // expansion, refusing it for a drive without a medium): then true, and `result` is what the
  // window procedure must return. False for every other notification (clicks, selection
  // changes), which the main window turns into control events itself.
  virtual bool OnNotify(const NMHDR& header, LRESULT& result) = 0;
  // WM_DEVICECHANGE of the main window: volume arrivals and removals add, remove and refresh
  // drive items, and close the insert-medium prompt when its drive got a medium.
  virtual void OnDeviceChange(WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace kz
