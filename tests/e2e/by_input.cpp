#include "tests/e2e/by_input.h"

#include <commctrl.h>

#include <algorithm>
#include <bit>
#include <vector>

#include "app/tree/folder_name_order.h"
#include "core/ids.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"

namespace kz::e2e {
namespace {

// Pixels from the list's client edge: inside the tick box of a row, and a column of the name
// cell right of any name the scenarios use, where a row shows nothing but its background.
constexpr int kBoxX = 9;
constexpr int kPlainX = 300;

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM how) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent) {
  std::vector<HTREEITEM> children;
  for (HTREEITEM child = Next(tree, parent, TVGN_CHILD); child;
       child = Next(tree, child, TVGN_NEXT)) {
    children.push_back(child);
  }
  return children;
}

void Expand(AppProcess& app, HWND tree, HTREEITEM item) {
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  app.Settle(100);
}

// The subfolders of `folder` in the folder tree's order.
std::vector<std::string> TreeOrderOfSubfolders(const std::wstring& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = data.cFileName;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") {
      names.push_back(Utf8(name));
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end(), FolderNameLess);
  return names;
}

bool IsOutcomeOfSearch(const std::string& status) {
  return status.starts_with(" Suche") && status.find("Suche nach") == std::string::npos;
}

// An outcome stays in status field 0 until the welcome text comes back, 5 s after it was last
// shown: waiting for the welcome first, a search's or removal's outcome can only be the new one.
bool WaitForWelcome(AppProcess& app) {
  return WaitFor(
      [&] {
        PostMessageW(app.main(), WM_NULL, 0, 0);  // a pass of the main loop
        return StatusMessage(app).starts_with(" Herzlich willkommen");
      },
      8000);
}

}  // namespace

std::string StatusMessage(AppProcess& app) {
  return app.WindowText(app.Control(id::kStatusBar));
}

bool SelectFolderByOrder(AppProcess& app, const Options& options, const std::string& folder) {
  HWND tree = app.Control(id::kFolderTree);
  HTREEITEM root = Next(tree, nullptr, TVGN_ROOT);
  if (!root || options.workDrive.empty()) return false;
  Expand(app, tree, root);
  // The root's first children are the logical drives in letter order.
  unsigned letter = static_cast<unsigned>(towupper(options.workDrive[0]) - L'A');
  auto index = static_cast<std::size_t>(std::popcount(GetLogicalDrives() & ((1u << letter) - 1)));
  std::vector<HTREEITEM> drives = Children(tree, root);
  if (index >= drives.size()) return false;
  Expand(app, tree, drives[index]);
  std::vector<std::string> names = TreeOrderOfSubfolders(options.workDrive + L"\\");
  std::vector<HTREEITEM> items = Children(tree, drives[index]);
  auto found = std::find(names.begin(), names.end(), folder);
  if (found == names.end() || items.size() != names.size()) return false;
  HTREEITEM item = items[static_cast<std::size_t>(found - names.begin())];
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  app.Settle(200);
  return Next(tree, nullptr, TVGN_CARET) == item;
}

int SearchByInput(AppProcess& app, const Options& options, const std::string& folder) {
  if (!WaitForWelcome(app) || !SelectFolderByOrder(app, options, folder)) return -1;
  HWND check = app.Control(id::kRecursiveCheck);
  ClickControl(app.Control(id::kSearchButton));
  // The check box is grey while the search runs. A short search may be over before that is
  // seen, and then its outcome stands in the status field; a long one's outcome may have given
  // way to the welcome text again before the program, busy with the rows, answers.
  bool begun = WaitFor(
      [&] { return !IsWindowEnabled(check) || IsOutcomeOfSearch(StatusMessage(app)); }, 30000);
  bool ended = begun && WaitFor(
                            [&] {
                              return IsWindowEnabled(check) &&
                                     StatusMessage(app).find("Suche nach") == std::string::npos;
                            },
                            60000);
  if (!ended) return -1;
  app.Settle(300);
  return static_cast<int>(SendMessageW(app.Control(id::kResultList), LVM_GETITEMCOUNT, 0, 0));
}

