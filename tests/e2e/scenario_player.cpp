// Playback of a real MP3 through the media service: time field and bar follow while it plays,
// pause holds them, stop resets them, forward jumps ahead.

#include <windows.h>

#include <commctrl.h>

#include "core/ids.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"

namespace kz::e2e {
namespace {

void Player(const Options& options, Checker& check) {
  CopyMedia(options, L"tone5.mp3", options.work + L"\\play\\eins\\lang.mp3");
  CopyMedia(options, L"tone5.mp3", options.work + L"\\play\\zwei\\lang.mp3");
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  if (!check.Check(SearchFolder(app, options, "play") == 2, "two rows")) return;
  HWND time = app.Control(id::kTimeField);
  HWND bar = app.Control(id::kPositionBar);
  ClickRow(app, app.Control(id::kResultList), 0);
  check.Check(IsWindowEnabled(app.Control(id::kPlayButton)) != FALSE,
              "play enabled with a row selected");

  ClickControl(app.Control(id::kPlayButton));
  // The display follows while the mouse rests: wake-ups reach the loop while it plays.
  bool moved = WaitFor([&] { return app.WindowText(time) != "00:00:00"; }, 8000);
  check.Check(moved, "time field leaves 00:00:00 while playing");
  long long maximum = SendMessageW(bar, TBM_GETRANGEMAX, 0, 0);
  check.Check(maximum > 4500 && maximum < 5600,
              "bar maximum is the length in ms: " + std::to_string(maximum));
  check.Check(SendMessageW(bar, TBM_GETPOS, 0, 0) > 0, "bar follows the position");

  ClickControl(app.Control(id::kPauseButton));  // pause
  app.Settle(400);
  std::string paused = app.WindowText(time);
  long long pausedAt = SendMessageW(bar, TBM_GETPOS, 0, 0);
  Sleep(1500);
  app.Settle(100);
  check.Equal(app.WindowText(time), paused, "pause holds the time field");

  ClickControl(app.Control(id::kForwardButton));  // forward: plays on from 1 s further
  app.Settle(600);
  long long forwardAt = SendMessageW(bar, TBM_GETPOS, 0, 0);
  check.Check(forwardAt >= pausedAt + 900, "forward moves ahead: " + std::to_string(pausedAt) +
                                               " -> " + std::to_string(forwardAt));

  ClickControl(app.Control(id::kStopButton));  // stop
  app.Settle(300);
  check.Equal(app.WindowText(time), "00:00:00", "stop resets the time field");
  check.Equal(SendMessageW(bar, TBM_GETPOS, 0, 0), 0, "stop resets the bar");

  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kPlayer("player", Player);

}  // namespace
}  // namespace kz::e2e
