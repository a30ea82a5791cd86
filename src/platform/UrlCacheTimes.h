// File times (100-nanosecond ticks since 1601-01-01 UTC) and the FAT file system's packed
// date and time (two-second resolution), converted both ways without any time-zone change.
//
//   FAT date word: bits 0-4 day (1-31), bits 5-8 month (1-12), bits 9-15 years since 1980
//   FAT time word: bits 0-4 seconds / 2, bits 5-10 minutes, bits 11-15 hours
#pragma once

#include <cstdint>

#include "platform/UrlCache.h"

namespace pagehold {

struct FatDateTime {
  std::uint16_t date = 0;
  std::uint16_t time = 0;
};

struct CalendarTime {
  int year = 1601, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};

// The file time of a FAT date and time; 0 when the fields name no valid moment (a zero date
// included).
FileTime FileTimeFromFat(FatDateTime fat);

// The FAT form of a file time, the seconds rounded down to even; false for a time outside the
// years 1980 to 2107 that the form can hold.
bool FatFromFileTime(FileTime time, FatDateTime& fat);

// The calendar fields of a FAT date and time; false when a field is out of its range.
bool CalendarFromFat(FatDateTime fat, CalendarTime& calendar);

// The calendar fields of a file time, to the whole second (rounded down).
CalendarTime CalendarFromFileTime(FileTime time);

// The file time of calendar fields that are known to be valid.
FileTime FileTimeFromCalendar(const CalendarTime& calendar);

}  // namespace pagehold
