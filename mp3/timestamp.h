#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kz {

// Seconds since 1970-01-01 00:00:00 UTC; negative values are instants before 1970.
using Timestamp = std::int32_t;

// Copies `format`, replacing each token directly after a "%" with the UTC calendar field of
// `time`. The tokens are tried in this order, case-sensitively: "yyyy" (four-digit year), "yy"
// (last two digits of the year), "mm" (month 01-12), "dd" (day 01-31), "hh" (hour 00-23),
// "ii" (minute 00-59), "ss" (second 00-59). A "%" before anything else is copied unchanged.
// Every value of the type is a valid instant (1901-12-13 to 2038-01-19, Gregorian calendar).
std::string FormatTimestamp(std::string_view format, Timestamp time);

// The creation time of the file at `path`, in UTC; 0 when the file is not found. A time
// outside the range of a Timestamp is held at the nearest end of the range.
Timestamp FileCreationTimestamp(FileSystem& files, std::string_view path);

}  // namespace kz
