#include "cache/Dates.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/CivilDays.h"

namespace pagehold {

namespace {

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kEpochOffsetDays = -25569;

}  // namespace

double EncodeDate(const DateParts& p) {
  const std::int64_t days = DaysFromCivil(p.year, p.month, p.day) - kEpochOffsetDays;
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
