// A removal of thousands of files as a user's input reaches it (see by_input.h): the window
// shows its progress meanwhile, and a close request during it ends the program with the files
// deleted so far gone and the rest untouched. The disk is the judge.

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>

#include "core/ids.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/by_input.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

// The *.mp3 files below a folder.
int CountFiles(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    count +=
        (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? CountFiles(folder + L"\\" + name) : 1;
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return count;
}

// Ticks all but the largest file of each recording (the fourth item of the popup menu, which
// compares the files first), then chooses "Datei(en) entfernen" and answers Yes; false when a
// menu, the ticks or the question did not come.
bool TickAndRemove(AppProcess& app, RowPlaces& rows) {
  for (int downs : {3, 1}) {
    if (!rows.ClickRow(0, true) || !FindPopupMenu(app.id())) return false;
    PressKey(VK_HOME);
    for (int down = 0; down < downs; ++down) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    app.Settle(200);
    if (downs == 3 && !WaitFor([&] { return StatusMessage(app).ends_with(" markiert"); }, 120000)) {
      return false;
    }
  }
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (!question) return false;
  PressKey(VK_RETURN);  // Yes is the default button
  return true;
}

// Trees of the runner (bench/make_removal_tree.sh): every name once below keep\ and once,
// smaller, below drop\.
void LongRemoval(const Options& options, Checker& check) {
  std::wstring lang = options.work + L"\\lang";
  const int names = CountFiles(lang + L"\\keep");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  HWND list = app.Control(id::kResultList);
  if (!check.Equal(SearchByInput(app, options, "lang"), 2 * names, "two rows a name")) return;
  RowPlaces rows(app, list);
  if (!check.Check(rows.Measure() && TickAndRemove(app, rows), "ticked and removal chosen")) return;
  std::set<std::string> progress;
  std::string status;
  bool ended = WaitFor(
      [&] {
        status = StatusMessage(app);
        bool first = progress.empty();
        if (status.find(" von ") != std::string::npos) progress.insert(status);
        if (first && !progress.empty() && !options.shots.empty()) {
          SaveScreenshot(options.shots + L"\\long-removal-by-input.bmp");
        }
        return status.find("erfolgreich") != std::string::npos ||
               SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != 2 * names;
      },
      120000);
  check.Check(ended, "the removal ends: " + status);
  check.Check(progress.size() >= 2,
              "the progress text changed " + std::to_string(progress.size()) + " times meanwhile");
  check.Check(
      progress.empty() || progress.begin()->find(" von " + std::to_string(names) +
                                                 " Datei(en) gel\xC3\xB6scht") != std::string::npos,
      "progress counts the ticked rows: " + (progress.empty() ? "" : *progress.begin()));
  check.Equal(CountFiles(lang + L"\\drop"), 0, "every ticked file is gone");
  check.Equal(CountFiles(lang + L"\\keep"), names, "every unticked file stays");
  check.Equal(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), names, "their rows stay");

  // Closed during a removal: the program ends, what was deleted is gone, the rest stays.
  std::wstring halb = options.work + L"\\lang-halb";
  const int halbNames = CountFiles(halb + L"\\keep");
  if (!check.Equal(SearchByInput(app, options, "lang-halb"), 2 * halbNames, "rows of lang-halb") ||
      !check.Check(rows.Measure() && TickAndRemove(app, rows), "removal chosen again")) {
    return;
  }
  check.Check(WaitFor([&] { return StatusMessage(app).find(" von ") != std::string::npos; }, 30000),
              "progress shown");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(Patient(30000)), 0, "the program ends with exit code 0");
  int left = CountFiles(halb + L"\\drop");
  check.Check(left > 0 && left < halbNames,
              "the removal ended early: " + std::to_string(left) + " ticked files left");
  check.Equal(CountFiles(halb + L"\\keep"), halbNames, "no unticked file is deleted");
}

const Scenario kLongRemoval("long-removal-by-input", LongRemoval);

}  // namespace
}  // namespace kz::e2e
