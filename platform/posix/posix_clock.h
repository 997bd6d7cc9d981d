#pragma once

#include "platform/clock.h"

namespace kz {

class PosixClock final : public Clock {
 public:
  std::uint32_t TickCount() override;
};

}  // namespace kz
