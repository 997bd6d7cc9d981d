// Folders whose paths pass the platform's 260-character limit yield no entries, and nothing
// breaks on the way; namesakes above the limit are still found.

#include <windows.h>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"

namespace kz::e2e {
namespace {

void LongPaths(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\tiefe-pfade";
  CopyMedia(options, L"tone2.mp3", root + L"\\a\\kurz.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\b\\kurz.mp3");
  // Six folders of 50 characters: everything below the fifth lies past the limit.
  std::wstring deep = L"\\\\?\\" + root;
  std::wstring segment(50, L'd');
  for (int level = 0; level < 6; ++level) {
    deep += L"\\" + segment + std::to_wstring(level);
    CreateDirectoryW(deep.c_str(), nullptr);
    std::wstring copy = deep + L"\\tief.mp3";
    CopyFileW((options.work + L"\\_media\\tone2.mp3").c_str(), copy.c_str(), FALSE);
  }
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  int rows = SearchFolder(app, options, "tiefe-pfade");
  check.Check(WaitForSingleObject(app.process(), 0) == WAIT_TIMEOUT, "the program still runs");
  HWND list = app.Control(id::kResultList);
  int shallow = 0;
  int deepRows = 0;
  for (int row = 0; row < rows; ++row) {
    std::string name = app.RowText(list, row, kNameColumn);
    if (name == "kurz.mp3") ++shallow;
    if (name == "tief.mp3") ++deepRows;
  }
  check.Equal(shallow, 2, "namesakes above the limit are found");
  check.Check(deepRows >= 2 && deepRows < 6,
              "only the reachable depths are listed: " + std::to_string(deepRows));
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kLongPaths("long-paths", LongPaths);

}  // namespace
}  // namespace kz::e2e
