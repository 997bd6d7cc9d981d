// The Recycle Bin under Wine: the trash below $XDG_DATA_HOME, which the runner points at the
// work folder's xdg\ for the whole run. Ticked files go there as they are (the same file, with
// an info file naming where it lay); a file replaced after the search stays; with no usable
// trash, or one on another file system, nothing moves and nothing is deleted.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <string>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

// The Unix path Wine gives a Windows path: what its trash notes as a file's origin.
std::string UnixPath(const std::wstring& path) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  char* unixPath = toUnix ? toUnix(path.c_str()) : nullptr;
  std::string text = unixPath ? unixPath : "";
  if (unixPath) HeapFree(GetProcessHeap(), 0, unixPath);
  return text;
}

// The file index (the inode under Wine): the trash lies on the tree's file system.
std::optional<unsigned long long> IdOf(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  BOOL ok = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
}

// The id of the trash entry whose info file says that it came from `unixPath` (the names here
// are plain ASCII, which the info file leaves unescaped).
std::optional<unsigned long long> InTrash(const std::wstring& trash, const std::string& unixPath) {
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((trash + L"\\info\\*.trashinfo").c_str(), &found);
  std::optional<unsigned long long> id;
  for (BOOL more = find != INVALID_HANDLE_VALUE; more && !id; more = FindNextFileW(find, &found)) {
    std::wstring name = found.cFileName;
    HANDLE info = CreateFileW((trash + L"\\info\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    char text[4096] = {};
    DWORD read = 0;
    if (info != INVALID_HANDLE_VALUE) {
      ReadFile(info, text, sizeof text - 1, &read, nullptr);
      CloseHandle(info);
    }
    if (std::string(text).find("\nPath=" + unixPath + "\n") == std::string::npos) continue;
    id = IdOf(trash + L"\\files\\" + name.substr(0, name.size() - 10));  // less ".trashinfo"
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  return id;
}

// Chooses "Datei(en) in den Papierkorb verschieben" over `row` and answers Yes; the outcome
// text. With `shots`, the open menu and the question are saved as shots-menu and
// shots-question.
std::string RecycleTicked(AppProcess& app, int row, const std::wstring& shots = L"") {
  WaitForFreshWelcome(app);
  if (!ChooseMenuItem(app, row, id::kRecycleItem, shots.empty() ? L"" : shots + L"-menu.bmp"))
    return "no menu";
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (!question) return "no question";
  if (!shots.empty()) SaveScreenshot(shots + L"-question.bmp");
  wchar_t text[256] = {};
  GetDlgItemTextW(question, 0xFFFF, text, 256);
  if (Utf8(text) != "Datei(en) in den Papierkorb verschieben?") return "asked " + Utf8(text);
  PressKey(VK_RETURN);  // Yes is the default button
  WaitFor([&] { return !IsWindow(question); }, 5000);
  app.Settle(400);
  return app.StatusText(0);
}

// A program started with $XDG_DATA_HOME at `dataHome`, where the trash can take nothing.
void NothingMoves(const Options& options, Checker& check, const std::wstring& dataHome,
                  const std::string& what) {
  SetEnvironmentVariableW(L"XDG_DATA_HOME", Wide(UnixPath(dataHome)).c_str());
  AppProcess app(options.exe);
  SetEnvironmentVariableW(L"XDG_DATA_HOME", Wide(UnixPath(options.work + L"\\xdg")).c_str());
  if (!check.Check(app.WaitForMainWindow() != nullptr, what + ": main window")) return;
  int rows = SearchFolder(app, options, "papierkorb");
  for (int row = 0; row < rows; ++row) Tick(app, row);
  std::string outcome = RecycleTicked(app, 0);
  std::string expected = " 0 Datei(en) in den Papierkorb verschoben!, " + std::to_string(rows);
  check.Check(ShowsOutcome(outcome, expected + " nicht"), what + ": outcome " + outcome);
  int ticked = 0;
  for (int row = 0; row < app.RowCount(app.Control(id::kResultList)); ++row)
    ticked += Ticked(app, row) ? 1 : 0;
  int files = 0;
  for (const wchar_t* file :
       {L"a\\song", L"b\\song", L"c\\song", L"a\\other", L"b\\other", L"c\\other"})
    files += Exists(options.work + L"\\papierkorb\\" + file + L".mp3") ? 1 : 0;
  check.Check(rows == 4 && ticked == 4 && files == 4,
              what + ": the four files stay, their rows ticked");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, what + ": exit code");
}

void Recycle(const Options& options, Checker& check) {
  std::wstring top = options.work + L"\\papierkorb\\";
  for (const wchar_t* folder : {L"a", L"b", L"c"}) {
    CopyMedia(options, L"tone2.mp3", top + folder + L"\\song.mp3");
    CopyMedia(options, L"tone2.mp3", top + folder + L"\\other.mp3");
  }
  std::wstring trash = options.work + L"\\xdg\\Trash";
  {
    AppProcess app(options.exe);
    if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
    if (!check.Equal(SearchFolder(app, options, "papierkorb"), 6, "six rows")) return;
    // Rows 0, 2 and 4 ticked, and the file of row 2 replaced after the search.
    std::wstring paths[3];
    std::string unixPaths[3];
    std::optional<unsigned long long> ids[3];
    std::string cells[3][2];  // folder and name
    for (int at = 0; at < 3; ++at) {
      std::string folder =
          app.RowText(app.Control(id::kResultList), 2 * at, kFolderColumn).substr(4);
      cells[at][0] = folder.substr(0, folder.size() - 1);
      cells[at][1] = app.RowText(app.Control(id::kResultList), 2 * at, kNameColumn);
      std::wstring relative = Wide(folder + cells[at][1]);
      paths[at] = top + relative;
      unixPaths[at] = UnixPath(options.workDrive + L"\\papierkorb\\" + relative);
      Tick(app, 2 * at);
    }
    WriteText(top + L"neu.tmp", "replaced after the search");
    MoveFileExW((top + L"neu.tmp").c_str(), paths[1].c_str(), MOVEFILE_REPLACE_EXISTING);
    for (int at = 0; at < 3; ++at) ids[at] = IdOf(paths[at]);
    std::wstring shots = options.shots.empty() ? L"" : options.shots + L"\\recycle";
    std::string outcome = RecycleTicked(app, 5, shots);
    if (!shots.empty()) SaveScreenshot(shots + L"-done.bmp");
    check.Check(ShowsOutcome(outcome, " 2 Datei(en) in den Papierkorb verschoben!, 1 nicht"),
                "outcome text: " + outcome);
    for (int at : {0, 2}) {
      check.Check(!Exists(paths[at]), "gone from its folder: " + Utf8(paths[at]));
      check.Check(ids[at] && InTrash(trash, unixPaths[at]) == ids[at],
                  "the same file in the trash, noted as from " + unixPaths[at]);
    }
    check.Check(IdOf(paths[1]) == ids[1], "the replaced file stays");
    check.Check(!InTrash(trash, unixPaths[1]), "nothing of it in the trash");
    check.Equal(app.RowCount(app.Control(id::kResultList)), 4, "two rows taken out");
    check.Check(Ticked(app, RowOf(app, cells[1][0], cells[1][1])), "its row stays, ticked");
    PostMessageW(app.main(), WM_CLOSE, 0, 0);
    check.Equal(app.WaitForExit(), 0, "exit code");
  }
  WriteText(options.work + L"\\xdg-datei", "no folder");
  NothingMoves(options, check, options.work + L"\\xdg-datei", "no usable trash");
  if (Exists(options.work + L"\\xdg-fremd\\mounted.txt")) {
    NothingMoves(options, check, options.work + L"\\xdg-fremd", "a trash on another mount");
  } else {
    std::printf("  note recycle: no tmpfs mounted, the trash on another mount is not tried\n");
  }
}

const Scenario kRecycle("recycle", Recycle);

}  // namespace
}  // namespace kz::e2e
