#include "cache/Dates.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace pagehold {

namespace {

// Days from 1970-01-01 to the given civil date (the well-known days-from-civil algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kEpochOffsetDays = -25569;

}  // namespace

double EncodeDate(const DateParts& p) {
  const std::int64_t days =
      DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) -
      kEpochOffsetDays;
  const double time =
      (p.hour * 3600000.0 + p.minute * 60000.0 + p.second * 1000.0 + p.millisecond) / 86400000.0;
  // Before the epoch the fraction still counts forward within the day, as the day-count scale
  // has always done it.
  return days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
}

DateParts DecodeDate(double date) {
  DateParts parts;
  const double whole = std::trunc(date);
  double fraction = std::fabs(date - whole);
  std::int64_t milliseconds = std::llround(fraction * 86400000.0);
  std::int64_t days = static_cast<std::int64_t>(whole);
  if (milliseconds >= 86400000) {
    milliseconds -= 86400000;
    days += date >= 0 ? 1 : -1;
  }
  CivilFromDays(days + kEpochOffsetDays, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(milliseconds / 3600000);
  parts.minute = static_cast<int>(milliseconds / 60000 % 60);
  parts.second = static_cast<int>(milliseconds / 1000 % 60);
  parts.millisecond = static_cast<int>(milliseconds % 1000);
  return parts;
}

double DateFromUnixSeconds(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &t) != 0)
    return 0;
#else
  if (localtime_r(&t, &local) == nullptr)
    return 0;
#endif
  DateParts parts;
  parts.year = local.tm_year + 1900;
  parts.month = local.tm_mon + 1;
  parts.day = local.tm_mday;
  parts.hour = local.tm_hour;
  parts.minute = local.tm_min;
  parts.second = local.tm_sec;
  return EncodeDate(parts);
}

double Now() {
  using namespace std::chrono;
  const auto since = system_clock::now().time_since_epoch();
  const auto whole = duration_cast<seconds>(since);
  const auto millis = duration_cast<milliseconds>(since - whole).count();
  return DateFromUnixSeconds(whole.count()) + static_cast<double>(millis) / 86400000.0;
}

}  // namespace pagehold
