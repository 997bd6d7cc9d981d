// A search on a prepared tree: the rows the user sees equal the CLI's, the status texts, the
// controls during and after the scan, and a search cut short by a second click.

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
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

void PrepareTree(const Options& options) {
  std::wstring root = options.work + L"\\search";
  CopyMedia(options, L"tone5.mp3", root + L"\\Alben\\x.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\Alben\\y.mp3");
  CopyMedia(options, L"tone5.mp3", root + L"\\Best of\\x.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\Best of\\y.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\Best of\\nur hier.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\Live\\Tour 1999\\y.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\Live\\X.MP3");  // another name: case counts
  CopyMedia(options, L"tone2.mp3", root + L"\\y.mp3");
  WriteText(root + L"\\Live\\y.mp3.txt", "not an mp3");
}

bool SearchDone(AppProcess& app) {
  return IsWindowEnabled(app.Control(id::kRecursiveCheck)) &&
         app.StatusText(0).rfind(" Suche", 0) == 0 &&
         app.StatusText(0).find("Suche nach") == std::string::npos;
}

void FullSearch(AppProcess& app, const Options& options, Checker& check) {
  if (!check.Check(SelectFolder(app, options, {"search"}), "select M:\\search\\")) return;
  app.Settle(200);
  check.Check(IsWindowEnabled(app.Control(id::kSearchButton)) != FALSE,
              "search button enabled by the folder");
  ClickControl(app.Control(id::kSearchButton));
  check.Check(WaitFor([&] { return SearchDone(app); }, 20000), "search ends");
  app.Settle(300);
  check.Equal(app.StatusText(0), " Suche erfolgreich beendet!", "outcome text");

  std::vector<std::string> rows = ReadRows(app, app.Control(id::kResultList), kRowTextCells);
  CliResult cli = RunCli(options, L"scan " + options.workDrive + L"\\search\\");
  check.Equal(cli.exitCode, 0, "CLI exit code");
  std::vector<std::string> expected = SplitLines(cli.out);
  check.Equal(static_cast<long long>(rows.size()), 6, "rows: 2 x.mp3 and 4 y.mp3");
  check.Check(rows == expected, "the list shows the CLI's rows in its order");
  for (std::size_t i = 0; i < rows.size() && i < expected.size(); ++i) {
    check.Equal(rows[i], expected[i], "row " + std::to_string(i));
  }
  check.Equal(app.StatusText(1), "Anzahl Dateien : 6", "row count");
  bool sawRootCell = false;
  for (const std::string& row : rows) {
    if (row.find("\t...\\\t") != std::string::npos) sawRootCell = true;
    check.Check(row.rfind("nur hier.mp3", 0) != 0 && row.rfind("X.MP3", 0) != 0,
                "files without namesakes are not listed: " + row);
  }
  check.Check(sawRootCell, "a file in the searched folder itself shows ...\\");
  WIN32_FILE_ATTRIBUTE_DATA data{};
  std::wstring first = options.work + L"\\search\\" +
                       Wide(app.RowText(app.Control(id::kResultList), 0, kFolderColumn).substr(4)) +
                       Wide(app.RowText(app.Control(id::kResultList), 0, kNameColumn));
  GetFileAttributesExW(first.c_str(), GetFileExInfoStandard, &data);
  check.Equal(app.RowText(app.Control(id::kResultList), 0, kSizeColumn),
              std::to_string(data.nFileSizeLow / 1024 + 1) + " KB", "size cell in KB");
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\result-list.bmp");
}

void CutShort(AppProcess& app, const Options& options, Checker& check) {
  if (!check.Check(SelectFolder(app, options, {"big"}), "select M:\\big\\")) return;
  app.Settle(200);
  HWND button = app.Control(id::kSearchButton);
  std::vector<COLORREF> idle = CapturePixels(button);
  ClickControl(button);
  // The second click waits until the scan has entered more than 50 folders: the track names of
  // M:\big\ repeat every 50 folders, so only then are namesakes among the collected files.
  const std::string progress = " Suche nach doppelten MP3-Dateien...  [Dateien : ";
  const std::string folders = " / Verzeichnise : ";
  bool scanning = WaitFor(
      [&] {
        std::string status = app.StatusText(0);
        std::size_t at = status.find(folders);
        return status.rfind(progress, 0) == 0 && at != std::string::npos &&
               std::atoi(status.c_str() + at + folders.size()) > 60;
      },
      10000);
  check.Check(scanning, "progress text while scanning");
  check.Check(!IsWindowEnabled(app.Control(id::kRecursiveCheck)),
              "check box disabled during the scan");
  check.Equal(app.RowCount(app.Control(id::kResultList)), 0, "list cleared at the start");
  check.Equal(app.StatusText(1), "Anzahl Dateien : 0", "row count cleared at the start");
  check.Check(CapturePixels(button) != idle, "the search button shows another image");
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\search-running.bmp");
  ClickControl(button);  // cut it short
  // The scan is known to run, so the check box enabled again means it ended; on a busy machine
  // the search outlasts 5 s and the welcome text replaces the outcome at once.
  check.Check(
      WaitFor([&] { return IsWindowEnabled(app.Control(id::kRecursiveCheck)) != FALSE; }, 30000),
      "cut-short search ends");
  app.Settle(300);
  int rows = app.RowCount(app.Control(id::kResultList));
  check.Check(rows > 0 && rows < 20000,
              "only the namesakes collected so far: " + std::to_string(rows));
  check.Equal(app.StatusText(1), "Anzahl Dateien : " + std::to_string(rows), "row count");
  check.Check(IsWindowEnabled(app.Control(id::kRecursiveCheck)) != FALSE,
              "check box enabled again");
  // The focus and the mouse away from the button, which like every push button shows a focused
  // and a hover look.
  ClickControl(app.Control(id::kRecursiveCheck));
  ClickControl(app.Control(id::kRecursiveCheck));  // the check box ticked as before
  SetCursorPos(0, 0);
  app.Settle(300);
  check.Check(CapturePixels(button) == idle, "the search button shows its first image again");
}

void Search(const Options& options, Checker& check) {
  PrepareTree(options);
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  FullSearch(app, options, check);
  CutShort(app, options, check);
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

// Closing the window in the middle of a scan ends the program at once, with exit code 0.
void CloseDuringScan(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SelectFolder(app, options, {"big"}), "select M:\\big\\")) return;
  app.Settle(200);
  ClickControl(app.Control(id::kSearchButton));
  check.Check(WaitFor([&] { return !IsWindowEnabled(app.Control(id::kRecursiveCheck)); }, 10000),
              "scan runs");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(15000), 0, "exit code after closing during the scan");
}

const Scenario kSearch("search", Search);
const Scenario kCloseDuringScan("close-during-scan", CloseDuringScan);

}  // namespace
}  // namespace kz::e2e
