// Ticks in a large result list (the 20,000 namesakes of M:\big\): a click on a row's box, the
// Space key on the focused row and LVM_SETITEMSTATE sent from this process each tick and untick
// a row, and the ticks are the program's own: removing ticked rows from the middle of the list
// deletes exactly their files, the rows below move up with their ticks, and the selected row
// stays on its file.

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
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

constexpr int kRows = 20000;

bool Ticked(AppProcess& app, HWND list, int row) {
  return (app.RowState(list, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

std::string RowLine(AppProcess& app, HWND list, int row) {
  std::string line;
  for (int column = 0; column < kRowTextCells; ++column)
    line += app.RowText(list, row, column) + "\t";
  return line;
}

std::wstring PathOfRow(AppProcess& app, const Options& options, HWND list, int row) {
  return options.work + L"\\big\\" + Wide(app.RowText(list, row, kFolderColumn).substr(4)) +
         Wide(app.RowText(list, row, kNameColumn));
}

void TickByClick(AppProcess& app, HWND list, Checker& check, int row) {
  POINT box{};
  if (!check.Check(BoxOfRow(app, list, row, box), "the hit test finds the box of a row")) return;
  ClickAt(box);
  app.Settle(200);
  check.Check(Ticked(app, list, row), "a click on the box ticks the row");
  check.Check(!Ticked(app, list, row - 1) && !Ticked(app, list, row + 1),
              "the rows beside it stay unticked");
  Sleep(600);  // clicks on the same spot in quick succession make a double click
  ClickAt(box);
  app.Settle(200);
  check.Check(!Ticked(app, list, row), "a second click unticks it");
  Sleep(600);
  ClickAt(box);
  app.Settle(200);
  check.Check(Ticked(app, list, row), "a third click ticks it again");
  Sleep(600);
  ClickAt(box);
  ClickAt(box);
  app.Settle(200);
  check.Check(!Ticked(app, list, row), "a double click changes the tick once");
  Sleep(600);
  ClickAt(box);
  app.Settle(200);
  check.Check(Ticked(app, list, row), "and a click ticks it again");
}

void TickBySpace(AppProcess& app, HWND list, Checker& check, int row) {
  ClickRow(app, list, row);
  check.Equal(app.RowState(list, row, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED,
              "a click on the row selects it");
  check.Check(!Ticked(app, list, row), "a click beside the box does not tick");
  PressKey(VK_SPACE);
  app.Settle(200);
  check.Check(Ticked(app, list, row), "Space ticks the focused row");
  PressKey(VK_SPACE);
  app.Settle(200);
  check.Check(!Ticked(app, list, row), "Space again unticks it");
  PressKey(VK_SPACE);
  app.Settle(200);
  check.Check(Ticked(app, list, row), "and ticks it once more");
}

void TickByMessage(AppProcess& app, HWND list, Checker& check, int row) {
  check.Check(app.SetRowState(list, row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK),
              "LVM_SETITEMSTATE is taken");
  check.Check(Ticked(app, list, row), "LVM_SETITEMSTATE from another process ticks");
  app.SetRowState(list, row, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
  check.Check(!Ticked(app, list, row), "and unticks");
  app.SetRowState(list, row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}

void Ticks(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Equal(SearchFolder(app, options, "big"), kRows, "rows of M:\\big\\")) return;
  HWND list = app.Control(id::kResultList);

  // Ticked rows in the middle of the list, each by another way.
  const int clicked = 9990;
  const int spaced = 10000;
  const int sent = 10010;
  TickByClick(app, list, check, clicked);
  TickBySpace(app, list, check, spaced);
  TickByMessage(app, list, check, sent);
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\ticked-rows.bmp");

  std::vector<int> ticked;
  for (int row = 9980; row < 10030; ++row) {
    if (Ticked(app, list, row)) ticked.push_back(row);
  }
  check.Check(ticked == std::vector<int>{clicked, spaced, sent}, "exactly the three rows ticked");
  std::vector<std::wstring> paths;
  for (int row : ticked) paths.push_back(PathOfRow(app, options, list, row));
  const int watched[] = {clicked - 1, clicked + 1, spaced + 1, sent + 1, 15000};
  std::vector<std::string> lines;
  for (int row : watched) lines.push_back(RowLine(app, list, row));
  const int selected = 15000;
  ClickRow(app, list, selected);

  check.Check(ChooseMenuItem(app, selected, id::kRemoveItem), "choose Datei(en) entfernen");
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (!check.Check(question != nullptr, "the question box opens")) return;
  PressKey(VK_RETURN);
  check.Check(WaitFor([&] { return !IsWindow(question); }, 5000), "the question closes");
  app.Settle(400);

  // On a busy machine the welcome text may already have replaced the outcome.
  std::string outcome = app.StatusText(0);
  check.Check(outcome == " 3 Datei(en) erfolgreich gel\xC3\xB6scht!" ||
                  outcome.rfind(" Herzlich willkommen", 0) == 0,
              "outcome text: " + outcome);
  for (const std::wstring& path : paths) check.Check(!Exists(path), "a ticked file is gone");
  check.Equal(app.RowCount(list), kRows - 3, "three rows removed");
  check.Equal(app.StatusText(1), "Anzahl Dateien : " + std::to_string(kRows - 3), "row count");
  const int movedTo[] = {clicked - 1, clicked, spaced - 1, sent - 2, 15000 - 3};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    check.Equal(RowLine(app, list, movedTo[i]), lines[i], "a row below moved up");
    check.Check(!Ticked(app, list, movedTo[i]), "an unticked row stays unticked");
  }
  int stillTicked = 0;
  for (int row = 0; row < kRows - 3; row += 1) stillTicked += Ticked(app, list, row) ? 1 : 0;
  check.Equal(stillTicked, 0, "no row is ticked after the removal");
  check.Equal(static_cast<long long>(
                  SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)),
              selected - 3, "the selection stays on its row");
  check.Equal(static_cast<long long>(
                  SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)),
              selected - 3, "and so does the focus");
  check.Equal(static_cast<long long>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)), 1LL,
              "one row selected");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kTicks("ticks", Ticks);

}  // namespace
}  // namespace kz::e2e
