#pragma once

#include <cstdint>

namespace kz {

// The system's millisecond tick count, 32 bits wide; it wraps after about 49.7 days.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t TickCount() = 0;
};

}  // namespace kz
