#include "mp3/timestamp.h"

#include <algorithm>
#include <limits>

namespace kz {
namespace {

struct CalendarTime {
  std::int64_t year;
  int month;  // 1-12
  int day;    // 1-31
  int hour;
  int minute;
  int second;
};

// Floor division, so that instants before 1970 fall on the previous day, not on day 0.
std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  std::int64_t quotient = value / divisor;
  return (value % divisor < 0) ? quotient - 1 : quotient;
}

// Days since 1970-01-01 to a Gregorian date, counting in 400-year eras whose years begin on
// 1 March, so that the leap day is the last day of its year.
CalendarTime ToCalendar(Timestamp time) {
  std::int64_t days = FloorDivide(time, 86400);
  auto secondOfDay = static_cast<int>(time - days * 86400);
  std::int64_t shifted = days + 719468;  // days from 0000-03-01 to 1970-01-01
  std::int64_t era = FloorDivide(shifted, 146097);
  auto dayOfEra = static_cast<int>(shifted - era * 146097);
  int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int monthFromMarch = (5 * dayOfYear + 2) / 153;
  CalendarTime calendar{};
  calendar.day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  calendar.month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  calendar.year = era * 400 + yearOfEra + (calendar.month <= 2 ? 1 : 0);
  calendar.hour = secondOfDay / 3600;
  calendar.minute = secondOfDay / 60 % 60;
  calendar.second = secondOfDay % 60;
  return calendar;
}

void AppendDigits(std::string& text, std::int64_t value, int width) {
  char digits[8];
  for (int i = width - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  text.append(digits, static_cast<std::size_t>(width));
}

}  // namespace

std::string FormatTimestamp(std::string_view format, Timestamp time) {
  const CalendarTime calendar = ToCalendar(time);
  struct Token {
    std::string_view name;
    std::int64_t value;
    int width;
  };
  const Token tokens[] = {
      {"yyyy", calendar.year, 4}, {"yy", calendar.year % 100, 2}, {"mm", calendar.month, 2},
      {"dd", calendar.day, 2},    {"hh", calendar.hour, 2},       {"ii", calendar.minute, 2},
      {"ss", calendar.second, 2},
  };
  std::string text;
  text.reserve(format.size() + 8);
  std::size_t pos = 0;
  while (pos < format.size()) {
    char c = format[pos++];
    if (c != '%') {
      text.push_back(c);
      continue;
    }
    std::string_view rest = format.substr(pos);
    bool replaced = false;
    for (const Token& token : tokens) {
      if (rest.starts_with(token.name)) {
        AppendDigits(text, token.value, token.width);
        pos += token.name.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) text.push_back('%');
  }
  return text;
}

Timestamp FileCreationTimestamp(FileSystem& files, std::string_view path) {
  std::optional<std::int64_t> seconds = files.CreationTime(path);
  if (!seconds) return 0;
  constexpr std::int64_t kEarliest = std::numeric_limits<Timestamp>::min();
  constexpr std::int64_t kLatest = std::numeric_limits<Timestamp>::max();
  return static_cast<Timestamp>(std::clamp(*seconds, kEarliest, kLatest));
}

}  // namespace kz
