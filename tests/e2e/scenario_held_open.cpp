// A file that another process holds open for writing: its properties show the reader's failure
// values, and its removal fails alone while the other ticked file goes.

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

void HeldOpen(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\offen";
  CopyMedia(options, L"tone2.mp3", root + L"\\a\\lied.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\b\\lied.mp3");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SearchFolder(app, options, "offen") == 2, "two rows")) return;
  HWND list = app.Control(id::kResultList);
  std::wstring held =
      root + L"\\" + Wide(app.RowText(list, 0, kFolderColumn).substr(4)) + L"lied.mp3";
  std::wstring other =
      root + L"\\" + Wide(app.RowText(list, 1, kFolderColumn).substr(4)) + L"lied.mp3";
  // Like an editor that keeps the file open for writing, sharing only reading and writing.
  HANDLE writer =
      CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (!check.Check(writer != INVALID_HANDLE_VALUE, "another process holds the file")) return;

  std::vector<std::string> rows = ReadPropertiesOfRow(app, 0);
  if (check.Equal(static_cast<long long>(rows.size()), 5,
                  "the properties window shows five rows")) {
    check.Equal(rows[0], "Dauer\t00:00 Min", "no playing time");
    check.Equal(rows[1], "Bitrate\t0 kBit/s", "no bit rate");
    check.Equal(rows[2], "Frequenz\t-1 Hz", "no frequency");
    check.Equal(rows[3], "Gr\xC3\xB6sse\t1 KB", "no size from the reader");
  }

  app.SetRowState(list, 0, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  app.SetRowState(list, 1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  check.Check(ChooseMenuItem(app, 1, id::kRemoveItem), "choose Datei(en) entfernen");
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (check.Check(question != nullptr, "the question box opens")) {
    PressKey(VK_RETURN);
    WaitFor([&] { return !IsWindow(question); }, 5000);
    app.Settle(300);
    check.Check(Exists(held), "the held file is still there");
    check.Check(!Exists(other), "the other ticked file is gone");
    check.Equal(app.StatusText(0), " 1 Datei(en) erfolgreich gel\xC3\xB6scht!", "outcome text");
    check.Equal(app.RowCount(list), 1, "the held file's row stays");
    check.Equal((app.RowState(list, 0, LVIS_STATEIMAGEMASK) >> 12), 2, "still ticked");
  }
  CloseHandle(writer);
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kHeldOpen("held-open", HeldOpen);

}  // namespace
}  // namespace kz::e2e
