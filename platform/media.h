#pragma once

#include <cstdint>
#include <string_view>

namespace kz {

// The media-control service: takes one command text, answers 0 when it accepted and carried it
// out, a nonzero error code otherwise. A query writes its zero-terminated reply into `reply`
// (at most `capacity` characters, terminator included); commands pass no buffer.
class MediaService {
 public:
  virtual ~MediaService() = default;
  virtual std::uint32_t SendCommand(std::string_view command, char* reply,
                                    std::uint32_t capacity) = 0;
};

}  // namespace kz
