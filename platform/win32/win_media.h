#pragma once

#include "platform/media.h"

namespace kz {

// Placeholder until the media-control layer lands: refuses every command.
class WinMediaService final : public MediaService {
 public:
  std::uint32_t SendCommand(std::string_view, char*, std::uint32_t) override { return 263; }
};

}  // namespace kz
