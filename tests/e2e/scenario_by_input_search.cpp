// The search and the ticks as a user's input makes them, checked without the program's memory
// (see by_input.h): the rows' count, their ticks asked across the process line, the status
// message, and for a removal from the middle of 20,000 rows the files left on the disk.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/ids.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/by_input.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

void Search(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\suche";
  CopyMedia(options, L"tone5.mp3", root + L"\\Alben\\x.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\Alben\\y.mp3");
  CopyMedia(options, L"tone5.mp3", root + L"\\Best of\\x.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\Best of\\nur hier.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\Live\\Tour 1999\\y.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\y.mp3");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  HWND list = app.Control(id::kResultList);
  check.Equal(SearchByInput(app, options, "suche"), 5, "rows: 2 x.mp3 and 3 y.mp3");
  check.Equal(StatusMessage(app), " Suche erfolgreich beendet!", "outcome text");
  RowPlaces rows(app, list);
  if (!check.Check(rows.Measure(), "the rows' places are seen on the screen")) return;
  check.Equal(TickedCount(list), 0, "no row ticked after the search");

  check.Check(rows.ClickBox(0) && Ticked(list, 0), "a click on the first row's box ticks it");
  check.Check(!Ticked(list, 1), "the row below stays unticked");
  check.Check(rows.ClickBox(0) && !Ticked(list, 0), "a second click unticks it");
  check.Check(rows.ClickRow(3), "a click on a row");
  check.Equal(rows.selected(), 3, "selects it");
  check.Check(!Ticked(list, 3), "a click beside the box does not tick");
  PressKey(VK_SPACE);
  app.Settle(200);
  check.Check(Ticked(list, 3), "Space ticks the selected row");
  check.Check(rows.ClickBox(1) && Ticked(list, 1), "the box of another row");
  check.Equal(TickedCount(list), 2, "two rows ticked");
  check.Equal(rows.selected(), 3, "a click on a box leaves the selection");
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\result-list-by-input.bmp");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

// M:\viele\ (a copy of M:\big\ for this scenario alone) holds track<D>-<F>.mp3 (D 0..49, F 0..9) in
// each of the folders f0000..f1999, folder n holding D = n % 50: 500 names, each in 40 folders. The
// rows are sorted by name in byte order, so row r shows the (r / 40)th name; which of its 40 files
// it shows, the disk tells afterwards.
constexpr int kFolders = 2000;
constexpr int kCopies = 40;

std::vector<std::string> NamesInRowOrder() {
  std::vector<std::string> names;
  for (int d = 0; d < 50; ++d) {
    for (int f = 0; f < 10; ++f)
      names.push_back("track" + std::to_string(d) + "-" + std::to_string(f) + ".mp3");
  }
  std::sort(names.begin(), names.end());
  return names;
}

// How many copies of the name of row `row` are on the disk.
int CopiesOfRowName(const Options& options, int row) {
  std::string name = NamesInRowOrder()[static_cast<std::size_t>(row / kCopies)];
  int d = std::stoi(name.substr(5));
  int copies = 0;
  for (int folder = d; folder < kFolders; folder += 50) {
    wchar_t part[16];
    swprintf(part, 16, L"\\viele\\f%04d\\", folder);
    copies += Exists(options.work + part + Wide(name)) ? 1 : 0;
  }
  return copies;
}

void Ticks(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  HWND list = app.Control(id::kResultList);
  const int all = kFolders * 10;
  if (!check.Equal(SearchByInput(app, options, "viele"), all, "rows of M:\\viele\\")) return;
  RowPlaces rows(app, list);
  if (!check.Check(rows.Measure(), "the rows' places are seen on the screen")) return;

  // Three rows in the middle, two of one name, each ticked another way.
  const int clicked = 9990;
  const int spaced = 10000;
  const int boxed = 10010;
  check.Check(rows.ClickBox(clicked), "click the box of row 9990");
  check.Check(rows.ClickRow(spaced), "select row 10000");
  PressKey(VK_SPACE);
  app.Settle(200);
  check.Check(rows.ClickBox(boxed), "click the box of row 10010");
  std::vector<int> ticked;
  for (int row = 9980; row < 10030; ++row) {
    if (Ticked(list, row)) ticked.push_back(row);
  }
  check.Check(ticked == std::vector<int>{clicked, spaced, boxed}, "exactly the three rows ticked");
  check.Equal(CopiesOfRowName(options, clicked), kCopies, "every copy there before");
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\ticked-rows-by-input.bmp");

  const int selected = 15000;
  check.Check(rows.ClickRow(selected), "select row 15000");
  std::string outcome = RemoveByInput(app, rows, selected, IDYES);
  check.Check(outcome == " 3 Datei(en) erfolgreich gel\xC3\xB6scht!" ||
                  outcome.starts_with(" Herzlich willkommen"),
              "outcome text: " + outcome);
  check.Equal(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), all - 3, "three rows removed");
  // Rows 9960..9999 show one name, 10000..10039 the next.
  check.Equal(CopiesOfRowName(options, clicked), kCopies - 1, "one copy of row 9990's name gone");
  check.Equal(CopiesOfRowName(options, spaced), kCopies - 2, "two of row 10000's name gone");
  check.Equal(CopiesOfRowName(options, clicked - kCopies), kCopies, "the name before untouched");
  check.Equal(CopiesOfRowName(options, spaced + kCopies), kCopies, "the name after untouched");
  int stillTicked = 0;
  for (int row = 9900; row < 10100; ++row) stillTicked += Ticked(list, row) ? 1 : 0;
  check.Equal(stillTicked, 0, "no row around them ticked after the removal");
  check.Equal(rows.selected(), selected - 3, "the selection stays on its row");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kSearch("search-by-input", Search);
const Scenario kTicks("ticks-by-input", Ticks);

}  // namespace
}  // namespace kz::e2e
