#include "app/win32/folder_tree_control.h"

namespace kz {
namespace {

// The tree control as a bare list of no items, until the folder tree is built.
class EmptyTree final : public FolderTreeControl {
 public:
  explicit EmptyTree(HWND tree) : tree_(tree) {}
  HWND hwnd() const override { return tree_; }
  std::string SelectedPath() override { return ""; }
  bool OnNotify(const NMHDR&, LRESULT&) override { return false; }
  void OnDeviceChange(WPARAM, LPARAM) override {}

 private:
  HWND tree_;
};

}  // namespace

std::unique_ptr<FolderTreeControl> FolderTreeControl::Create(HWND parent, int controlId,
                                                             const RECT& bounds, HFONT font,
                                                             FileSystem&) {
  HWND tree = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
      WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_SHOWSELALWAYS, bounds.left,
      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
  if (!tree) return nullptr;
  SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return std::make_unique<EmptyTree>(tree);
}

}  // namespace kz
