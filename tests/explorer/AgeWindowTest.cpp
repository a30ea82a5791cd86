#include "explorer/AgeWindow.h"

#include <gtest/gtest.h>

namespace pagehold {
namespace {

constexpr double kNow = 46000.75;  // a fixed "now", an evening in late 2025

struct AgeCase {
  const char* name;
  AgeChoice choice;
  int number;
  AgeUnit unit;
  double date;
  bool inside;
};

class AgeWindowCases : public ::testing::TestWithParam<AgeCase> {};

TEST_P(AgeWindowCases, DecidesWhetherTheDateIsInside) {
  const AgeCase& c = GetParam();
  const AgeWindow window = MakeAgeWindow(c.choice, c.number, c.unit, kNow);
  EXPECT_EQ(window.Contains(c.date), c.inside)
      << c.name << ": window (" << window.DateLow << ", " << window.DateHigh << ")";
}

// Both bounds are exclusive; "now" is computed once, so "exactly six hours ago" is the bound
// itself.
INSTANTIATE_TEST_SUITE_P(
    Bounds, AgeWindowCases,
    ::testing::Values(
        AgeCase{"newer 6h, exactly six hours ago", AgeChoice::NewerThan, 6, AgeUnit::Hours,
                kNow - 6.0 / 24, false},
        AgeCase{"newer 6h, five hours ago", AgeChoice::NewerThan, 6, AgeUnit::Hours,
                kNow - 5.0 / 24, true},
        AgeCase{"newer 6h, far future", AgeChoice::NewerThan, 6, AgeUnit::Hours, kNow + 9999.99,
                true},
        AgeCase{"newer 6h, at the future reach", AgeChoice::NewerThan, 6, AgeUnit::Hours,
                kNow + 10000, false},
        AgeCase{"older 1d, exactly one day old", AgeChoice::OlderThan, 1, AgeUnit::Days, kNow - 1,
                false},
        AgeCase{"older 1d, a minute more", AgeChoice::OlderThan, 1, AgeUnit::Days,
                kNow - 1 - 1.0 / 1440, true},
        AgeCase{"older 1d, twelve hours old", AgeChoice::OlderThan, 1, AgeUnit::Days, kNow - 0.5,
                false},
        AgeCase{"older 1d, no date", AgeChoice::OlderThan, 1, AgeUnit::Days, 0, false},
        AgeCase{"older 2w, exactly fourteen days", AgeChoice::OlderThan, 2, AgeUnit::Weeks,
                kNow - 14, false},
        AgeCase{"older 2w, thirteen days", AgeChoice::OlderThan, 2, AgeUnit::Weeks, kNow - 13,
                false},
        AgeCase{"older 2w, fifteen days", AgeChoice::OlderThan, 2, AgeUnit::Weeks, kNow - 15, true},
        AgeCase{"newer 3d, two days", AgeChoice::NewerThan, 3, AgeUnit::Days, kNow - 2, true},
        AgeCase{"newer 3d, four days", AgeChoice::NewerThan, 3, AgeUnit::Days, kNow - 4, false},
        AgeCase{"all ages, no date", AgeChoice::AllAges, 6, AgeUnit::Hours, 0, false},
        AgeCase{"all ages, before the epoch", AgeChoice::AllAges, 6, AgeUnit::Hours, -1, false},
        AgeCase{"all ages, just after the epoch", AgeChoice::AllAges, 6, AgeUnit::Hours, 1e-6,
                true},
        AgeCase{"all ages, 10000 days ahead less a bit", AgeChoice::AllAges, 6, AgeUnit::Hours,
                kNow + 10000 - 1e-3, true},
        AgeCase{"all ages, 10000 days ahead", AgeChoice::AllAges, 6, AgeUnit::Hours, kNow + 10000,
                false}));

TEST(AgeSpanDays, ConvertsEachUnitToDays) {
  EXPECT_DOUBLE_EQ(AgeSpanDays(6, AgeUnit::Hours), 0.25);
  EXPECT_DOUBLE_EQ(AgeSpanDays(1, AgeUnit::Hours), 1.0 / 24);
  EXPECT_DOUBLE_EQ(AgeSpanDays(4, AgeUnit::Days), 4);
  EXPECT_DOUBLE_EQ(AgeSpanDays(3, AgeUnit::Weeks), 21);
}

}  // namespace
}  // namespace pagehold
