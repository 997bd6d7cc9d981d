#include "tests/e2e/remote_tree.h"

#include "tests/e2e/e2e.h"
#include "tests/e2e/input.h"

namespace kz::e2e {

HTREEITEM RemoteTree::Root() const {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

std::vector<HTREEITEM> RemoteTree::Children(HTREEITEM item) const {
  std::vector<HTREEITEM> children;
  auto child = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
  while (child) {
    children.push_back(child);
    child = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
  }
  return children;
}

bool RemoteTree::Item(HTREEITEM item, UINT mask, TVITEMW& result, std::wstring* text) const {
  constexpr std::size_t kChars = 1024;
  RemoteMemory memory(app_.process(), sizeof(TVITEMW) + kChars * sizeof(wchar_t));
  TVITEMW request{};
  request.mask = mask | TVIF_HANDLE;
  request.hItem = item;
  request.stateMask = 0xFFFF;
  if (text) {
    request.mask |= TVIF_TEXT;
    request.cchTextMax = kChars;
    request.pszText =
        reinterpret_cast<wchar_t*>(static_cast<char*>(memory.address()) + sizeof(TVITEMW));
  }
  memory.Write(&request, sizeof(request));
  if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.address()))) {
    return false;
  }
  memory.Read(&result, sizeof(result));
  if (text) {
    std::vector<wchar_t> buffer(kChars, L'\0');
    memory.Read(buffer.data(), (kChars - 1) * sizeof(wchar_t), sizeof(TVITEMW));
    *text = buffer.data();
  }
  return true;
}

std::string RemoteTree::Text(HTREEITEM item) const {
  TVITEMW result{};
  std::wstring text;
  return Item(item, 0, result, &text) ? Utf8(text) : "";
}

bool RemoteTree::HasButton(HTREEITEM item) const {
  TVITEMW result{};
  return Item(item, TVIF_CHILDREN, result, nullptr) && result.cChildren != 0;
}

bool RemoteTree::Expanded(HTREEITEM item) const {
  return (SendMessageW(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

void RemoteTree::Expand(HTREEITEM item) {
  SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  app_.Settle(100);
}

void RemoteTree::Collapse(HTREEITEM item) {
  SendMessageW(tree_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
  app_.Settle(100);
}

bool RemoteTree::Click(HTREEITEM item, bool right) {
  SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RemoteMemory memory(app_.process(), sizeof(RECT));
  // TVM_GETITEMRECT takes the item handle in the buffer and returns the rectangle there.
  memory.Write(&item, sizeof(item));
  if (!SendMessageW(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(memory.address()))) {
    return false;
  }
  RECT bounds{};
  memory.Read(&bounds, sizeof(bounds));
  POINT spot{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  ClientToScreen(tree_, &spot);
  ClickAt(spot, right);
  app_.Settle(100);
  return true;
}

HTREEITEM RemoteTree::Selected() const {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

HTREEITEM RemoteTree::ChildContaining(HTREEITEM parent, const std::string& part) const {
  for (HTREEITEM child : Children(parent)) {
    if (Text(child).find(part) != std::string::npos) return child;
  }
  return nullptr;
}

}  // namespace kz::e2e
