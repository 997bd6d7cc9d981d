#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"

namespace kz::e2e {

// Folders and files of a scenario, below the work folder that the runner maps as M:.
bool MakeFolders(const std::wstring& path);
bool CopyMedia(const Options& options, const std::wstring& media, const std::wstring& target);
// A copy of a media file with an ID3v2 tag of `tagBytes` before it (another size, the same
// recording), and with the byte at `flipAt` of the media changed when it lies inside.
bool CopyMediaTagged(const Options& options, const std::wstring& media, const std::wstring& target,
                     std::size_t tagBytes, std::size_t flipAt = SIZE_MAX);
bool WriteText(const std::wstring& path, const std::string& content);
bool Exists(const std::wstring& path);

struct CliResult {
  long long exitCode = -1;
  std::string out;
  std::string err;
};
// Runs klangzwilling-cli.exe (next to klangzwilling.exe) with the arguments.
CliResult RunCli(const Options& options, const std::wstring& arguments);

// The cells of every row of a list view, each row joined with TABs.
std::vector<std::string> ReadRows(AppProcess& app, HWND list, int columns);
std::vector<std::string> SplitLines(const std::string& text);

// Drives the folder tree to `M:\relative\...`: expands the root, the drive and each folder on
// the way and clicks the last one. False when an item is missing.
bool SelectFolder(AppProcess& app, const Options& options, const std::vector<std::string>& folders);

// A fingerprint of what the screen shows inside a window (for "the picture changed").
std::vector<COLORREF> CapturePixels(HWND window);

}  // namespace kz::e2e

namespace kz::e2e {

// The result list's row whose directory cell is "...\folder\" and whose name cell is `name`,
// or -1.
int RowOf(AppProcess& app, const std::string& folder, const std::string& name);
// Ticks a result row by the list view's own message, and reads its tick back.
void Tick(AppProcess& app, int row);
bool Ticked(AppProcess& app, int row);

// Clicks a row of a list view in its first column, as a user selects it.
bool ClickRow(AppProcess& app, HWND list, int row, bool right = false);
// The middle of a row's tick box in screen coordinates, found by the list's own hit test.
bool BoxOfRow(AppProcess& app, HWND list, int row, POINT& screen);
// Selects `folder` (M:\folder\), runs a search and waits for its end; the row count.
int SearchFolder(AppProcess& app, const Options& options, const std::string& folder);
// The visible popup menu of the program, or null after the timeout.
HWND FindPopupMenu(DWORD processId, DWORD timeoutMs = 3000);
// Opens the popup menu over a row and highlights an item by its id (0 "Eigenschaften", 1
// "Datei(en) entfernen", 27 "Datei(en) in den Papierkorb verschieben", 24 to 26 the ticking
// items, 28 "Aufnahmen vergleichen") with the keys a user would press; Return then chooses it.
// With `shot`, the open menu is saved there first. The menu, or null.
HWND HighlightMenuItem(AppProcess& app, int row, int item, const std::wstring& shot = L"");
// The same, and the item chosen.
bool ChooseMenuItem(AppProcess& app, int row, int item, const std::wstring& shot = L"");
// Waits until status field 0 shows the welcome text again. An outcome text stays there until the
// welcome text comes back, 5 s after it was last shown: starting right after one leaves the
// whole 5 s for a question and its answer, however slow the machine is today.
bool WaitForFreshWelcome(AppProcess& app);
// Whether status field 0 shows `outcome`, or the welcome text, which replaces an outcome at the
// first pass more than 5 s after the last welcome: on a busy machine the pass right after it.
bool ShowsOutcome(const std::string& status, const std::string& outcome);
// Removes the ticked rows' files as a user does: the popup menu over `row`, item 1, Yes. The
// outcome text of status field 0, or "" when the question did not come.
std::string RemoveTickedRows(AppProcess& app, int row);
// Selects a row, chooses "Eigenschaften" over it and reads the properties window's rows (name TAB
// value), then closes the window with its close box. Empty when the window did not open in time.
std::vector<std::string> ReadPropertiesOfRow(AppProcess& app, int row, DWORD timeoutMs = 5000);
// A top-level window of the program with that class (and caption, if given).
HWND FindProgramWindow(DWORD processId, const wchar_t* windowClass, const wchar_t* caption,
                       DWORD timeoutMs = 5000);

}  // namespace kz::e2e