int RowPlaces::selected() const {
  return static_cast<int>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool RowPlaces::Highlight(int x, int& first, int& last) const {
  RECT header{};
  GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0)), &header);
  RECT area{};
  GetClientRect(list_, &area);
  MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&area), 2);
  POINT column{x, 0};
  ClientToScreen(list_, &column);
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  HDC screen = GetDC(nullptr);
  first = -1;
  for (int y = header.bottom; y < area.bottom; ++y) {
    if (GetPixel(screen, column.x, y) == highlight) {
      if (first < 0) first = y;
      last = y;
    } else if (first >= 0) {
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  return first >= 0;
}

bool RowPlaces::Measure() {
  if (SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0) < 2) return false;
  SendMessageW(list_, LVM_ENSUREVISIBLE, 0, FALSE);
  app_.Settle(100);
  RECT header{};
  GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0)), &header);
  POINT top{kPlainX, 0};
  ClientToScreen(list_, &top);
  ClickAt({top.x, header.bottom + 3});
  app_.Settle(200);
  int first = -1;
  int last = -1;
  if (!WaitFor([&] { return selected() == 0 && Highlight(kPlainX, first, last); }, 5000)) {
    return false;
  }
  PressKey(VK_DOWN);
  int next = -1;
  if (!WaitFor([&] { return selected() == 1 && Highlight(kPlainX, next, last) && next > first; },
               5000)) {
    return false;
  }
  firstTop_ = first;
  height_ = next - first;
  return true;
}

POINT RowPlaces::At(int row, int fromLeft) {
  SendMessageW(list_, LVM_ENSUREVISIBLE, row, FALSE);
  app_.Settle(100);
  int top = static_cast<int>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
  POINT spot{fromLeft, 0};
  ClientToScreen(list_, &spot);
  spot.y = firstTop_ + (row - top) * height_ + height_ / 2;
  return spot;
}

bool RowPlaces::ClickRow(int row, bool right) {
  if (height_ <= 0) return false;
  POINT spot = At(row, kPlainX);
  Sleep(GetDoubleClickTime() + 100);  // never the second half of a double click
  ClickAt(spot, right);
  app_.Settle(150);
  return true;
}

bool RowPlaces::ClickBox(int row) {
  if (height_ <= 0) return false;
  POINT spot = At(row, kBoxX);
  Sleep(GetDoubleClickTime() + 100);
  ClickAt(spot);
  app_.Settle(200);
  return true;
}

bool Ticked(HWND list, int row) {
  return (SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

int TickedCount(HWND list) {
  int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  int ticked = 0;
  for (int row = 0; row < count; ++row) ticked += Ticked(list, row) ? 1 : 0;
  return ticked;
}

std::string RemoveByInput(AppProcess& app, RowPlaces& rows, int row, int answer,
                          std::string* asked) {
  if (!WaitForWelcome(app) || !rows.ClickRow(row, true)) return "";
  HWND menu = FindPopupMenu(app.id());
  if (!menu) return "";
  // "Datei(en) entfernen" is the second item; the arrow keys pass over the separators, and Home
  // highlights the first item whatever the pointer rests on.
  PressKey(VK_HOME);
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (!question) return "";
  if (asked) {
    wchar_t text[256] = {};
    GetDlgItemTextW(question, 0xFFFF, text, 256);  // WM_GETTEXT: copied back by Wine
    *asked = Utf8(text);
  }
  if (answer == IDYES) {
    PressKey(VK_RETURN);  // Yes is the default button
  } else {
    ClickControl(GetDlgItem(question, IDNO));
  }
  if (!WaitFor([&] { return !IsWindow(question); }, 5000)) return "";
  app.Settle(300);
  return StatusMessage(app);
}

}  // namespace kz::e2e
