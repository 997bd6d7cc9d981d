// File names outside the Western code page: found, namesakes exact (two different names never
// match), and the file of such a row can be played, shown in the properties window and deleted.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"

namespace kz::e2e {
namespace {

const wchar_t* const kNames[] = {L"\u041b\u0435\u0442\u043e.mp3",        // Лето (Cyrillic)
                                 L"\u039b\u03ac\u03bc\u03b4\u03b1.mp3",  // Λάμδα (Greek)
                                 L"\u590f\u306e\u6b4c.mp3",              // 夏の歌 (CJK)
                                 L"\u017b\u00f3\u0142w.mp3"};            // Żółw (Polish)

void Unicode(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\unicode";
  for (const wchar_t* name : kNames) {
    CopyMedia(options, L"tone2.mp3", root + L"\\\u0410\\" + name);  // folder А
    CopyMedia(options, L"tone2.mp3", root + L"\\\u03a9\\" + name);  // folder Ω
  }
  // Look-alikes in a third folder: in the ANSI code page all of these would read "????.mp3".
  CopyMedia(options, L"tone2.mp3", root + L"\\x\\\u041b\u0435\u0442\u0430.mp3");  // Лета
  CopyMedia(options, L"tone2.mp3", root + L"\\x\\Zolw.mp3");

  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  int rows = SearchFolder(app, options, "unicode");
  check.Equal(rows, 8, "four names, two copies each; look-alikes are not namesakes");
  HWND list = app.Control(id::kResultList);
  std::vector<std::string> names;
  for (int row = 0; row < rows; ++row) names.push_back(app.RowText(list, row, kNameColumn));
  for (const wchar_t* name : kNames) {
    check.Equal(std::count(names.begin(), names.end(), Utf8(name)), 2, "rows of " + Utf8(name));
  }
  CliResult cli = RunCli(options, L"scan " + options.workDrive + L"\\unicode\\");
  check.Check(ReadRows(app, list, kRowTextCells) == SplitLines(cli.out),
              "the CLI prints the same rows");

  // Play the first row's file.
  ClickRow(app, list, 0);
  ClickControl(app.Control(id::kPlayButton));
  check.Check(
      WaitFor([&] { return app.WindowText(app.Control(id::kTimeField)) != "00:00:00"; }, 8000),
      "a file with such a name plays");
  ClickControl(app.Control(id::kStopButton));
  app.Settle(200);

  // Its properties come from the file itself, not the failure values of a name not found.
  std::vector<std::string> properties = ReadPropertiesOfRow(app, 0);
  if (check.Equal(static_cast<long long>(properties.size()), 5, "five property rows")) {
    check.Equal(properties[0], "Dauer\t00:02 Min", "playing time");
    check.Equal(properties[2], "Frequenz\t44100 Hz", "frequency");
  }

  // Delete the last row's file only.
  std::wstring path = root + L"\\" + Wide(app.RowText(list, rows - 1, kFolderColumn).substr(4)) +
                      Wide(app.RowText(list, rows - 1, kNameColumn));
  app.SetRowState(list, rows - 1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  check.Check(ChooseMenuItem(app, rows - 1, id::kRemoveItem), "choose Datei(en) entfernen");
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (check.Check(question != nullptr, "the question box opens")) {
    PressKey(VK_RETURN);
    WaitFor([&] { return !IsWindow(question); }, 5000);
    app.Settle(300);
    check.Check(!Exists(path), "the ticked file is gone");
    check.Equal(app.RowCount(list), rows - 1, "its row is removed");
    int left = 0;
    for (const wchar_t* name : kNames) {
      left += Exists(root + L"\\\u0410\\" + name) + Exists(root + L"\\\u03a9\\" + name);
    }
    check.Equal(left, 7, "every other file is still there");
  }
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kUnicode("unicode", Unicode);

}  // namespace
}  // namespace kz::e2e
