// Dates as day counts: whole days since 30 December 1899 with the time of day as the fraction,
// in local time. Cache items, the age window and the index pages all use this scale.
#pragma once

#include <cstdint>

namespace pagehold {

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Days from 1899-12-30 to the given calendar date and time (proleptic Gregorian).
double EncodeDate(const DateParts& parts);
DateParts DecodeDate(double date);

// Seconds since 1970-01-01 UTC, converted to local time, as a day count.
double DateFromUnixSeconds(std::int64_t seconds);

// Local date and time of this moment.
double Now();

}  // namespace pagehold
