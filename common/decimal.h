#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kz {

// Signed 32-bit value in decimal: no leading zeros, no grouping, "-" for negatives.
std::string IntToDecimal(std::int32_t value);

// Leading blanks and tabs skipped, one optional sign, digits up to the first other character.
// No digits give 0; the value wraps in 32 bits instead of failing, as the replies of the media
// service and the ID cells are read that way.
std::int32_t DecimalToInt(std::string_view text);

}  // namespace kz
