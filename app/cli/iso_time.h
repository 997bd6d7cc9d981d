#pragma once

#include <cstdint>
#include <string>

namespace kz::cli {

// Seconds since 1970-01-01 00:00:00 UTC as ISO 8601 in UTC: "2024-02-29T13:05:09Z".
std::string IsoUtcTime(std::int64_t seconds);

}  // namespace kz::cli
