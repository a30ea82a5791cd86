// Days of the proleptic Gregorian calendar counted from 1970-01-01, both ways. Day-count dates
// and the file times of cache indexes both build on it.
#pragma once

#include <cstdint>

namespace pagehold {

std::int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(std::int64_t days, int& year, int& month, int& day);

}  // namespace pagehold
