#include "cache/Dates.h"

#include <gtest/gtest.h>

namespace pagehold {
namespace {

TEST(DatesTest, DayCountsStartAt30December1899) {
  EXPECT_EQ(EncodeDate({1899, 12, 30}), 0.0);
  EXPECT_EQ(EncodeDate({1900, 1, 1}), 2.0);
  EXPECT_EQ(EncodeDate({1970, 1, 1}), 25569.0);
  EXPECT_EQ(EncodeDate({2000, 3, 1, 12, 0, 0, 0}), 36586.5);
}

TEST(DatesTest, DecodeReversesEncode) {
  const DateParts parts{1998, 7, 14, 23, 59, 58, 0};
  const DateParts back = DecodeDate(EncodeDate(parts));
  EXPECT_EQ(back.year, 1998);
  EXPECT_EQ(back.month, 7);
  EXPECT_EQ(back.day, 14);
  EXPECT_EQ(back.hour, 23);
  EXPECT_EQ(back.minute, 59);
  EXPECT_EQ(back.second, 58);
}

TEST(DatesTest, NowIsAfterTheYear2020) {
  EXPECT_GT(Now(), EncodeDate({2020, 1, 1}));
}

}  // namespace
}  // namespace pagehold
