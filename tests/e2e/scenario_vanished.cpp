// Files that another program deletes while the rows are shown: their properties show the
// reader's failure values, their removal fails alone, and nothing else changes.

#include <windows.h>

#include <commctrl.h>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"

namespace kz::e2e {
namespace {

// The row whose directory cell is "...\folder\" and whose name is `name`, or -1.
int RowOf(AppProcess& app, HWND list, const std::string& folder, const std::string& name) {
  for (int row = 0; row < app.RowCount(list); ++row) {
    if (app.RowText(list, row, kNameColumn) == name &&
        app.RowText(list, row, kFolderColumn) == "...\\" + folder + "\\") {
      return row;
    }
  }
  return -1;
}

void Vanished(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\fort";
  for (const wchar_t* folder : {L"a", L"b"}) {
    CopyMedia(options, L"tone2.mp3", root + L"\\" + folder + L"\\lied.mp3");
    CopyMedia(options, L"tone2.mp3", root + L"\\" + folder + L"\\weg.mp3");
  }
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SearchFolder(app, options, "fort") == 4, "four rows")) return;
  HWND list = app.Control(id::kResultList);

  check.Check(DeleteFileW((root + L"\\a\\lied.mp3").c_str()) != 0, "a\\lied.mp3 deleted");
  int row = RowOf(app, list, "a", "lied.mp3");
  check.Check(
      ReadPropertiesOfRow(app, row) ==
          std::vector<std::string>{"Dauer\t00:00 Min", "Bitrate\t0 kBit/s", "Frequenz\t-1 Hz",
                                   "Gr\xC3\xB6sse\t1 KB", "Datei erstellt am\t01.01.1970"},
      "the properties window shows the failure values");

  check.Check(DeleteFileW((root + L"\\a\\weg.mp3").c_str()) != 0, "a\\weg.mp3 deleted");
  int gone = RowOf(app, list, "a", "weg.mp3");
  app.SetRowState(list, gone, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  app.SetRowState(list, RowOf(app, list, "b", "weg.mp3"), INDEXTOSTATEIMAGEMASK(2),
                  LVIS_STATEIMAGEMASK);
  check.Check(WaitForFreshWelcome(app), "the welcome text comes back");
  check.Check(ChooseMenuItem(app, gone, id::kRemoveItem), "choose Datei(en) entfernen");
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (check.Check(question != nullptr, "the question box opens")) {
    PressKey(VK_RETURN);
    WaitFor([&] { return !IsWindow(question); }, 5000);
    app.Settle(300);
    check.Equal(app.StatusText(0), " 1 Datei(en) erfolgreich gel\xC3\xB6scht!", "outcome text");
    check.Check(!Exists(root + L"\\b\\weg.mp3"), "the other ticked file is gone");
    check.Check(Exists(root + L"\\b\\lied.mp3"), "the unticked file stays");
    check.Equal(app.RowCount(list), 3, "the vanished file's row stays");
    int kept = RowOf(app, list, "a", "weg.mp3");
    check.Check(kept >= 0 && (app.RowState(list, kept, LVIS_STATEIMAGEMASK) >> 12) == 2,
                "still ticked");
  }
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kVanished("vanished", Vanished);

}  // namespace
}  // namespace kz::e2e
