#pragma once

#include <cstdint>
#include <string>

#include "core/program.h"

namespace kz {

// What ended a long task before its end.
enum class TaskEnd { kGoOn, kCutShort, kClosed };

// Keeps the window alive while a handler works through many files on the UI thread (deleting,
// comparing): the user's input is dropped, but for clicks on the control `kept` (-1: none), the
// window paints, a progress text is shown at most every 200 ms, and a close request, or a click
// on the kept control, ends the task after the file in hand. Its outcome then stays in status
// field 0 for the welcome text's 5 s.
class BusyWindow {
 public:
  BusyWindow(Program& program, int kept);
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;
  ~BusyWindow();

  // After each file: takes the events that came meanwhile (at most every few milliseconds, for
  // under Wine each look at the queue costs about 40 us) and shows `progress()` in status field
  // 0 when its time has come. kGoOn while the task may go on.
  template <class Progress>
  TaskEnd Step(Progress&& progress) {
    std::uint32_t now = program_.clock.TickCount();
    if (static_cast<std::int32_t>(now - lastShown_) >= kShowEveryMs) {
      lastShown_ = now;
      program_.ui.SetStatusText(0, progress());
    }
    if (static_cast<std::int32_t>(now - lastPolled_) < kPollEveryMs) return TaskEnd::kGoOn;
    lastPolled_ = now;
    return TakeEvents();
  }

 private:
  static constexpr std::int32_t kShowEveryMs = 200;
  static constexpr std::int32_t kPollEveryMs = 20;
  TaskEnd TakeEvents();

  Program& program_;
  int kept_;
  std::uint32_t lastShown_;
  std::uint32_t lastPolled_;
};

}  // namespace kz
