#include "platform/UrlCacheTimes.h"

#include "platform/CivilDays.h"

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
