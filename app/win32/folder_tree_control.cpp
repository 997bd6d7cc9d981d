#include "app/win32/folder_tree_control.h"

#include <dbt.h>

#include "app/tree/folder_tree_model.h"
#include "app/tree/tree_path.h"
#include "app/win32/folder_tree_prompt.h"
#include "app/win32/folder_tree_shell.h"
#include "platform/win32/wide_text.h"

namespace kz {

namespace {

HTREEITEM HandleOf(const TreeItem& item) {
  return reinterpret_cast<HTREEITEM>(item.viewHandle);
}

int ImageOf(const TreeItem& item) {
  return item.image >= 0 ? item.image : I_IMAGENONE;
}

// The window mirrors the model: every view item carries its model item in lParam, and the
// model item its view handle.
class WinFolderTree final : public FolderTreeControl, private DriveChangeView {
 public:
  WinFolderTree(HWND tree, HFONT font, FileSystem& files)
      : tree_(tree),
        font_(font),
        model_(files, drives_),
        prompt_([this](char letter) { PromptClosed(letter); }) {}

  void Build();

  HWND hwnd() const override { return tree_; }
  std::string SelectedPath() override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnDeviceChange(WPARAM wParam, LPARAM lParam) override;

 private:
  void Show(TreeItem& item, HTREEITEM parent);
  void UpdateItem(const TreeItem& item);
  void ForgetShownChildren(const TreeItem& item);
  void Expanding(TreeItem& item, LRESULT& result);
  void PromptClosed(char letter);

  void RemovingDrive(TreeItem& drive) override;
  void DiscardingChildren(TreeItem& drive) override { ForgetShownChildren(drive); }
  void DriveLookChanged(TreeItem& drive) override { UpdateItem(drive); }
  void DriveAdded(TreeItem& drive) override { Show(drive, HandleOf(model_.root())); }

  ComApartment com_;  // before anything asks the shell
  HWND tree_;
  HFONT font_;
  WinDrives drives_;
  FolderTreeModel model_;
  MediumPrompt prompt_;  // last: goes first, while the tree it enables still exists
};

void WinFolderTree::Build() {
  SystemImages images = SmallSystemImages();
  if (images.list) {
    SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.list));
  }
  CriticalErrorsSuppressed quiet;
  model_.Build(ComputerLook(), images.folderImage, DocumentsFolder());
  Show(model_.root(), TVI_ROOT);
  SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(HandleOf(model_.root())));
  SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, 0);
}

void WinFolderTree::Show(TreeItem& item, HTREEITEM parent) {
  std::wstring text = Widen(item.text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
  insert.item.pszText = text.data();
  insert.item.iImage = insert.item.iSelectedImage = ImageOf(item);
  insert.item.cChildren = ShowsExpandButton(item) ? 1 : 0;
  insert.item.lParam = reinterpret_cast<LPARAM>(&item);
  auto handle = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  item.viewHandle = reinterpret_cast<std::uintptr_t>(handle);
  if (!handle) return;
  for (auto& child : item.children) Show(*child, handle);
}

void WinFolderTree::UpdateItem(const TreeItem& item) {
  std::wstring text = Widen(item.text);
  TVITEMW update{};
  update.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  update.hItem = HandleOf(item);
  update.pszText = text.data();
  update.iImage = update.iSelectedImage = ImageOf(item);
  update.cChildren = ShowsExpandButton(item) ? 1 : 0;
  SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&update));
}

// Makes the item look never expanded, so that its next expansion asks to read it again: the
// tree stops reporting expansions once an item has been expanded, and a collapse-and-reset
// alone leaves the children of an item that is not open.
void WinFolderTree::ForgetShownChildren(const TreeItem& item) {
  HTREEITEM handle = HandleOf(item);
  if (!handle) return;
  SendMessageW(tree_, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET,
               reinterpret_cast<LPARAM>(handle));
  while (auto child = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(handle)))) {
    if (!SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child))) break;
  }
  TVITEMW reset{};
  reset.mask = TVIF_STATE | TVIF_CHILDREN;
  reset.hItem = handle;
  reset.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  reset.state = 0;
  reset.cChildren = ShowsExpandButton(item) ? 1 : 0;
  SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&reset));
}

std::string WinFolderTree::SelectedPath() {
  auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!selected) return "";
  TVITEMW item{};
  item.mask = TVIF_PARAM;
  item.hItem = selected;
  if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return "";
  const auto* node = reinterpret_cast<const TreeItem*>(item.lParam);
  return node ? PathOf(*node) : "";
}

bool WinFolderTree::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != tree_) return false;
  // The tree reports in the form its parent asked for; both forms carry the same fields here.
  if (header.code != TVN_ITEMEXPANDINGW && header.code != TVN_ITEMEXPANDINGA) return false;
  const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
  result = FALSE;  // let it expand or collapse
  auto* item = reinterpret_cast<TreeItem*>(change.itemNew.lParam);
  if (item && (change.action & (TVE_COLLAPSE | TVE_EXPAND)) == TVE_EXPAND) Expanding(*item, result);
  return true;
}

void WinFolderTree::Expanding(TreeItem& item, LRESULT& result) {
  CriticalErrorsSuppressed quiet;
  switch (model_.ReadChildren(item)) {
    case ReadOutcome::kRead:
      for (auto& child : item.children) Show(*child, HandleOf(item));
      UpdateItem(item);  // a folder that turned out empty loses its button
      break;
    case ReadOutcome::kDriveNotReady:
      result = TRUE;  // stays closed and unread
      if (prompt_.Open(GetAncestor(tree_, GA_ROOT), item.driveLetter, font_)) {
        EnableWindow(tree_, FALSE);
      }
      break;
    case ReadOutcome::kAlreadyRead:
      break;
  }
}

void WinFolderTree::PromptClosed(char letter) {
  // Whatever the tree noted about the refused expansion, the drive is to be read next time.
  if (TreeItem* drive = model_.FindDrive(letter); drive && !drive->read) {
    ForgetShownChildren(*drive);
  }
  EnableWindow(tree_, TRUE);
}

void WinFolderTree::RemovingDrive(TreeItem& drive) {
  if (HTREEITEM handle = HandleOf(drive)) {
    SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(handle));
  }
}

void WinFolderTree::OnDeviceChange(WPARAM wParam, LPARAM lParam) {
  if (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE) return;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME) return;
  const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lParam);
  CriticalErrorsSuppressed quiet;
  DriveSetChange change =
      VolumeBroadcastChange(wParam == DBT_DEVICEARRIVAL, volume->dbcv_unitmask,
                            (volume->dbcv_flags & DBTF_MEDIA) != 0, drives_.LogicalDrives());
  // First the prompt, so that its drive is made readable again before the change touches it.
  if (prompt_.IsOpen() && EndsMediumPrompt(prompt_.letter(), change)) prompt_.Close();
  model_.ApplyDriveChange(change, *this);
}

}  // namespace

std::unique_ptr<FolderTreeControl> FolderTreeControl::Create(HWND parent, int controlId,
                                                             const RECT& bounds, HFONT font,
                                                             FileSystem& files) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  // No tab stop, and no lines at the root: the computer is the one top item.
  HWND tree = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
      WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_SHOWSELALWAYS, bounds.left,
      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
  if (!tree) return nullptr;
  if (font) SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  auto control = std::make_unique<WinFolderTree>(tree, font, files);
  control->Build();
  return control;
}

}  // namespace kz
