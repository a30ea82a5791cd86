#include "platform/UrlCacheTimes.h"

namespace pagehold {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int yearOfEra = static_cast<int>(year - era * 400);
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int dayOfEra = static_cast<int>(days - era * 146097);
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = static_cast<int>(yearOfEra + era * 400) + (month <= 2);
}

// Days from 1601-01-01 (the file-time epoch) to 1970-01-01.
const std::int64_t kEpochDays = -DaysFromCivil(1601, 1, 1);

}  // namespace

bool CalendarFromFat(FatDateTime fat, CalendarTime& calendar) {
  calendar.year = 1980 + (fat.date >> 9);
  calendar.month = (fat.date >> 5) & 0x0F;
  calendar.day = fat.date & 0x1F;
  calendar.hour = fat.time >> 11;
  calendar.minute = (fat.time >> 5) & 0x3F;
  calendar.second = (fat.time & 0x1F) * 2;
  return calendar.month >= 1 && calendar.month <= 12 && calendar.day >= 1 &&
         calendar.day <= DaysInMonth(calendar.year, calendar.month) && calendar.hour <= 23 &&
         calendar.minute <= 59 && calendar.second <= 59;
}

FileTime FileTimeFromCalendar(const CalendarTime& calendar) {
  const std::int64_t days = DaysFromCivil(calendar.year, calendar.month, calendar.day) + kEpochDays;
  const std::int64_t seconds =
      days * kSecondsPerDay + calendar.hour * 3600 + calendar.minute * 60 + calendar.second;
  return static_cast<FileTime>(seconds * kTicksPerSecond);
}

FileTime FileTimeFromFat(FatDateTime fat) {
  CalendarTime calendar;
  if (!CalendarFromFat(fat, calendar))
    return 0;
  return FileTimeFromCalendar(calendar);
}

CalendarTime CalendarFromFileTime(FileTime time) {
  const std::int64_t seconds = static_cast<std::int64_t>(time / kTicksPerSecond);
  const int secondOfDay = static_cast<int>(seconds % kSecondsPerDay);
  CalendarTime calendar;
  CivilFromDays(seconds / kSecondsPerDay - kEpochDays, calendar.year, calendar.month, calendar.day);
  calendar.hour = secondOfDay / 3600;
  calendar.minute = (secondOfDay / 60) % 60;
  calendar.second = secondOfDay % 60;
  return calendar;
}

bool FatFromFileTime(FileTime time, FatDateTime& fat) {
  const CalendarTime calendar = CalendarFromFileTime(time);
  if (calendar.year < 1980 || calendar.year > 2107)
    return false;
  fat.date = static_cast<std::uint16_t>(((calendar.year - 1980) << 9) | (calendar.month << 5) |
                                        calendar.day);
  fat.time = static_cast<std::uint16_t>((calendar.hour << 11) | (calendar.minute << 5) |
                                        (calendar.second / 2));
  return true;
}

}  // namespace pagehold
