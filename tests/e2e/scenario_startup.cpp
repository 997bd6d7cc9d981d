// The main window right after start-up, control by control, and a clean exit.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

struct ExpectedControl {
  int id;
  const wchar_t* windowClass;
  RECT bounds;  // left, top, right, bottom in the client area
};

const ExpectedControl kControls[] = {
    {id::kFolderTree, L"SysTreeView32", {16, 16, 204, 236}},
    {id::kResultList, L"SysListView32", {216, 16, 624, 260}},
    {id::kSearchButton, L"Button", {24, 252, 88, 300}},
    {id::kRecursiveCheck, L"Button", {96, 250, 196, 270}},
    {id::kTimeField, L"Edit", {224, 277, 273, 297}},
    {id::kPositionBar, L"msctls_trackbar32", {277, 275, 441, 295}},
    {id::kPlayButton, L"Button", {444, 276, 476, 298}},
    {id::kPauseButton, L"Button", {478, 276, 510, 298}},
    {id::kStopButton, L"Button", {512, 276, 544, 298}},
    {id::kRewindButton, L"Button", {550, 276, 582, 298}},
    {id::kForwardButton, L"Button", {584, 276, 616, 298}},
};

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

void CheckGeometry(AppProcess& app, Checker& check) {
  HWND main = app.main();
  check.Equal(app.WindowText(main), "MP3 - Klangzwilling v1.0", "title");
  RECT client{};
  GetClientRect(main, &client);
  check.Equal(client.right, 640, "client width");
  check.Equal(client.bottom, 344, "client height");
  RECT outer{};
  GetWindowRect(main, &outer);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  check.Equal(outer.left, (screenWidth - (outer.right - outer.left)) / 2, "centred left edge");
  check.Equal(outer.top, (screenHeight - (outer.bottom - outer.top)) / 2, "centred top edge");
  LONG style = GetWindowLongW(main, GWL_STYLE);
  check.Check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU) &&
                  (style & WS_MINIMIZEBOX) && !(style & WS_MAXIMIZEBOX) && !(style & WS_THICKFRAME),
              "caption, system menu and minimise box only");

  for (const ExpectedControl& expected : kControls) {
    std::string name = "control " + std::to_string(expected.id);
    HWND control = app.Control(expected.id);
    if (!check.Check(control != nullptr, name + " exists")) continue;
    check.Check(ClassOf(control) == expected.windowClass,
                name + " class " + Utf8(ClassOf(control)));
    check.Equal(Describe(ClientRectInParent(control)), Describe(expected.bounds), name + " bounds");
  }

  // Three captionless group boxes, and the status bar along the bottom edge.
  const RECT frames[] = {{4, 0, 636, 314}, {16, 240, 204, 304}, {216, 264, 624, 304}};
  int found = 0;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != L"Button" || (GetWindowLongW(child, GWL_STYLE) & 0xF) != BS_GROUPBOX) {
      continue;
    }
    RECT bounds = ClientRectInParent(child);
    for (const RECT& frame : frames) {
      if (Describe(bounds) == Describe(frame)) ++found;
    }
    check.Equal(app.WindowText(child), "", "frame caption");
  }
  check.Equal(found, 3, "frames");
  HWND status = app.Control(id::kStatusBar);
  if (check.Check(status != nullptr, "status bar exists")) {
    RECT bounds = ClientRectInParent(status);
    check.Equal(bounds.bottom, 344, "status bar at the bottom");
    check.Equal(bounds.right - bounds.left, 640, "status bar width");
    int edges[4] = {};
    check.Equal(SendMessageW(status, SB_GETPARTS, 0, 0), 2, "status fields");
    (void)edges;
    check.Check(!(GetWindowLongW(status, GWL_STYLE) & SBARS_SIZEGRIP), "no size grip");
  }
}

