#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/e2e/app_process.h"

namespace kz::e2e {

// The folder tree of the program, read and clicked from outside.
class RemoteTree {
 public:
  RemoteTree(AppProcess& app, HWND tree) : app_(app), tree_(tree) {}

  HTREEITEM Root() const;
  std::vector<HTREEITEM> Children(HTREEITEM item) const;
  std::string Text(HTREEITEM item) const;
  bool HasButton(HTREEITEM item) const;  // children, or a callback that may give some
  bool Expanded(HTREEITEM item) const;
  void Expand(HTREEITEM item);
  void Collapse(HTREEITEM item);
  // Clicks the item's label, as a user selects it.
  bool Click(HTREEITEM item, bool right = false);
  HTREEITEM Selected() const;
  // The child of `parent` whose text contains `part`; null when none.
  HTREEITEM ChildContaining(HTREEITEM parent, const std::string& part) const;

 private:
  bool Item(HTREEITEM item, UINT mask, TVITEMW& result, std::wstring* text) const;

  AppProcess& app_;
  HWND tree_;
};

}  // namespace kz::e2e
