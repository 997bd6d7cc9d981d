// Removal of ticked rows on a mapped drive: Yes deletes exactly the ticked files that can be
// deleted, a read-only one keeps its ticked row; No touches nothing.

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

const wchar_t* const kFolders[] = {L"a", L"b", L"c"};

void Prepare(const Options& options, const std::wstring& top) {
  for (const wchar_t* folder : kFolders) {
    CopyMedia(options, L"tone2.mp3", options.work + L"\\" + top + L"\\" + folder + L"\\song.mp3");
    CopyMedia(options, L"tone2.mp3", options.work + L"\\" + top + L"\\" + folder + L"\\other.mp3");
  }
}

std::wstring PathOfRow(AppProcess& app, const Options& options, const std::wstring& top, int row) {
  std::string directory = app.RowText(app.Control(id::kResultList), row, kFolderColumn).substr(4);
  return options.work + L"\\" + top + L"\\" + Wide(directory) +
         Wide(app.RowText(app.Control(id::kResultList), row, kNameColumn));
}

HWND WaitForQuestion(AppProcess& app) {
  return FindProgramWindow(app.id(), L"#32770", L"Info!");
}

void AnswerYes(const Options& options, Checker& check) {
  Prepare(options, L"weg");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SearchFolder(app, options, "weg") == 6, "six rows")) return;
  HWND list = app.Control(id::kResultList);
  const int ticked[] = {0, 2, 4};
  std::vector<std::wstring> paths;
  for (int row : ticked) {
    app.SetRowState(list, row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    paths.push_back(PathOfRow(app, options, L"weg", row));
  }
  SetFileAttributesW(paths[1].c_str(), FILE_ATTRIBUTE_READONLY);
  std::string keptRow = ReadRows(app, list, kRowTextCells)[2];
  app.Settle(200);

  check.Check(WaitForFreshWelcome(app), "the welcome text comes back");
  check.Check(ChooseMenuItem(app, 5, id::kRemoveItem), "choose Datei(en) entfernen");
  HWND question = WaitForQuestion(app);
  if (!check.Check(question != nullptr, "the question box opens")) return;
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\removal-question.bmp");
  wchar_t text[256] = {};
  GetDlgItemTextW(question, 0xFFFF, text, 256);
  check.Equal(Utf8(text), "Datei(en) l\xC3\xB6schen?", "question text");
  check.Check(GetDlgItem(question, IDYES) && GetDlgItem(question, IDNO), "Yes and No");
  PressKey(VK_RETURN);  // Yes is the default button
  check.Check(WaitFor([&] { return !IsWindow(question); }, 5000), "the question closes");
  app.Settle(400);

  check.Check(!Exists(paths[0]) && !Exists(paths[2]), "the two ticked files are gone");
  check.Check(Exists(paths[1]), "the read-only file is still there");
  check.Equal(app.StatusText(0), " 2 Datei(en) erfolgreich gel\xC3\xB6scht!", "outcome text");
  check.Equal(app.RowCount(list), 4, "two rows removed");
  check.Equal(app.StatusText(1), "Anzahl Dateien : 4", "row count at the next pass");
  std::vector<std::string> rows = ReadRows(app, list, kRowTextCells);
  int stillTicked = -1;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row] == keptRow) stillTicked = static_cast<int>(row);
  }
  check.Check(stillTicked >= 0 && (app.RowState(list, stillTicked, LVIS_STATEIMAGEMASK) >> 12) == 2,
              "the read-only file's row stays, ticked");
  int files = 0;
  for (const wchar_t* folder : kFolders) {
    for (const wchar_t* name : {L"song.mp3", L"other.mp3"}) {
      files += Exists(options.work + L"\\weg\\" + folder + L"\\" + name) ? 1 : 0;
    }
  }
  check.Equal(files, 4, "nothing else on disk changed");
  SetFileAttributesW(paths[1].c_str(), FILE_ATTRIBUTE_NORMAL);
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

void AnswerNo(const Options& options, Checker& check) {
  Prepare(options, L"bleibt");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SearchFolder(app, options, "bleibt") == 6, "six rows")) return;
  HWND list = app.Control(id::kResultList);
  for (int row = 0; row < 6; ++row) {
    app.SetRowState(list, row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  }
  check.Check(WaitForFreshWelcome(app), "the welcome text comes back");
  check.Check(ChooseMenuItem(app, 0, id::kRemoveItem), "choose Datei(en) entfernen");
  HWND question = WaitForQuestion(app);
  if (!check.Check(question != nullptr, "the question box opens")) return;
  ClickControl(GetDlgItem(question, IDNO));
  check.Check(WaitFor([&] { return !IsWindow(question); }, 5000), "the question closes");
  app.Settle(300);
  check.Equal(app.StatusText(0), " Aktion wurde abgebrochen!", "outcome text");
  check.Equal(app.RowCount(list), 6, "no row removed");
  int files = 0;
  for (const wchar_t* folder : kFolders) {
    for (const wchar_t* name : {L"song.mp3", L"other.mp3"}) {
      files += Exists(options.work + L"\\bleibt\\" + folder + L"\\" + name) ? 1 : 0;
    }
  }
  check.Equal(files, 6, "no file touched");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kYes("removal-yes", AnswerYes);
const Scenario kNo("removal-no", AnswerNo);

}  // namespace
}  // namespace kz::e2e
