// Playback of a selected row through the media service, driven and read without the program's
// memory (see by_input.h): the time field by WM_GETTEXT, the bar by its position messages.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/ids.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/by_input.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"

namespace kz::e2e {
namespace {

void Player(const Options& options, Checker& check) {
  CopyMedia(options, L"tone5.mp3", options.work + L"\\abspielen\\eins\\lang.mp3");
  CopyMedia(options, L"tone5.mp3", options.work + L"\\abspielen\\zwei\\lang.mp3");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Equal(SearchByInput(app, options, "abspielen"), 2, "two rows")) return;
  RowPlaces rows(app, app.Control(id::kResultList));
  if (!check.Check(rows.Measure() && rows.ClickRow(0), "the first row selected")) return;
  HWND time = app.Control(id::kTimeField);
  HWND bar = app.Control(id::kPositionBar);
  check.Check(IsWindowEnabled(app.Control(id::kPlayButton)) != FALSE,
              "play enabled with a row selected");

  ClickControl(app.Control(id::kPlayButton));
  check.Check(WaitFor([&] { return app.WindowText(time) != "00:00:00"; }, 8000),
              "the time field leaves 00:00:00 while playing");
  long long maximum = SendMessageW(bar, TBM_GETRANGEMAX, 0, 0);
  check.Check(maximum > 4500 && maximum < 5600,
              "bar maximum is the length in ms: " + std::to_string(maximum));
  check.Check(SendMessageW(bar, TBM_GETPOS, 0, 0) > 0, "the bar follows the position");

  ClickControl(app.Control(id::kPauseButton));  // pause
  app.Settle(400);
  std::string paused = app.WindowText(time);
  Sleep(1500);
  app.Settle(100);
  check.Equal(app.WindowText(time), paused, "pause holds the time field");

  ClickControl(app.Control(id::kStopButton));  // stop
  check.Check(WaitFor([&] { return app.WindowText(time) == "00:00:00"; }, 3000),
              "stop resets the time field");
  check.Equal(SendMessageW(bar, TBM_GETPOS, 0, 0), 0, "stop resets the bar");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kPlayer("player-by-input", Player);

}  // namespace
}  // namespace kz::e2e
