// The selection in a large result list (the namesakes of M:\big\), moved by the user's keys and
// clicks: each move leaves exactly one row selected, the new one, and a key or click that selects
// no other row leaves the selected row as it was. The list clears the old selection itself before
// the control does, so these check that the outcome is still the control's own. Last, a removal
// that takes the selected row out leaves no row selected, as the control does for a deleted row.
// (It deletes two files of M:\big\, so it runs after the scenarios that count them.)

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/remote.h"

namespace kz::e2e {
namespace {

long long Next(HWND list, UINT flags) {
  return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flags);
}

// Exactly one row selected, `row`, which also has the focus.
void ExpectSelected(HWND list, Checker& check, int row, const std::string& what) {
  check.Equal(static_cast<long long>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)), 1LL,
              what + ": one row selected");
  check.Equal(Next(list, LVNI_SELECTED), static_cast<long long>(row), what + ": the row selected");
  check.Equal(Next(list, LVNI_FOCUSED), static_cast<long long>(row), what + ": the row focused");
}

void Key(AppProcess& app, WORD key) {
  PressKey(key);
  app.Settle(150);
}

void Selection(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  const int kRows = SearchFolder(app, options, "big");
  if (!check.Check(kRows > 10000, "thousands of rows in M:\\big\\")) return;
  HWND list = app.Control(id::kResultList);

  ClickRow(app, list, 100);
  ExpectSelected(list, check, 100, "a click on row 100");
  Sleep(600);  // clicks in quick succession on the same spot would make a double click
  ClickRow(app, list, 140);
  ExpectSelected(list, check, 140, "a click on another row");
  check.Equal(app.RowState(list, 100, LVIS_SELECTED), 0u, "the row clicked first lost it");
  Key(app, VK_DOWN);
  ExpectSelected(list, check, 141, "Down");
  Key(app, VK_UP);
  Key(app, VK_UP);
  ExpectSelected(list, check, 139, "Up twice");
  Key(app, VK_HOME);
  ExpectSelected(list, check, 0, "Home");
  Key(app, VK_UP);
  ExpectSelected(list, check, 0, "Up on the first row");
  Key(app, VK_HOME);
  ExpectSelected(list, check, 0, "Home on the first row");
  Key(app, VK_END);
  ExpectSelected(list, check, kRows - 1, "End");
  Key(app, VK_DOWN);
  ExpectSelected(list, check, kRows - 1, "Down on the last row");
  Key(app, VK_NEXT);
  ExpectSelected(list, check, kRows - 1, "Page Down on the last row");
  Key(app, VK_PRIOR);
  long long paged = Next(list, LVNI_SELECTED);
  check.Check(paged > kRows - 40 && paged < kRows - 1, "Page Up moves up by about a page");
  ExpectSelected(list, check, static_cast<int>(paged), "Page Up");

  // Typed letters select the next row whose name begins with them; letters that begin no name
  // leave the selection where it is.
  ClickRow(app, list, 500);
  PressKey('X');
  app.Settle(150);
  ExpectSelected(list, check, 500, "a letter that begins no name");
  Sleep(1200);  // the control forgets typed letters after a pause
  PressKey('T');
  app.Settle(150);
  ExpectSelected(list, check, 501, "a letter that begins the next name");

  // A click on another row's box ticks that row and leaves the selection where it was. A right
  // click on a row selects it (and opens the menu).
  ClickRow(app, list, 600);
  Sleep(600);
  POINT box{};
  if (check.Check(BoxOfRow(app, list, 603, box), "the hit test finds a box")) {
    ClickAt(box);
    app.Settle(200);
    check.Equal(app.RowState(list, 603, LVIS_STATEIMAGEMASK) >> 12, 2u, "the box's row ticked");
    check.Equal(static_cast<long long>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)), 1LL,
                "a click on a box leaves one row selected");
    check.Equal(Next(list, LVNI_SELECTED), 600LL, "the selection stays on the row clicked before");
  }
  Sleep(600);
  ClickRow(app, list, 610, true);
  PressKey(VK_ESCAPE);
  app.Settle(150);
  ExpectSelected(list, check, 610, "a right click");

  // Ticked: 603 (above) and 700, which is then selected; both files go, and with the selected
  // row no row stays selected; the rows below move up.
  app.SetRowState(list, 700, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  std::vector<std::wstring> paths;
  for (int row : {603, 700}) {
    paths.push_back(options.work + L"\\big\\" +
                    Wide(app.RowText(list, row, kFolderColumn).substr(4)) +
                    Wide(app.RowText(list, row, kNameColumn)));
  }
  std::string below = app.RowText(list, 701, kFolderColumn) + app.RowText(list, 701, kNameColumn);
  Sleep(600);
  check.Check(ChooseMenuItem(app, 700, id::kRemoveItem), "choose Datei(en) entfernen");
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (check.Check(question != nullptr, "the question box opens")) {
    PressKey(VK_RETURN);
    check.Check(WaitFor([&] { return !IsWindow(question); }, 5000), "the question closes");
    app.Settle(400);
    for (const std::wstring& path : paths) check.Check(!Exists(path), "a ticked file is gone");
    check.Equal(app.RowCount(list), kRows - 2, "two rows removed");
    check.Equal(static_cast<long long>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)), 0LL,
                "no row selected once the selected row is gone");
    check.Equal(app.RowText(list, 699, kFolderColumn) + app.RowText(list, 699, kNameColumn), below,
                "the row below moved up by two");
  }
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kSelection("selection", Selection);

}  // namespace
}  // namespace kz::e2e
