#pragma once

#include "platform/clock.h"

namespace kz {

class WinClock final : public Clock {
 public:
  std::uint32_t TickCount() override;
};

}  // namespace kz
