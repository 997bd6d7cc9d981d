// The e2e driver's "recordings-timing" scenario, for ./scripts/bench: the real program's
// comparison of recordings over every row of a search of DRIVE\scan\, chosen from the popup menu
// ("Aufnahmen vergleichen") and timed from the key that chooses it until status field 0 shows its
// outcome, with the heap the window process kept afterwards.
//   prints: rows=R compare_ms=T compared=N outcome="..." heap_bytes_before=B heap_bytes_after=A
//   (the outcome text, or the welcome text that followed it at once)
// Linked into kz_e2e_driver and run only when named, never by the test command.

#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/win32/linux_memory.h"
#include "bench/win32/stopwatch.h"
#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"

namespace kz::e2e {
namespace {

constexpr double kCompareLimitMs = 30 * 60 * 1000;
const std::string kCompared = " Dateien verglichen: ";

long long ProgramHeapBytes() {
  return bench::HeapBytesOfProgram("klangzwilling.exe", "kz_e2e_driver");
}

// " 120 von 13720 Dateien verglichen"
bool IsProgress(const std::string& status) {
  return status.find(" von ") != std::string::npos && status.ends_with(" Dateien verglichen");
}

void RecordingsTiming(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SelectFolder(app, options, {"scan"}), "select the scan folder")) return;
  app.Settle(300);
  HWND list = app.Control(id::kResultList);
  ClickControl(app.Control(id::kSearchButton));
  WaitFor([&] { return !IsWindowEnabled(app.Control(id::kRecursiveCheck)); }, 10000);
  WaitFor([&] { return IsWindowEnabled(app.Control(id::kRecursiveCheck)) != FALSE; }, 600000);
  app.Settle(500);
  int rows = app.RowCount(list);
  if (!check.Check(rows > 0, "rows of the search")) return;
  // With a row selected every ticking item is enabled, so the keys reach the item they count.
  ClickRow(app, list, 0);
  WaitForFreshWelcome(app);
  long long before = ProgramHeapBytes();
  if (!check.Check(HighlightMenuItem(app, 0, id::kCompareRecordingsItem) != nullptr, "the menu"))
    return;
  std::string status;
  Stopwatch clock;
  PressKey(VK_RETURN);
  // Polled closely. The outcome stays until 5 s after the welcome text was last shown, so after
  // a longer comparison the welcome text follows the progress at once; the last row's recording,
  // the last one found, then tells the end.
  while (clock.ElapsedMs() < kCompareLimitMs) {
    status = app.StatusText(0);
    if (status.find(kCompared) != std::string::npos) break;
    if (!IsProgress(status) && !app.RowText(list, rows - 1, kRecordingColumn).empty()) break;
    Sleep(2);
  }
  double ms = clock.ElapsedMs();
  app.Settle(500);
  long long after = ProgramHeapBytes();
  long compared = 0;
  for (int row = 0; row < rows; ++row)
    compared += app.RowText(list, row, kRecordingColumn).empty() ? 0 : 1;
  std::printf(
      "rows=%d compare_ms=%.0f compared=%ld outcome=\"%s\" heap_bytes_before=%lld "
      "heap_bytes_after=%lld\n",
      rows, ms, compared, status.c_str(), before, after);
  std::fflush(stdout);
  check.Equal(compared, rows, "every row compared");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  app.WaitForExit();
}

const Scenario kRecordingsTiming("recordings-timing", RecordingsTiming);

}  // namespace
}  // namespace kz::e2e
