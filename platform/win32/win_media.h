#pragma once

#include "platform/media.h"

namespace kz {

// The platform's media-control service (winmm). Commands go out as UTF-16, so paths outside
// the user's code page open as they are; replies come back as UTF-8.
class WinMedia final : public MediaService {
 public:
  std::uint32_t SendCommand(std::string_view command, char* reply, std::uint32_t capacity) override;
};

}  // namespace kz
