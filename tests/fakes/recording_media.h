#pragma once

#include <string>
#include <vector>

#include "platform/media.h"

namespace kz::testing {

// A media service that records every command and refuses them all, as a service with nothing
// open does.
class RecordingMedia : public MediaService {
 public:
  std::uint32_t SendCommand(std::string_view command, char* reply,
                            std::uint32_t capacity) override {
    commands.emplace_back(command);
    (void)reply;
    (void)capacity;
    return 263;  // "the specified device is not open"
  }
  std::vector<std::string> commands;
};

}  // namespace kz::testing
