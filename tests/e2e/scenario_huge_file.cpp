// A file past 4 GiB (sparse, so it costs no disk): its row shows the whole size, its properties
// the low 32 bits of it, the same as the CLI prints, and the program stays usable.

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

constexpr long long kFourGiB = 1LL << 32;

// Extends the file by 4 GiB of hole; its size then has the old size as its low 32 bits.
bool GrowByFourGiB(const std::wstring& path, long long& oldSize) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool grown = GetFileSizeEx(file, &size) != 0;
  oldSize = size.QuadPart;
  LARGE_INTEGER end{};
  end.QuadPart = size.QuadPart + kFourGiB;
  grown = grown && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return grown;
}

void HugeFile(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\riesig";
  CopyMedia(options, L"tone2.mp3", root + L"\\a\\gross.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\b\\gross.mp3");
  std::wstring huge = root + L"\\a\\gross.mp3";
  long long low = 0;
  if (!check.Check(GrowByFourGiB(huge, low), "the file grows past 4 GiB")) return;
  std::string lowKB = std::to_string(low / 1024 + 1) + " KB";
  std::string wholeKB = std::to_string((kFourGiB + low) / 1024 + 1) + " KB";

  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SearchFolder(app, options, "riesig") == 2, "two rows")) return;
  HWND list = app.Control(id::kResultList);
  int row = app.RowText(list, 0, kFolderColumn) == "...\\a\\" ? 0 : 1;
  check.Equal(app.RowText(list, row, kSizeColumn), wholeKB, "the row's size counts all of it");
  check.Equal(app.RowText(list, 1 - row, kSizeColumn), lowKB, "the namesake's size");

  ClickRow(app, list, row);
  check.Check(ChooseMenuItem(app, row, id::kPropertiesItem), "choose Eigenschaften");
  // The reader walks all 4 GiB, which under Wine takes a while.
  HWND window = FindProgramWindow(app.id(), L"KlangzwillingProperties", L"Eigenschaften", 120000);
  if (!check.Check(window != nullptr, "the properties window opens")) return;
  app.Settle(300);
  std::vector<std::string> rows = ReadRows(app, GetDlgItem(window, id::kPropertiesList), 2);
  CliResult cli = RunCli(options, L"info \"" + huge + L"\"");
  check.Equal(cli.exitCode, 0, "CLI info exit code");
  std::vector<std::string> lines = SplitLines(cli.out);
  // Key=value fields first, then the rows, label and value, each holding a tab.
  std::vector<std::string> cliRows;
  for (const std::string& line : lines) {
    if (line.find('\t') != std::string::npos) cliRows.push_back(line);
  }
  check.Check(lines.size() > 1 && lines[1] == "fileSize=" + std::to_string(low),
              "CLI: the low 32 bits");
  check.Check(cliRows == rows, "the window shows the CLI's five rows");
  if (check.Equal(static_cast<long long>(rows.size()), 5, "five rows")) {
    check.Equal(rows[0], "Dauer\t00:02 Min", "playing time of the frames at the front");
    check.Equal(rows[3], "Gr\xC3\xB6sse\t" + lowKB, "size from the low 32 bits");
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  check.Check(WaitFor([&] { return !IsWindow(window); }, 5000), "the window closes");
  app.Settle(200);
  check.Check(IsWindowEnabled(app.main()) != FALSE, "main window enabled again");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
  DeleteFileW(huge.c_str());
}

const Scenario kHugeFile("huge-file", HugeFile);

}  // namespace
}  // namespace kz::e2e
