#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"

// Driving the program without its memory: where no process can read or write the program's
// memory (the i686 program under emulation, whose addresses are offset in the host), the driver
// has input, messages that carry no pointer, what the screen shows, and the disk. These helpers
// work the same natively.
namespace kz::e2e {

// Status field 0: the status bar answers WM_GETTEXT with it, and Wine copies that answer.
std::string StatusMessage(AppProcess& app);

// Selects M:\`folder`\ in the folder tree by item handle. The drive's place follows from the
// logical drives, the folder's from the folder tree's own order of the drive's subfolders.
bool SelectFolderByOrder(AppProcess& app, const Options& options, const std::string& folder);
// Selects the folder, clicks the search button and waits for the search's end; the row count.
int SearchByInput(AppProcess& app, const Options& options, const std::string& folder);

// Where the result list's rows lie on the screen, measured from what the list draws: a selected
// row is highlighted across the whole row.
class RowPlaces {
 public:
  RowPlaces(AppProcess& app, HWND list) : app_(app), list_(list) {}
  // Selects the top row and the one below it by click and key and measures both. False when
  // the list has fewer than two rows or no highlight was seen.
  bool Measure();
  // Scrolls `row` into view; the screen point at `fromLeft` pixels from the list's left edge
  // in the middle of the row.
  POINT At(int row, int fromLeft);
  bool ClickRow(int row, bool right = false);
  bool ClickBox(int row);  // the row's tick box
  int selected() const;

 private:
  // The first and last screen row of the highlight in the list's pixel column at `x`, inside
  // the rows' area; false when none.
  bool Highlight(int x, int& first, int& last) const;

  AppProcess& app_;
  HWND list_;
  int firstTop_ = 0;  // screen y of the top visible row's highlight
  int height_ = 0;
};

bool Ticked(HWND list, int row);
// The ticked rows among all rows, asked row by row (LVM_GETITEMSTATE carries no pointer).
int TickedCount(HWND list);

// The popup menu over `row` (a right click), its item "Datei(en) entfernen", and the question's
// answer (IDYES by Enter, IDNO by a click). The status message afterwards, "" when the menu or the
// question did not come; `asked` gets the question's text.
std::string RemoveByInput(AppProcess& app, RowPlaces& rows, int row, int answer,
                          std::string* asked = nullptr);

}  // namespace kz::e2e
