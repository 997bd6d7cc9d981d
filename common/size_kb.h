#pragma once

#include <cstdint>

namespace kz {

// Size in bytes / 1024 (truncated toward zero) + 1, kept as the low 32 bits. The file-size
// service reports -1 for a missing file and -2 for a directory, which both give 1.
inline std::int32_t SizeInKB(std::int64_t bytes) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes / 1024 + 1));
}

}  // namespace kz
