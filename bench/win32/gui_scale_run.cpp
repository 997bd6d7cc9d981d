// The e2e driver's "scale" scenario, for ./scripts/bench --scale: the real program on a tree of
// a million files (DRIVE\scan\). One full search with the progress text sampled, the memory the
// process gained, the filled list scrolled to its end and back, the popup menu's comparison of
// recordings and its ticking items, and a second search cut short by a click on the search
// button.
//   prints: key=value lines (scan_ms, progress_texts, rows, heap_bytes_before/after, scroll_ms,
//   compare_ms, tick_largest_ms, clear_ticks_ms, tick_folder_ms, cut_at_files, cut_ms,
//   cut_rows), then FAIL lines for anything that did not hold.
// Linked into kz_e2e_driver and run only when named, never by the test command.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "bench/win32/linux_memory.h"
#include "bench/win32/stopwatch.h"
#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

constexpr DWORD kSearchLimitMs = 30 * 60 * 1000;
const std::string kProgress = " Suche nach doppelten MP3-Dateien...  [Dateien : ";

// The check box (control 7) is disabled for the whole search, so it tells when a search ends;
// the outcome text may give way to the welcome text before it is read.

// The file count of a progress text, or -1 for any other text.
long FilesOf(const std::string& status) {
  if (status.rfind(kProgress, 0) != 0) return -1;
  return std::strtol(status.c_str() + kProgress.size(), nullptr, 10);
}

// The program's heaps; the driver's own command line names the program too.
long long ProgramHeapBytes() {
  return bench::HeapBytesOfProgram("klangzwilling.exe", "kz_e2e_driver");
}

// The number of files the search collected, as its last progress text showed it.
long FullSearch(AppProcess& app, Checker& check) {
  long long before = ProgramHeapBytes();
  Stopwatch clock;
  ClickControl(app.Control(id::kSearchButton));
  std::set<std::string> texts;
  long lastFiles = -1;
  bool rising = true;
  HWND box = app.Control(id::kRecursiveCheck);
  bool started = WaitFor([&] { return !IsWindowEnabled(box); }, 3000);
  while (started && !IsWindowEnabled(box) && clock.ElapsedMs() < kSearchLimitMs) {
    std::string status = app.StatusText(0);
    long files = FilesOf(status);
    if (files >= 0) {
      texts.insert(status);
      rising = rising && files >= lastFiles;
      lastFiles = files;
    }
    Sleep(20);
  }
  double ms = clock.ElapsedMs();
  std::string outcome = app.StatusText(0);  // the welcome text may soon replace it
  app.Settle(500);
  long long after = ProgramHeapBytes();
  int rows = app.RowCount(app.Control(id::kResultList));
  std::printf("scan_ms=%.0f\nprogress_texts=%zu\nlast_progress_files=%ld\nrows=%d\n", ms,
              texts.size(), lastFiles, rows);
  std::printf("heap_bytes_before=%lld\nheap_bytes_after=%lld\n", before, after);
  check.Check(started && IsWindowEnabled(box), "the search starts and ends");
  check.Check(FilesOf(outcome) < 0 && outcome.find("Keine") == std::string::npos,
              "not a progress text or nothing found: " + outcome);
  check.Check(texts.size() >= 10, "the progress text moves: " + std::to_string(texts.size()));
  check.Check(rising, "the progress counts only rise");
  check.Equal(app.StatusText(1), "Anzahl Dateien : " + std::to_string(rows), "row count");
  return lastFiles;
}

