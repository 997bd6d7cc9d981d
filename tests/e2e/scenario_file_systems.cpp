// File systems as users have them: names Windows path rules take for devices, mounted file
// systems inside the searched folder (tmpfs mounts the runner makes where it may), and a file
// that another program holds open with delete sharing.

#include <windows.h>

#include <string>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"

namespace kz::e2e {
namespace {

std::string Deleted(int count) {
  return " " + std::to_string(count) + " Datei(en) erfolgreich gel\xC3\xB6scht!";
}

// The size cell a file's row must show, read by the path form that reaches the file itself.
std::string SizeCell(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW((L"\\\\?\\" + path).c_str(), GetFileExInfoStandard, &data)) return "";
  return std::to_string(data.nFileSizeLow / 1024 + 1) + " KB";
}

void ReservedNames(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\h-devices";
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Equal(SearchFolder(app, options, "h-devices"), 10, "five device names twice")) return;
  const char* names[] = {"con.mp3", "nul.mp3", "aux.mp3", "com1.mp3", "lpt1.mp3"};
  for (const char* folder : {"a", "b"}) {
    for (const char* name : names) {
      std::wstring path = root + L"\\" + Wide(folder) + L"\\" + Wide(name);
      check.Equal(app.RowText(app.Control(id::kResultList), RowOf(app, folder, name), kSizeColumn),
                  SizeCell(path),
                  std::string("the file's own size, not the device's: ") + folder + "\\" + name);
    }
  }
  std::vector<std::string> properties = ReadPropertiesOfRow(app, RowOf(app, "a", "con.mp3"));
  check.Check(properties.size() == 5 && properties[2] == "Frequenz\t44100 Hz" &&
                  properties[3] == "Gr\xC3\xB6sse\t" + SizeCell(root + L"\\a\\con.mp3"),
              "the properties of con.mp3 are the file's");
  // The player opens the file, not the console: its time moves.
  ClickRow(app, app.Control(id::kResultList), RowOf(app, "a", "con.mp3"));
  ClickControl(app.Control(id::kPlayButton));
  check.Check(
      WaitFor([&] { return app.WindowText(app.Control(id::kTimeField)) != "00:00:00"; }, 8000),
      "con.mp3 plays");
  ClickControl(app.Control(id::kStopButton));
  const std::pair<const char*, const char*> ticked[] = {
      {"a", "con.mp3"}, {"b", "nul.mp3"}, {"a", "com1.mp3"}};
  for (const auto& [folder, name] : ticked) Tick(app, RowOf(app, folder, name));
  std::string outcome = RemoveTickedRows(app, 0);
  check.Check(ShowsOutcome(outcome, Deleted(3)), "three files deleted: " + outcome);
  check.Equal(app.RowCount(app.Control(id::kResultList)), 7, "their rows are gone");
  for (const char* folder : {"a", "b"}) {
    for (const char* name : names) {
      bool wasTicked = false;
      for (const auto& [tickedFolder, tickedName] : ticked) {
        wasTicked = wasTicked || (std::string(folder) == tickedFolder && name == tickedName);
      }
      std::wstring path = L"\\\\?\\" + root + L"\\" + Wide(folder) + L"\\" + Wide(name);
      check.Check(Exists(path) != wasTicked, std::string("gone exactly if ticked: ") + name);
    }
  }
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

void Mounts(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\h-mounts";
  if (!Exists(root + L"\\mounted.txt")) {
    std::printf("  skipped mounts: the runner could not mount file systems here (not root?)\n");
    return;
  }
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  check.Equal(SearchFolder(app, options, "h-mounts"), 4, "rows from three mounts and beside them");
  for (const auto& [folder, name] : {std::pair{"m1\\sub", "mnt.mp3"},
                                     {"m2\\sub", "mnt.mp3"},
                                     {"m3\\deep\\er", "one.mp3"},
                                     {"plain", "one.mp3"}}) {
    check.Check(RowOf(app, folder, name) >= 0, std::string("a row for ") + folder + "\\" + name);
  }
  check.Check(RowOf(app, "bind\\a", "bm.mp3") < 0 && RowOf(app, "bind\\b", "bm.mp3") < 0,
              "a file seen twice through a bind mount is no namesake of itself");
  CliResult cli = RunCli(options, L"scan " + options.workDrive + L"\\h-mounts\\");
  check.Equal(static_cast<long long>(SplitLines(cli.out).size()), 4, "the CLI lists them too");
  Tick(app, RowOf(app, "m1\\sub", "mnt.mp3"));
  std::string outcome = RemoveTickedRows(app, 0);
  check.Check(ShowsOutcome(outcome, Deleted(1)), "a file on a mount is deleted: " + outcome);
  check.Equal(app.RowCount(app.Control(id::kResultList)), 3, "its row is gone");
  check.Check(!Exists(root + L"\\m1\\sub\\mnt.mp3") && Exists(root + L"\\m2\\sub\\mnt.mp3"),
              "that file is gone, its namesake on the other mount stays");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

// Like a search indexer or a virus scanner, which open files so that others may still delete
// them: the delete succeeds, and the file goes once that program lets it go.
void DeleteShared(const Options& options, Checker& check) {
  std::wstring root = options.work + L"\\geteilt";
  CopyMedia(options, L"tone2.mp3", root + L"\\a\\lied.mp3");
  CopyMedia(options, L"tone2.mp3", root + L"\\b\\lied.mp3");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Equal(SearchFolder(app, options, "geteilt"), 2, "two rows")) return;
  HANDLE holder = CreateFileW((root + L"\\a\\lied.mp3").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (!check.Check(holder != INVALID_HANDLE_VALUE, "another program holds the file")) return;
  Tick(app, RowOf(app, "a", "lied.mp3"));
  std::string outcome = RemoveTickedRows(app, 0);
  check.Check(ShowsOutcome(outcome, Deleted(1)), "the held file counts as deleted: " + outcome);
  check.Equal(app.RowCount(app.Control(id::kResultList)), 1, "its row is gone");
  CloseHandle(holder);
  check.Check(WaitFor([&] { return !Exists(root + L"\\a\\lied.mp3"); }, 5000),
              "the file is gone once the other program lets it go");
  check.Check(Exists(root + L"\\b\\lied.mp3"), "the unticked file stays");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kReservedNames("reserved-names", ReservedNames);
const Scenario kMounts("mounts", Mounts);
const Scenario kDeleteShared("delete-shared", DeleteShared);

}  // namespace
}  // namespace kz::e2e
