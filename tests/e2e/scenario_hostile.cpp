// Hostile but ordinary trees, made on the Unix side by the runner: folder links Wine does not
// mark as links, file links and hard links, names with a line feed or a backslash, a folder
// "d." that Windows path rules would open as "d", an immutable file, files that vanish or are
// replaced after the search. Each shows one row per physical file, and the removal deletes nothing
// but the ticked rows' own files.

#include <windows.h>

#include <commctrl.h>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

constexpr const char* kNoNamesakes = " Suche beendet! Keine doppelten MP3-Dateien gefunden!";
constexpr const char* kNoneDeleted = " 0 Datei(en) erfolgreich gel\xC3\xB6scht!";

std::string Read(const std::wstring& path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string content(1 << 20, '\0');
  DWORD read = 0;
  ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
  CloseHandle(file);
  content.resize(read);
  return content;
}

// Whether a listing of `folder` shows `name`: a path holding a line feed opens nothing under
// Wine, so asking for the path would say "gone" either way.
bool Listed(const std::wstring& folder, const std::wstring& name) {
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  do {
    found = found || name == data.cFileName;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

// A folder that holds a link to itself, a second name for it, and one song under three paths.
void Links(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;

  check.Equal(SearchFolder(app, options, "h-loop"), 0, "a folder reached by loops: no rows");
  check.Equal(app.StatusText(0), kNoNamesakes, "loop outcome");
  check.Equal(SearchFolder(app, options, "h-links"), 0, "file link and hard link: no rows");
  check.Equal(app.StatusText(0), kNoNamesakes, "links outcome");

  // A file link to the only copy outside the tree, beside a real namesake: its row is shown,
  // and deleting it deletes neither the link nor the song it leads to.
  std::wstring root = options.work + L"\\h-linkrow";
  if (!check.Equal(SearchFolder(app, options, "h-linkrow"), 2, "link row and namesake")) return;
  int linkRow = RowOf(app, "a", "only.mp3");
  Tick(app, linkRow);
  check.Equal(RemoveTickedRows(app, linkRow), kNoneDeleted, "nothing deleted through the link");
  check.Check(Exists(options.work + L"\\h-outside\\only.mp3"), "the only copy stays");
  check.Check(Exists(root + L"\\a\\only.mp3") && Exists(root + L"\\b\\only.mp3"),
              "link and namesake stay");
  check.Check(Ticked(app, RowOf(app, "a", "only.mp3")), "the link's row stays ticked");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

// Names no Windows path can name the way they were listed.
void Names(const Options& options, Checker& check) {
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  HWND list = app.Control(id::kResultList);

  // Two namesakes with a line feed and two plain ones: every row keeps four cells and its own
  // ID, so deleting the ticked line-feed rows leaves both unticked victims.
  std::wstring names = options.work + L"\\h-names";
  if (check.Equal(SearchFolder(app, options, "h-names"), 4, "four rows")) {
    int ticked = 0;
    for (int row = 0; row < 4; ++row) {
      std::string name = app.RowText(list, row, kNameColumn);
      check.Check(app.RowText(list, row, kFolderColumn).starts_with("...\\") &&
                      app.RowText(list, row, kSizeColumn).ends_with(" KB"),
                  "row " + std::to_string(row) + " keeps its cells: " + name);
      if (name != "victim.mp3") {
        Tick(app, row);
        ++ticked;
      }
    }
    check.Equal(ticked, 2, "two rows with the line feed");
    if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\hostile-names.bmp");
    // Wine opens no path that holds a line feed: such a file cannot be deleted, and its row
    // stays ticked. Whatever goes, it is never one of the victims.
    std::string outcome = RemoveTickedRows(app, 0);
    int gone = 0;
    for (const wchar_t* folder : {L"\\a", L"\\b"}) {
      gone += Listed(names + folder, L"x\ny.mp3") ? 0 : 1;
    }
    check.Equal(outcome, " " + std::to_string(gone) + " Datei(en) erfolgreich gel\xC3\xB6scht!",
                "the count says what was deleted");
    check.Check(Exists(names + L"\\a\\victim.mp3") && Exists(names + L"\\b\\victim.mp3"),
                "the unticked victims stay");
    check.Equal(app.RowCount(list), 4 - gone, "the rows of files not deleted stay");
    for (int row = 0; row < app.RowCount(list); ++row) {
      std::string name = app.RowText(list, row, kNameColumn);
      check.Check(Ticked(app, row) == (name != "victim.mp3"), "row " + name + " keeps its tick");
    }
  }

  // "d." is listed by its own name, not as "d": its file is d's namesake, and deleting it
  // leaves d's file alone.
  std::wstring dots = options.work + L"\\h-dots";
  if (check.Equal(SearchFolder(app, options, "h-dots"), 2, "the folders d. and d")) {
    check.Check(
        app.RowText(app.Control(id::kResultList), RowOf(app, "d.", "y.mp3"), kSizeColumn) !=
            app.RowText(app.Control(id::kResultList), RowOf(app, "d", "y.mp3"), kSizeColumn),
        "d.'s file shows its own size, not d's");
    Tick(app, RowOf(app, "d.", "y.mp3"));
    std::string outcome = RemoveTickedRows(app, 0);
    check.Check(ShowsOutcome(outcome, " 1 Datei(en) erfolgreich gel\xC3\xB6scht!"),
                "the file in d. is deleted: " + outcome);
    check.Equal(app.RowCount(app.Control(id::kResultList)), 1, "its row is gone");
    check.Check(!Exists(L"\\\\?\\" + dots + L"\\d.\\y.mp3") && Exists(dots + L"\\d\\y.mp3"),
                "d.'s file is gone, d's stays");
  }
  // "bs\victim.mp3" names a file in the subfolder bs when read as a path: no row leads there.
  check.Equal(SearchFolder(app, options, "h-bs"), 0, "names holding a backslash: no rows");
  check.Check(Exists(options.work + L"\\h-bs\\a\\bs\\victim.mp3"), "the subfolder's file stays");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

// Files changed behind the program's back after the search, and one the file system refuses to
// delete although Wine reports success.
void Changed(const Options& options, Checker& check) {
  std::wstring replaced = options.work + L"\\h-replaced";
  CopyMedia(options, L"tone2.mp3", replaced + L"\\a\\r.mp3");
  CopyMedia(options, L"tone2.mp3", replaced + L"\\b\\r.mp3");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;

  std::wstring fixed = options.work + L"\\h-immutable";
  if (check.Equal(SearchFolder(app, options, "h-immutable"), 2, "immutable: two rows")) {
    int row = RowOf(app, "a", "fest.mp3");
    Tick(app, row);
    check.Equal(RemoveTickedRows(app, row), kNoneDeleted, "a refused delete is not counted");
    check.Check(Exists(fixed + L"\\a\\fest.mp3"), "the immutable file stays");
    check.Check(Ticked(app, RowOf(app, "a", "fest.mp3")), "its row stays ticked");
  }

  std::wstring cased = options.work + L"\\h-case";
  if (check.Equal(SearchFolder(app, options, "h-case"), 2, "case: two rows")) {
    int row = RowOf(app, "a", "Song.mp3");
    Tick(app, row);
    check.Check(DeleteFileW((cased + L"\\a\\Song.mp3").c_str()) != 0, "a\\Song.mp3 vanishes");
    check.Equal(RemoveTickedRows(app, row), kNoneDeleted, "nothing deleted for the vanished file");
    check.Equal(Read(cased + L"\\a\\song.mp3"), "another song", "a\\song.mp3 stays");
  }

  if (check.Equal(SearchFolder(app, options, "h-replaced"), 2, "replaced: two rows")) {
    int row = RowOf(app, "a", "r.mp3");
    Tick(app, row);
    WriteText(replaced + L"\\a\\new.tmp", "never shown to the user");
    check.Check(MoveFileExW((replaced + L"\\a\\new.tmp").c_str(),
                            (replaced + L"\\a\\r.mp3").c_str(), MOVEFILE_REPLACE_EXISTING) != 0,
                "a\\r.mp3 replaced");
    check.Equal(RemoveTickedRows(app, row), kNoneDeleted, "the replacement is not deleted");
    check.Equal(Read(replaced + L"\\a\\r.mp3"), "never shown to the user", "it stays");
    check.Check(Ticked(app, RowOf(app, "a", "r.mp3")), "its row stays ticked");
  }
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kLinks("hostile-links", Links);
const Scenario kNames("hostile-names", Names);
const Scenario kChanged("hostile-changed", Changed);

}  // namespace
}  // namespace kz::e2e