void CheckFirstPass(AppProcess& app, Checker& check) {
  for (int id : {id::kSearchButton, id::kPlayButton, id::kPauseButton, id::kStopButton,
                 id::kRewindButton, id::kForwardButton, id::kPositionBar}) {
    check.Check(!IsWindowEnabled(app.Control(id)), "control " + std::to_string(id) + " disabled");
  }
  for (int id : {id::kRecursiveCheck, id::kResultList, id::kTimeField}) {
    check.Check(IsWindowEnabled(app.Control(id)) != FALSE,
                "control " + std::to_string(id) + " enabled");
  }
  check.Equal(app.StatusText(1), "Anzahl Dateien : 0", "status field 1");
  check.Equal(app.StatusText(0), " Herzlich willkommen zu MP3 - Klangzwilling v1.0",
              "status field 0");
  check.Equal(app.WindowText(app.Control(id::kTimeField)), "00:00:00", "time field");
  check.Equal(SendMessageW(app.Control(id::kRecursiveCheck), BM_GETCHECK, 0, 0), BST_CHECKED,
              "check box ticked");
  check.Equal(app.WindowText(app.Control(id::kRecursiveCheck)), "Rekursive Suche",
              "check box text");
  check.Equal(SendMessageW(app.Control(id::kPositionBar), TBM_GETPOS, 0, 0), 0,
              "position bar at 0");
  check.Equal(SendMessageW(app.Control(id::kPositionBar), TBM_GETRANGEMAX, 0, 0), 100,
              "position bar range");
  HWND list = app.Control(id::kResultList);
  check.Equal(app.RowCount(list), 0, "empty result list");
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  check.Equal(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), kColumnCount, "result list columns");
  // Shown as name, size, recording, folder, ID; the column numbers keep their meaning.
  const int shownAs[] = {kNameColumn, kSizeColumn, kRecordingColumn, kFolderColumn, kIdColumn};
  for (int place = 0; place < kColumnCount; ++place) {
    check.Equal(SendMessageW(header, HDM_ORDERTOINDEX, place, 0), shownAs[place],
                "column at place " + std::to_string(place));
  }
  DWORD extended = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  check.Check((extended & LVS_EX_CHECKBOXES) && (extended & LVS_EX_GRIDLINES) &&
                  (extended & LVS_EX_FULLROWSELECT) && (extended & LVS_EX_HEADERDRAGDROP),
              "result list extended styles");
  const int widths[kColumnCount] = {328, 64, 2048, 32, 72};  // by column number
  for (int column = 0; column < kColumnCount; ++column) {
    check.Equal(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0), widths[column],
                "column width " + std::to_string(column));
  }
}

void CheckPopupMenu(AppProcess& app, const Options& options, Checker& check) {
  ClickControl(app.Control(id::kResultList), true);
  HWND menu = FindPopupMenu(app.id());
  if (!check.Check(menu != nullptr, "right click on the list opens the popup menu")) return;
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\popup-menu.bmp");
  // Both items are greyed: choosing the first with the keyboard does nothing.
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  app.Settle(300);
  check.Check(FindWindowW(L"KlangzwillingProperties", nullptr) == nullptr,
              "a greyed item cannot be chosen");
  if (IsWindowVisible(menu)) PressKey(VK_ESCAPE);
  app.Settle(200);
  // A right click in the client area away from the controls opens it too.
  RECT client{};
  GetClientRect(app.main(), &client);
  POINT spot{210, 300};
  ClientToScreen(app.main(), &spot);
  ClickAt(spot, true);
  HWND again = FindPopupMenu(app.id());
  check.Check(again != nullptr, "right click on the window opens the popup menu");
  if (again) PressKey(VK_ESCAPE);
  app.Settle(200);
}

// Tab and Shift+Tab move among the enabled controls with a tab stop, in creation order; the
// folder tree is skipped, and so are the search and player controls while disabled.
void CheckTabOrder(AppProcess& app, Checker& check) {
  ClickAt([&] {
    RECT bounds{};
    GetWindowRect(app.Control(id::kResultList), &bounds);
    return POINT{bounds.left + 100, bounds.bottom - 40};
  }());
  app.Settle(100);
  check.Check(app.Focus() == app.Control(id::kResultList), "a click focuses the result list");
  const int forward[] = {id::kRecursiveCheck, id::kTimeField, id::kResultList};
  for (int id : forward) {
    PressKey(VK_TAB);
    app.Settle(100);
    check.Check(app.Focus() == app.Control(id), "Tab reaches control " + std::to_string(id));
  }
  PressKey(VK_TAB, true);
  app.Settle(100);
  check.Check(app.Focus() == app.Control(id::kTimeField), "Shift+Tab goes back to the time field");
}

void Startup(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.started(), "program starts")) return;
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\main-window.bmp");
  CheckGeometry(app, check);
  CheckFirstPass(app, check);
  CheckPopupMenu(app, options, check);
  CheckTabOrder(app, check);
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code after closing");
}

const Scenario kStartup("startup", Startup);

}  // namespace
}  // namespace kz::e2e
