// The date on the domain list of the index pages, in the user's short date format.
//
// Patterns use the letters d, m and y in the customary way, without regard to their case: d and
// dd the day, m and mm the month number, mmm and mmmm its English name, yy the year's last two
// digits and yyyy (or a single y) all of it. Text in single or double quotes and any other
// character is copied as it stands.
#pragma once

#include <string>
#include <string_view>

#include "cache/Dates.h"

namespace pagehold {

// Used when the system gives no short date format.
inline constexpr char kDefaultShortDatePattern[] = "m/d/yy";

std::string FormatShortDate(const DateParts& date, std::string_view pattern);

// The pattern for a C library date format (%d, %e, %m, %y, %Y and literal characters), or the
// default pattern when the format holds anything else. The C locale's own "%m/%d/%y" means that
// the user set nothing, and also gives the default pattern.
std::string PatternFromCFormat(std::string_view format);

// The user's short date pattern: the regional settings on Windows, the LC_TIME locale elsewhere.
std::string UserShortDatePattern();

// Today's local date in the user's short date pattern.
std::string TodayShortDate();

}  // namespace pagehold
