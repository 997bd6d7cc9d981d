#pragma once

#include "platform/media.h"

namespace kz::cli {

// The command line never plays: every media command is refused.
class NoMedia final : public MediaService {
 public:
  std::uint32_t SendCommand(std::string_view, char* reply, std::uint32_t capacity) override {
    if (reply && capacity > 0) reply[0] = '\0';
    return 1;
  }
};

}  // namespace kz::cli
