#include "collection/ole_date.h"

#include <ctime>

namespace vorn {
namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

double oleDateFrom(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                   int32_t second) {
  const int64_t days = daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30);
  // Dates before 1899-12-30 are not needed: the clock never shows one.
  return double(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

double currentLocalOleDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return oleDateFrom(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min, local.tm_sec);
}

}  // namespace vorn
