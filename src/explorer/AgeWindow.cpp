#include "explorer/AgeWindow.h"

namespace pagehold {

double AgeSpanDays(int number, AgeUnit unit) {
  switch (unit) {
    case AgeUnit::Hours:
      return number / 24.0;
    case AgeUnit::Days:
      return number;
    case AgeUnit::Weeks:
      return 7.0 * number;
  }
  return number;
}

AgeWindow MakeAgeWindow(AgeChoice choice, int number, AgeUnit unit, double now) {
  const double span = AgeSpanDays(number, unit);
  switch (choice) {
    case AgeChoice::NewerThan:
      return {now - span, now + kFutureReachDays};
    case AgeChoice::OlderThan:
      return {0, now - span};
    case AgeChoice::AllAges:
      break;
  }
  return {0, now + kFutureReachDays};
}

AgeWindow MakeAgeWindowBetween(std::optional<double> newerDays, std::optional<double> olderDays,
                               double now) {
  return {newerDays ? now - *newerDays : 0, olderDays ? now - *olderDays : now + kFutureReachDays};
}

}  // namespace pagehold
