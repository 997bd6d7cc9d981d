#include "platform/win32/win_clock.h"

#include <windows.h>

namespace kz {

std::uint32_t WinClock::TickCount() {
  return GetTickCount();
}

}  // namespace kz
