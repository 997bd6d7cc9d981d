// The properties window of a real MP3 row: its five rows, the same values as the CLI, and the
// main window disabled while it is open.

#include <windows.h>

#include <commctrl.h>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

void Properties(const Options& options, Checker& check) {
  CopyMedia(options, L"tone5.mp3", options.work + L"\\props\\eins\\lied.mp3");
  CopyMedia(options, L"tone5.mp3", options.work + L"\\props\\zwei\\lied.mp3");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SearchFolder(app, options, "props") == 2, "two rows")) return;
  HWND list = app.Control(id::kResultList);
  ClickRow(app, list, 0);
  std::string directory = app.RowText(list, 0, kFolderColumn);  // "...\eins\" or "...\zwei\"
  std::wstring path = options.workDrive + L"\\props\\" + Wide(directory.substr(4)) + L"lied.mp3";

  check.Check(ChooseMenuItem(app, 0, id::kPropertiesItem), "choose Eigenschaften");
  HWND window = FindProgramWindow(app.id(), L"KlangzwillingProperties", L"Eigenschaften");
  if (!check.Check(window != nullptr, "the properties window opens")) return;
  app.Settle(300);
  check.Check(!IsWindowEnabled(app.main()), "main window disabled while it is open");
  check.Check(GetWindow(window, GW_OWNER) == app.main(), "owned by the main window");
  check.Check((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0, "tool window");
  HWND properties = GetDlgItem(window, id::kPropertiesList);
  std::vector<std::string> rows = ReadRows(app, properties, 2);
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\properties-window.bmp");

  CliResult cli = RunCli(options, L"info \"" + path + L"\"");
  check.Equal(cli.exitCode, 0, "CLI info exit code");
  std::vector<std::string> lines = SplitLines(cli.out);
  // Its fields are key=value lines; the rows, label and value, are the lines holding a tab.
  std::vector<std::string> expected;
  for (const std::string& line : lines) {
    if (line.find('\t') != std::string::npos) expected.push_back(line);
  }
  check.Check(rows == expected, "the window shows the CLI's five rows");
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  char isoToday[16];
  wsprintfA(isoToday, "%04d-%02d-%02dT", utc.wYear, utc.wMonth, utc.wDay);
  check.Check(lines.size() > 6 && lines[6].rfind(std::string("created=") + isoToday, 0) == 0 &&
                  lines[6].back() == 'Z',
              "CLI: created= in ISO 8601 UTC, today");
  if (check.Equal(static_cast<long long>(rows.size()), 5, "five rows")) {
    check.Equal(rows[0], "Dauer\t00:05 Min", "playing time");
    check.Equal(rows[1], "Bitrate\t128 kBit/s", "bit rate");
    check.Equal(rows[2], "Frequenz\t44100 Hz", "frequency");
    check.Check(
        rows[3].rfind("Gr\xC3\xB6sse\t", 0) == 0 && rows[3].find(" KB") != std::string::npos,
        "size row " + rows[3]);
    SYSTEMTIME now{};
    GetSystemTime(&now);
    char today[16];
    wsprintfA(today, "%02d.%02d.%04d", now.wMonth, now.wDay, now.wYear);
    check.Equal(rows[4], std::string("Datei erstellt am\t") + today, "creation date (UTC)");
  }

  PostMessageW(window, WM_CLOSE, 0, 0);
  check.Check(WaitFor([&] { return !IsWindow(window); }, 5000), "close box ends the window");
  app.Settle(200);
  if (!check.Check(WaitForSingleObject(app.process(), 0) == WAIT_TIMEOUT,
                   "the program runs on after the close box")) {
    check.Equal(app.WaitForExit(0), 0, "exit code after the close box");
    return;
  }
  check.Check(IsWindowEnabled(app.main()) != FALSE, "main window enabled again");
  check.Check(WaitFor([&] { return app.Focus() == list; }, 2000),
              "the result list has the focus after the properties window");

  // Another window active in between: the main window gives the focus back to the control that
  // had it, here the time field.
  ClickControl(app.Control(id::kTimeField));
  check.Check(WaitFor([&] { return app.Focus() == app.Control(id::kTimeField); }, 2000),
              "a click focuses the time field");
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  app.Settle(300);
  SetForegroundWindow(app.main());
  check.Check(WaitFor([&] { return app.Focus() == app.Control(id::kTimeField); }, 2000),
              "activation gives the focus back to the time field");
  DestroyWindow(other);

  // A close request for the main window during the wait only closes the properties window.
  check.Check(ChooseMenuItem(app, 0, id::kPropertiesItem), "choose Eigenschaften again");
  window = FindProgramWindow(app.id(), L"KlangzwillingProperties", L"Eigenschaften");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Check(WaitFor([&] { return window && !IsWindow(window); }, 5000),
              "a close request ends the wait");
  app.Settle(200);
  check.Check(WaitForSingleObject(app.process(), 0) == WAIT_TIMEOUT, "the program keeps running");
  check.Check(IsWindowEnabled(app.main()) != FALSE, "main window enabled after that");
  check.Check(app.Focus() == list, "the result list has the focus after that too");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kProperties("properties", Properties);

}  // namespace
}  // namespace kz::e2e
