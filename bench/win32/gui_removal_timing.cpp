// The e2e driver's "removal-timing" scenario, for ./scripts/bench: the real program's removal of
// the ticked files below DRIVE\remove\ (a tree of bench/make_removal_tree.sh), ticked by "all
// but the largest file of each name", timed from the Yes of the question until the outcome is
// shown. Every other status text seen meanwhile counts as a progress text.
//   prints: rows=R ticked=T gui_remove_ms=M progress_texts=P rows_left=L
// Linked into kz_e2e_driver and run only when named, never by the test command.

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "bench/win32/stopwatch.h"
#include "core/ids.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"

namespace kz::e2e {
namespace {

constexpr double kRemovalLimitMs = 3600000;

void RemovalTiming(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SelectFolder(app, options, {"remove"}), "the folder selected")) return;
  app.Settle(200);
  ClickControl(app.Control(id::kSearchButton));
  WaitFor([&] { return !IsWindowEnabled(app.Control(id::kRecursiveCheck)); }, 10000);
  WaitFor([&] { return IsWindowEnabled(app.Control(id::kRecursiveCheck)) != FALSE; }, 600000);
  app.Settle(300);
  int rows = app.RowCount(app.Control(id::kResultList));
  if (!check.Check(rows > 0, "rows of the search")) return;
  WaitForFreshWelcome(app);
  if (!check.Check(ChooseMenuItem(app, 0, id::kTickAllButLargestItem),
                   "all but the largest ticked"))
    return;
  // The item compares the recordings first.
  WaitFor([&] { return app.StatusText(0).ends_with(" markiert"); }, 600000);
  std::string ticked = app.StatusText(0);
  WaitForFreshWelcome(app);
  if (!check.Check(ChooseMenuItem(app, 0, id::kRemoveItem), "removal chosen")) return;
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (!check.Check(question != nullptr, "the question")) return;
  PressKey(VK_RETURN);
  Stopwatch clock;
  std::set<std::string> progress;
  std::string status;
  double ms = -1;
  while (clock.ElapsedMs() < kRemovalLimitMs) {
    status = app.StatusText(0);
    // The rows go in one batch at the end; a long removal's outcome may give way to the welcome
    // text at once.
    if (status.find("erfolgreich gelöscht") != std::string::npos ||
        app.RowCount(app.Control(id::kResultList)) != rows) {
      ms = clock.ElapsedMs();
      break;
    }
    if (status.find(" von ") != std::string::npos) progress.insert(status);
    // Often enough to see every progress text, seldom enough to leave the program alone.
    Sleep(50);
  }
  check.Check(ms >= 0, "the removal ends: " + status);
  app.Settle(300);
  std::printf(
      "rows=%d ticked=\"%s\" outcome=\"%s\" gui_remove_ms=%.0f progress_texts=%zu "
      "rows_left=%d\n",
      rows, ticked.c_str(), status.c_str(), ms, progress.size(),
      app.RowCount(app.Control(id::kResultList)));
  std::fflush(stdout);
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  app.WaitForExit();
}

const Scenario kRemovalTiming("removal-timing", RemovalTiming);

}  // namespace
}  // namespace kz::e2e
