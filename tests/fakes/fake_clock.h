#pragma once

#include "platform/clock.h"

namespace kz::testing {

// A tick counter that moves only when the test says so (or by `step` per reading).
class FakeClock : public Clock {
 public:
  std::uint32_t TickCount() override {
    std::uint32_t now = ticks;
    ticks += step;
    return now;
  }
  std::uint32_t ticks = 0;
  std::uint32_t step = 0;
};

}  // namespace kz::testing
