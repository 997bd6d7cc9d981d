// Ticking many rows from the popup menu: all but the largest file of each name, everything in a
// folder and below (never the last unticked copy of a name), none; then the removal deletes
// exactly the ticked files and leaves at least one file of every name.

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"

namespace kz::e2e {
namespace {

// Below M:\bulk\, the copies of each name one recording whose sizes differ by their tags: a.mp3
// largest in Musik2\, which lies beside Musik\, not in it; b.mp3 twice at the largest size, all
// below Musik\; c.mp3 twice at one size.
struct BulkFile {
  const wchar_t* path;
  const wchar_t* media;
  std::size_t tagBytes;
};
const BulkFile kFiles[] = {
    {L"Musik\\a.mp3", L"tone2.mp3", 0},      {L"Musik\\x\\a.mp3", L"tone2.mp3", 100},
    {L"Musik2\\a.mp3", L"tone2.mp3", 500},   {L"Musik\\x\\b.mp3", L"tone5.mp3", 300},
    {L"Musik\\y\\b.mp3", L"tone5.mp3", 300}, {L"Musik\\z\\b.mp3", L"tone5.mp3", 0},
    {L"Musik\\y\\c.mp3", L"tone2.mp3", 50},  {L"Musik2\\c.mp3", L"tone2.mp3", 50}};

std::string PathOfRow(AppProcess& app, int row) {
  return app.RowText(app.Control(id::kResultList), row, kFolderColumn).substr(4) +
         app.RowText(app.Control(id::kResultList), row, kNameColumn);
}

std::set<std::string> TickedRows(AppProcess& app) {
  std::set<std::string> ticked;
  for (int row = 0; row < app.RowCount(app.Control(id::kResultList)); ++row) {
    if ((app.RowState(app.Control(id::kResultList), row, LVIS_STATEIMAGEMASK) >> 12) == 2) {
      ticked.insert(PathOfRow(app, row));
    }
  }
  return ticked;
}

// Of two rows' files, the one whose row is lower in the list.
std::string Lower(AppProcess& app, const std::string& one, const std::string& other) {
  for (int row = 0; row < app.RowCount(app.Control(id::kResultList)); ++row) {
    if (PathOfRow(app, row) == one) return other;
    if (PathOfRow(app, row) == other) return one;
  }
  return "";
}

// Chooses a menu item right after the welcome text came back, so its outcome stays in view.
std::string Outcome(AppProcess& app, int row, int item, const std::wstring& shot = L"") {
  WaitForFreshWelcome(app);
  return ChooseMenuItem(app, row, item, shot) ? app.StatusText(0) : "menu not shown";
}

void BulkTicks(const Options& options, Checker& check) {
  std::wstring top = options.work + L"\\bulk\\";
  for (const BulkFile& file : kFiles) {
    std::wstring path = top + file.path;
    check.Check(CopyMediaTagged(options, file.media, path, file.tagBytes),
                "file made: " + Utf8(path));
  }
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Equal(SearchFolder(app, options, "bulk"), 8, "rows of M:\\bulk\\")) return;
  std::string bLower = Lower(app, "Musik\\x\\b.mp3", "Musik\\y\\b.mp3");
  std::string cLower = Lower(app, "Musik\\y\\c.mp3", "Musik2\\c.mp3");

  check.Equal(Outcome(app, 2, id::kTickAllButLargestItem), " 5 Datei(en) markiert",
              "all but the largest");
  std::set<std::string> expected = {"Musik\\a.mp3", "Musik\\x\\a.mp3", bLower, "Musik\\z\\b.mp3",
                                    cLower};
  check.Check(TickedRows(app) == expected, "all but the largest of each name ticked");
  check.Equal(Outcome(app, 0, id::kClearTicksItem), " Alle Markierungen aufgehoben", "clear all");
  check.Check(TickedRows(app).empty(), "no row ticked");

  int inMusik = -1;
  for (int row = 0; row < 8; ++row) {
    if (PathOfRow(app, row) == "Musik\\a.mp3") inMusik = row;
  }
  // The menu over a selected row, every ticking item enabled, for the README.
  std::wstring shot = options.shots.empty() ? L"" : options.shots + L"\\bulk-menu.bmp";
  check.Equal(Outcome(app, inMusik, id::kTickFolderItem, shot),
              " 5 Datei(en) markiert, 1 einzelne Aufnahme(n) ausgelassen",
              "the folder Musik\\ and below");
  expected = {"Musik\\a.mp3", "Musik\\x\\a.mp3", bLower, "Musik\\z\\b.mp3", "Musik\\y\\c.mp3"};
  check.Check(TickedRows(app) == expected, "Musik\\ and below ticked but one b.mp3, no Musik2\\");
  check.Equal(static_cast<long long>(SendMessageW(app.Control(id::kResultList), LVM_GETNEXTITEM,
                                                  static_cast<WPARAM>(-1), LVNI_SELECTED)),
              inMusik, "the selection stays");
  check.Equal(app.RowCount(app.Control(id::kResultList)), 8, "the rows stay");

  WaitForFreshWelcome(app);
  check.Equal(RemoveTickedRows(app, inMusik), " 5 Datei(en) erfolgreich gel\xC3\xB6scht!",
              "the ticked files are deleted");
  std::set<std::string> namesLeft;
  for (const BulkFile& file : kFiles) {
    std::string path = Utf8(file.path);
    bool left = Exists(top + file.path);
    check.Check(left != (expected.count(path) == 1), "deleted exactly if ticked: " + path);
    if (left) namesLeft.insert(path.substr(path.rfind('\\') + 1));
  }
  check.Equal(static_cast<long long>(namesLeft.size()), 3LL, "a file of every name is left");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kBulkTicks("bulk-ticks", BulkTicks);

}  // namespace
}  // namespace kz::e2e
