#include "platform/posix/posix_clock.h"

#include <time.h>

namespace kz {

std::uint32_t PosixClock::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                      static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(milliseconds);
}

}  // namespace kz
