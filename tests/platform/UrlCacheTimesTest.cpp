// File times and FAT dates and times, both ways, at the edges of the FAT range.
#include <gtest/gtest.h>

#include "iecache/IeCacheWriter.h"
#include "platform/UrlCacheTimes.h"

namespace pagehold {
namespace {

using testgen::MakeFileTime;

TEST(UrlCacheTimes, FileTimeToFat) {
  const struct {
    FileTime time;
    bool fits;
    std::uint16_t date, time16;
  } kCases[] = {
      {MakeFileTime(1980, 1, 1, 0, 0, 0), true, 0x0021, 0x0000},
      {MakeFileTime(2015, 8, 25, 11, 5, 30), true, (35 << 9) | (8 << 5) | 25,
       (11 << 11) | (5 << 5) | 15},
      // Odd seconds and fractions are rounded down to the two-second step.
      {MakeFileTime(2015, 8, 25, 11, 5, 31, 999), true, (35 << 9) | (8 << 5) | 25,
       (11 << 11) | (5 << 5) | 15},
      {MakeFileTime(2000, 2, 29, 23, 59, 59), true, (20 << 9) | (2 << 5) | 29,
       (23 << 11) | (59 << 5) | 29},
      {MakeFileTime(2107, 12, 31, 23, 59, 58), true, (127 << 9) | (12 << 5) | 31,
       (23 << 11) | (59 << 5) | 29},
      {MakeFileTime(1979, 12, 31, 23, 59, 59), false, 0, 0},
      {MakeFileTime(2108, 1, 1, 0, 0, 0), false, 0, 0},
      {0, false, 0, 0},
  };
  for (const auto& c : kCases) {
    FatDateTime fat;
    ASSERT_EQ(FatFromFileTime(c.time, fat), c.fits) << c.time;
    if (!c.fits)
      continue;
    EXPECT_EQ(fat.date, c.date) << c.time;
    EXPECT_EQ(fat.time, c.time16) << c.time;
  }
}

TEST(UrlCacheTimes, FatToFileTime) {
  const auto fat = [](int year, int month, int day, int hour, int minute, int halfSeconds) {
    return FatDateTime{static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day),
                       static_cast<std::uint16_t>((hour << 11) | (minute << 5) | halfSeconds)};
  };
  const struct {
    FatDateTime fat;
    FileTime expected;
  } kCases[] = {
      {fat(2015, 8, 25, 11, 5, 15), MakeFileTime(2015, 8, 25, 11, 5, 30)},
      {fat(2000, 2, 29, 0, 0, 0), MakeFileTime(2000, 2, 29, 0, 0, 0)},
      {fat(1980, 1, 1, 0, 0, 0), MakeFileTime(1980, 1, 1, 0, 0, 0)},
      {{0, 0}, 0},                     // not set
      {fat(2001, 0, 1, 0, 0, 0), 0},   // month 0
      {fat(2001, 13, 1, 0, 0, 0), 0},  // month 13
      {fat(2001, 2, 29, 0, 0, 0), 0},  // not a leap year
      {fat(2100, 2, 29, 0, 0, 0), 0},  // nor is 2100
      {fat(2001, 4, 31, 0, 0, 0), 0},  // April has 30 days
      {fat(2001, 4, 0, 0, 0, 0), 0},   // day 0
      {fat(2001, 4, 1, 24, 0, 0), 0},  // hour 24
      {fat(2001, 4, 1, 0, 60, 0), 0},  // minute 60
      {fat(2001, 4, 1, 0, 0, 30), 0},  // second 60
      {{0xFFFF, 0xFFFF}, 0},           // "never"
  };
  for (const auto& c : kCases)
    EXPECT_EQ(FileTimeFromFat(c.fat), c.expected) << c.fat.date << " " << c.fat.time;
}

TEST(UrlCacheTimes, CalendarOfAFileTime) {
  const CalendarTime c = CalendarFromFileTime(MakeFileTime(1601, 1, 1, 0, 0, 0));
  EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, 16010101);
  const CalendarTime d = CalendarFromFileTime(MakeFileTime(2044, 12, 31, 23, 58, 7, 900));
  EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 20441231);
  EXPECT_EQ(d.hour * 10000 + d.minute * 100 + d.second, 235807);
}

}  // namespace
}  // namespace pagehold
