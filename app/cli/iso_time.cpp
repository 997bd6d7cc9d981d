#include "app/cli/iso_time.h"

#include <cstdio>

namespace kz::cli {

std::string IsoUtcTime(std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  std::int64_t second = seconds % 86400;
  if (second < 0) {
    second += 86400;
    --days;
  }
  // Days since 1970-01-01 to a Gregorian date, counted in 400-year eras starting in March.
  std::int64_t z = days + 719468;
  std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  std::int64_t dayOfEra = z - era * 146097;
  std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  std::int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  std::int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  char text[128];
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ",
                static_cast<long long>(year), static_cast<long long>(month),
                static_cast<long long>(day), static_cast<long long>(second / 3600),
                static_cast<long long>(second / 60 % 60), static_cast<long long>(second % 60));
  return text;
}

}  // namespace kz::cli
