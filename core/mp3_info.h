#pragma once

#include <cstdint>

namespace kz {

// What the header reader learns of an MP3 file. Every field starts at -1 (frameCount at 0).
struct Mp3Info {
  std::int32_t fileSize = -1;    // bytes, low 32 bits
  std::int32_t durationMs = -1;  // playing time
  std::int32_t bitRate = -1;     // bit/s; negative: varying, magnitude the average
  std::int32_t frequency = -1;   // Hz
  std::int32_t frameCount = 0;
};

}  // namespace kz
