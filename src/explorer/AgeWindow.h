// The age window of the Cache Explorer: the choice "All ages", "Newer than" or "Older than" a
// number of hours, days or weeks, turned into two day-count bounds around the items' dates.
#pragma once

#include <optional>

#include "sources/CacheSource.h"

namespace pagehold {

enum class AgeChoice { AllAges, NewerThan, OlderThan };

// How far into the future "All ages" and "Newer than" reach, in days: far enough that a cache
// item with a clock-skewed date still counts.
inline constexpr double kFutureReachDays = 10000;

struct AgeWindow {
  double DateLow = 0;
  double DateHigh = 0;

  // Both bounds are exclusive: an item dated exactly at the bound is outside. This is what keeps
  // an item with no date (Date 0) out of every window.
  bool Contains(double date) const { return DateLow < date && date < DateHigh; }
};

// The span of N units in days: an hour is N / 24, a week 7 N.
double AgeSpanDays(int number, AgeUnit unit);

// The window for an age choice as of now. For "All ages" the number and unit do not matter.
AgeWindow MakeAgeWindow(AgeChoice choice, int number, AgeUnit unit, double now);

// The window between two optional spans in days as of now: newer than newerDays (when given)
// and older than olderDays (when given); with one span it is the window of that choice alone.
AgeWindow MakeAgeWindowBetween(std::optional<double> newerDays, std::optional<double> olderDays,
                               double now);

}  // namespace pagehold
