#include "common/decimal.h"

namespace kz {

std::string IntToDecimal(std::int32_t value) {
  // Work in 64 bits so that INT32_MIN has a magnitude.
  std::int64_t wide = value;
  bool negative = wide < 0;
  if (negative) wide = -wide;
  char digits[16];
  int length = 0;
  do {
    digits[length++] = static_cast<char>('0' + wide % 10);
    wide /= 10;
  } while (wide != 0);
  std::string text;
  text.reserve(length + 1);
  if (negative) text.push_back('-');
  while (length > 0) text.push_back(digits[--length]);
  return text;
}

std::int32_t DecimalToInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::uint32_t accumulated = 0;  // unsigned so that overflow wraps without undefined behaviour
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    accumulated = accumulated * 10u + static_cast<std::uint32_t>(text[pos] - '0');
    ++pos;
  }
  if (negative) accumulated = 0u - accumulated;
  return static_cast<std::int32_t>(accumulated);
}

}  // namespace kz
