#include "core/busy_window.h"

#include "core/ids.h"

namespace kz {

BusyWindow::BusyWindow(Program& program, int kept)
    : program_(program),
      kept_(kept),
      lastShown_(program.clock.TickCount()),
      lastPolled_(lastShown_) {
  program_.ui.DropInput(true, kept);
}

BusyWindow::~BusyWindow() {
  program_.ui.DropInput(false, -1);
  // The task's outcome stays in view as long as a quick one's: the main loop's welcome text,
  // shown 5 s after the last one, would otherwise replace it at the loop's first pass.
  program_.lastWelcomeTick = program_.clock.TickCount();
}

TaskEnd BusyWindow::TakeEvents() {
  Ui& ui = program_.ui;
  // Everything waiting, so that the window is painted; every event but the two that end the
  // task is dropped, as during a search.
  for (std::int32_t code = ui.PollEvent(); code != event::kNone; code = ui.PollEvent()) {
    if (code == event::kClose) return TaskEnd::kClosed;
    if (code == event::kControl && kept_ >= 0 && ui.EventSource() == kept_) {
      return TaskEnd::kCutShort;
    }
  }
  return TaskEnd::kGoOn;
}

}  // namespace kz
