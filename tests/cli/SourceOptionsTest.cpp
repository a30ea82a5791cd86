#include "cli/SourceOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pagehold {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(ParseSourceOptions, ReadsSourceAndFiltersAndLeavesTheRest) {
  SourceOptions options;
  std::string reason;
  ASSERT_TRUE(
      ParseSourceOptions({"--to", "out", "--ie", "C:/cache", "--older", "12h", "--domain",
                          "a.example", "--kinds", "Text,other", "--yes", "--domain", "B.example"},
                         options, reason))
      << reason;
  EXPECT_EQ(options.product, Product::InternetExplorer);
  EXPECT_EQ(options.sourcePath, "C:/cache");
  EXPECT_FALSE(options.newer);
  ASSERT_TRUE(options.older);
  EXPECT_EQ(options.older->number, 12);
  EXPECT_EQ(options.older->unit, AgeUnit::Hours);
  EXPECT_THAT(options.domains, ElementsAre("a.example", "B.example"));
  EXPECT_TRUE(options.kinds.text);
  EXPECT_FALSE(options.kinds.media);
  EXPECT_TRUE(options.kinds.other);
  EXPECT_THAT(options.rest, ElementsAre("--to", "out", "--yes"));
  EXPECT_FALSE(options.partialOk);
}

TEST(ParseSourceOptions, DefaultsToAllAgesEveryDomainAndEveryKind) {
  SourceOptions options;
  std::string reason;
  ASSERT_TRUE(ParseSourceOptions({"--nav", "fat.db"}, options, reason));
  EXPECT_EQ(options.product, Product::Navigator);
  EXPECT_FALSE(options.newer || options.older);
  EXPECT_THAT(options.domains, IsEmpty());
  EXPECT_TRUE(options.kinds.AllChecked());
  EXPECT_THAT(options.rest, IsEmpty());
}

TEST(ParseSourceOptions, ReadsEachAgeUnit) {
  struct {
    const char* text;
    int number;
    AgeUnit unit;
  } const cases[] = {{"6h", 6, AgeUnit::Hours}, {"2d", 2, AgeUnit::Days},
                     {"3w", 3, AgeUnit::Weeks}, {"18H", 18, AgeUnit::Hours},
                     {"5h", 5, AgeUnit::Hours}, {"100d", 100, AgeUnit::Days}};
  for (const auto& c : cases) {
    SourceOptions options;
    std::string reason;
    ASSERT_TRUE(ParseSourceOptions({"--nav", "x", "--newer", c.text}, options, reason)) << c.text;
    ASSERT_TRUE(options.newer);
    EXPECT_EQ(options.newer->number, c.number) << c.text;
    EXPECT_EQ(options.newer->unit, c.unit) << c.text;
  }
}

TEST(ParseSourceOptions, RefusesBadUsageWithAReason) {
  struct {
    Arguments args;
    const char* reason;
  } const cases[] = {
      {{}, "no cache given"},
      {{"--domain", "a"}, "no cache given"},
      {{"--nav"}, "--nav needs a value"},
      {{"--nav", "--kinds", "text"}, "--nav needs a value"},
      {{"--nav", "a", "--ie", "b"}, "one cache only"},
      {{"--nav", "a", "--nav", "b"}, "one cache only"},
      {{"--nav", "a", "--newer", "6"}, "like 6h"},
      {{"--nav", "a", "--newer", "h"}, "like 6h"},
      {{"--nav", "a", "--newer", "6x"}, "like 6h"},
      {{"--nav", "a", "--newer", "0d"}, "like 6h"},
      {{"--nav", "a", "--newer", "-1d"}, "like 6h"},
      {{"--nav", "a", "--newer", "+1d"}, "like 6h"},
      {{"--nav", "a", "--older", "99999999999d"}, "like 6h"},
      {{"--nav", "a", "--newer", "6h", "--older", "1d"}, "leave no age between them"},
      {{"--nav", "a", "--newer", "1d", "--older", "24h"}, "leave no age between them"},
      {{"--nav", "a", "--newer", "1d", "--newer", "2d"}, "--newer once"},
      {{"--nav", "a", "--older"}, "--older needs a value"},
      {{"--nav", "a", "--domain"}, "--domain needs a value"},
      {{"--nav", "a", "--kinds", "text,pictures"}, "'pictures'"},
      {{"--nav", "a", "--kinds", ""}, "--kinds takes"},
      {{"--nav", "a", "--kinds", "text,"}, "--kinds takes"},
      {{"--nav", "a", "--kinds", "text", "--kinds", "media"}, "--kinds once"},
  };
  for (const auto& c : cases) {
    SourceOptions options;
    std::string reason;
    EXPECT_FALSE(ParseSourceOptions(c.args, options, reason)) << c.reason;
    EXPECT_THAT(reason, HasSubstr(c.reason));
    EXPECT_EQ(reason.find('\n'), std::string::npos);
  }
}

}  // namespace
}  // namespace pagehold
