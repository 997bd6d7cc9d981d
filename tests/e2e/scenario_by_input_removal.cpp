// The removal and the hostile trees as a user's input reaches them, with the disk as the judge
// of what was deleted (see by_input.h). Rows are sorted by name, but the order of one name's
// rows is the sort's own: so every row of a name is ticked, and the disk must show that exactly
// the files that may go went.

#include <windows.h>

#include <commctrl.h>

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

std::string Deleted(int count) {
  return " " + std::to_string(count) + " Datei(en) erfolgreich gel\xC3\xB6scht!";
}

std::string Content(const std::wstring& path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  char buffer[256];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

// Ticks the rows from..to-1 by their boxes; true when each took its tick.
bool TickRows(RowPlaces& rows, HWND list, int from, int to) {
  bool all = true;
  for (int row = from; row < to; ++row) all = rows.ClickBox(row) && Ticked(list, row) && all;
  return all;
}

// Three folders with other.mp3 and song.mp3 (rows 0..2 and 3..5); c\song.mp3 is read-only.
void Removal(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\entfernen";
  for (const wchar_t* folder : {L"\\a", L"\\b", L"\\c"}) {
    CopyMedia(options, L"tone2.mp3", root + folder + L"\\other.mp3");
    CopyMedia(options, L"tone2.mp3", root + folder + L"\\song.mp3");
  }
  SetFileAttributesW((root + L"\\c\\song.mp3").c_str(), FILE_ATTRIBUTE_READONLY);
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  HWND list = app.Control(id::kResultList);
  if (!check.Equal(SearchByInput(app, options, "entfernen"), 6, "six rows")) return;
  RowPlaces rows(app, list);
  if (!check.Check(rows.Measure(), "the rows' places are seen on the screen")) return;
  check.Check(TickRows(rows, list, 3, 6), "the three song.mp3 rows ticked");

  check.Equal(RemoveByInput(app, rows, 0, IDNO), " Aktion wurde abgebrochen!", "No: outcome");
  check.Equal(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 6, "No: every row stays");
  check.Equal(TickedCount(list), 3, "No: the ticks stay");
  int files = 0;
  for (const wchar_t* folder : {L"\\a\\", L"\\b\\", L"\\c\\"}) {
    files += Exists(root + folder + L"other.mp3") + Exists(root + folder + L"song.mp3");
  }
  check.Equal(files, 6, "No: no file touched");

  std::string asked;
  check.Equal(RemoveByInput(app, rows, 0, IDYES, &asked), Deleted(2), "Yes: outcome");
  check.Equal(asked, "Datei(en) l\xC3\xB6schen?", "question text");
  check.Check(!Exists(root + L"\\a\\song.mp3") && !Exists(root + L"\\b\\song.mp3"),
              "the two writable ticked files are gone");
  check.Check(Exists(root + L"\\c\\song.mp3"), "the read-only one stays");
  for (const wchar_t* folder : {L"\\a\\", L"\\b\\", L"\\c\\"}) {
    check.Check(Exists(root + folder + L"other.mp3"), "an unticked file stays");
  }
  check.Equal(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 4, "two rows removed");
  check.Check(Ticked(list, 3) && TickedCount(list) == 1, "the read-only file's row stays ticked");
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\removal-by-input.bmp");
  SetFileAttributesW((root + L"\\c\\song.mp3").c_str(), FILE_ATTRIBUTE_NORMAL);
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

// Searches `folder`, ticks both rows and removes them: the outcome text, "" when the search did
// not give two rows or they could not be ticked.
std::string TickBothAndRemove(AppProcess& app, const Options& options, const std::string& folder,
                              Checker& check) {
  if (!check.Equal(SearchByInput(app, options, folder), 2, folder + ": two rows")) return "";
  RowPlaces rows(app, app.Control(id::kResultList));
  if (!check.Check(rows.Measure(), folder + ": rows seen") ||
      !check.Check(TickRows(rows, app.Control(id::kResultList), 0, 2), folder + ": both ticked")) {
    return "";
  }
  return RemoveByInput(app, rows, 0, IDYES);
}

// The runner's trees made on the Unix side (links, an immutable file) and files changed behind
// the program's back after the search.
void Hostile(const Options& options, Checker& check) {
  std::wstring changed = options.work + L"\\h-changed";
  for (const wchar_t* folder : {L"\\a", L"\\b", L"\\c"}) {
    CopyMedia(options, L"tone2.mp3", changed + folder + L"\\r.mp3");
  }
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  HWND list = app.Control(id::kResultList);
  const std::string none = " Suche beendet! Keine doppelten MP3-Dateien gefunden!";
  check.Equal(SearchByInput(app, options, "h-loop"), 0, "a folder reached by loops: no rows");
  check.Equal(StatusMessage(app), none, "loop outcome");
  check.Equal(SearchByInput(app, options, "h-links"), 0, "file link and hard link: no rows");
  if (Exists(options.work + L"\\h-bind\\mounted.txt")) {
    check.Equal(SearchByInput(app, options, "h-bind"), 0, "a folder and its bind mount: no rows");
  }

  // A file link to the only copy outside the tree and a real namesake: only the namesake goes.
  check.Equal(TickBothAndRemove(app, options, "h-linkrow", check), Deleted(1), "link: outcome");
  check.Check(Exists(options.work + L"\\h-outside\\only.mp3"), "the link's target stays");
  check.Check(Exists(options.work + L"\\h-linkrow\\a\\only.mp3"), "the link stays");
  check.Check(!Exists(options.work + L"\\h-linkrow\\b\\only.mp3"), "the namesake is gone");
  check.Check(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 1 && Ticked(list, 0),
              "the link's row stays, ticked");

  // Wine reports success for deleting the immutable file; the file is still there.
  check.Equal(TickBothAndRemove(app, options, "h-immutable", check), Deleted(1),
              "immutable: outcome");
  check.Check(Exists(options.work + L"\\h-immutable\\a\\fest.mp3"), "the immutable file stays");
  check.Check(!Exists(options.work + L"\\h-immutable\\b\\fest.mp3"), "its namesake is gone");
  check.Check(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 1 && Ticked(list, 0),
              "the immutable file's row stays, ticked");

  // After the search: a\r.mp3 replaced, b\r.mp3 gone; only c\r.mp3 is the file its row showed.
  if (check.Equal(SearchByInput(app, options, "h-changed"), 3, "changed: three rows")) {
    RowPlaces rows(app, list);
    check.Check(rows.Measure() && TickRows(rows, list, 0, 3), "changed: all three ticked");
    WriteText(changed + L"\\a\\new.tmp", "never shown to the user");
    check.Check(MoveFileExW((changed + L"\\a\\new.tmp").c_str(), (changed + L"\\a\\r.mp3").c_str(),
                            MOVEFILE_REPLACE_EXISTING) != 0,
                "a\\r.mp3 replaced");
    check.Check(DeleteFileW((changed + L"\\b\\r.mp3").c_str()) != 0, "b\\r.mp3 vanishes");
    check.Equal(RemoveByInput(app, rows, 0, IDYES), Deleted(1), "changed: outcome");
    check.Equal(Content(changed + L"\\a\\r.mp3"), "never shown to the user", "the new file stays");
    check.Check(!Exists(changed + L"\\c\\r.mp3"), "the unchanged file is gone");
    check.Equal(TickedCount(list), 2, "the rows of the changed files stay ticked");
  }
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kRemoval("removal-by-input", Removal);
const Scenario kHostile("hostile-by-input", Hostile);

}  // namespace
}  // namespace kz::e2e