void ScrollToEndAndBack(AppProcess& app, const Options& options, Checker& check) {
  HWND list = app.Control(id::kResultList);
  int rows = app.RowCount(list);
  ClickRow(app, list, 0);
  app.Settle(200);
  Stopwatch clock;
  PressKey(VK_END);
  bool atEnd = WaitFor(
      [&] {
        return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) ==
                   rows - 1 &&
               SendMessageW(list, LVM_GETTOPINDEX, 0, 0) > 0;
      },
      60000);
  std::printf("scroll_ms=%.0f\n", clock.ElapsedMs());
  check.Check(atEnd, "End scrolls the list to its last row");
  app.Settle(300);
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\scale-list-end.bmp");
  check.Equal(app.RowText(list, rows - 1, kIdColumn).empty() ? 0 : 1, 1, "the last row has its ID");
  PressKey(VK_HOME);
  check.Check(WaitFor([&] { return SendMessageW(list, LVM_GETTOPINDEX, 0, 0) == 0; }, 60000),
              "Home scrolls back to the first row");
  std::fflush(stdout);
}

// The popup menu's comparison of recordings and its ticking items over the whole list, each
// timed from the key that chooses it until the outcome is in status field 0 and the list has
// painted. The ticking items compare first when the rows were not compared since the search;
// compared here before them, they measure the ticking alone.
void TickInBulk(AppProcess& app, Checker& check) {
  HWND list = app.Control(id::kResultList);
  ClickRow(app, list, 0);
  const struct {
    int item;
    const char* name;
    const char* outcome;
  } items[] = {{id::kCompareRecordingsItem, "compare_ms", " Dateien verglichen: "},
               {id::kTickAllButLargestItem, "tick_largest_ms", " Datei(en) markiert"},
               {id::kClearTicksItem, "clear_ticks_ms", " Alle Markierungen aufgehoben"},
               {id::kTickFolderItem, "tick_folder_ms", " Datei(en) markiert"}};
  for (const auto& item : items) {
    WaitForFreshWelcome(app);
    HWND menu = HighlightMenuItem(app, 0, item.item);
    if (!check.Check(menu != nullptr, std::string("the menu for ") + item.name)) continue;
    std::string status;
    Stopwatch clock;
    PressKey(VK_RETURN);
    // Polled closely: the driver's usual 50 ms wait would blur a figure of this size.
    while (clock.ElapsedMs() < kSearchLimitMs) {
      app.Settle(0);
      status = app.StatusText(0);
      if (status.find(item.outcome) != std::string::npos) break;
      Sleep(2);
    }
    UpdateWindow(list);
    std::printf("%s=%.0f\n", item.name, clock.ElapsedMs());
    check.Check(status.find(item.outcome) != std::string::npos, "outcome: " + status);
  }
  check.Equal(app.RowState(list, 0, LVIS_SELECTED), LVIS_SELECTED, "the selection stays");
  std::fflush(stdout);
}

// Clicks the search button again once a quarter of the files are collected.
void CutShort(AppProcess& app, Checker& check, long allFiles, int allRows) {
  HWND button = app.Control(id::kSearchButton);
  ClickControl(button);
  long files = -1;
  bool collecting = WaitFor(
      [&] {
        files = FilesOf(app.StatusText(0));
        return files >= allFiles / 4;
      },
      kSearchLimitMs);
  if (!check.Check(collecting, "the second search collects files")) return;
  Stopwatch clock;
  ClickControl(button);
  bool ended =
      WaitFor([&] { return IsWindowEnabled(app.Control(id::kRecursiveCheck)) != FALSE; }, 120000);
  double ms = clock.ElapsedMs();
  app.Settle(300);
  int rows = app.RowCount(app.Control(id::kResultList));
  std::printf("cut_at_files=%ld\ncut_ms=%.0f\ncut_rows=%d\n", files, ms, rows);
  check.Check(ended, "the click cuts the search short");
  check.Check(rows > 0 && rows < allRows, "only the namesakes collected so far are listed");
}

void Scale(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SelectFolder(app, options, {"scan"}), "select the scan folder")) return;
  app.Settle(300);
  long files = FullSearch(app, check);
  int rows = app.RowCount(app.Control(id::kResultList));
  std::fflush(stdout);
  ScrollToEndAndBack(app, options, check);
  TickInBulk(app, check);
  if (files > 0) CutShort(app, check, files, rows);
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(60000), 0, "exit code");
  std::fflush(stdout);
}

const Scenario kScale("scale", Scale);

}  // namespace
}  // namespace kz::e2e
