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
  EXPECT_EQ(options.age, AgeChoice::OlderThan);
  EXPECT_EQ(options.ageNumber, 12);
  EXPECT_EQ(options.ageUnit, AgeUnit::Hours);
  EXPECT_THAT(options.domains, ElementsAre("a.example", "B.example"));
  EXPECT_TRUE(options.kinds.text);
  EXPECT_FALSE(options.kinds.media);
  EXPECT_TRUE(options.kinds.other);
  EXPECT_THAT(options.rest, ElementsAre("--to", "out", "--yes"));
}

TEST(ParseSourceOptions, DefaultsToAllAgesEveryDomainAndEveryKind) {
  SourceOptions options;
  std::string reason;
  ASSERT_TRUE(ParseSourceOptions({"--nav", "fat.db"}, options, reason));
  EXPECT_EQ(options.product, Product::Navigator);
  EXPECT_EQ(options.age, AgeChoice::AllAges);
  EXPECT_THAT(options.domains, IsEmpty());
  EXPECT_TRUE(options.kinds.AllChecked());
  EXPECT_THAT(options.rest, IsEmpty());
}

TEST(ParseSourceOptions, ReadsEachAgeUnit) {
  struct {
    const char* text;
    int number;
    AgeUnit unit;
  } const cases[] = {{"6h", 6, AgeUnit::Hours},
                     {"2d", 2, AgeUnit::Days},
                     {"3w", 3, AgeUnit::Weeks},
                     {"18H", 18, AgeUnit::Hours}};
  for (const auto& c : cases) {
    SourceOptions options;
    std::string reason;
    ASSERT_TRUE(ParseSourceOptions({"--nav", "x", "--newer", c.text}, options, reason)) << c.text;
    EXPECT_EQ(options.age, AgeChoice::NewerThan);
    EXPECT_EQ(options.ageNumber, c.number) << c.text;
    EXPECT_EQ(options.ageUnit, c.unit) << c.text;
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
      {{"--nav", "a", "--newer", "6h", "--older", "1d"}, "one age only"},
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

class OfferedAges : public CacheSource {
 public:
  bool ReadCache(CacheList&, Interaction&) override { return true; }
  void RemoveFromCache(const ItemRefs&, Interaction&, RemovalReport&) override {}
  std::vector<int> AgeNumbers(AgeUnit unit) const override {
    return unit == AgeUnit::Hours ? std::vector<int>{6, 12, 18} : std::vector<int>{1, 2, 3};
  }
  NamingRule FileNamingRule() const override { return NamingRule::FromUrl; }
};

TEST(CheckAgeOffered, AcceptsOnlyTheNumbersTheSourceOffers) {
  struct {
    Arguments args;
    bool offered;
  } const cases[] = {
      {{"--nav", "a"}, true},
      {{"--nav", "a", "--newer", "6h"}, true},
      {{"--nav", "a", "--newer", "1h"}, false},
      {{"--nav", "a", "--older", "3w"}, true},
      {{"--nav", "a", "--older", "4d"}, false},
  };
  const OfferedAges source;
  for (const auto& c : cases) {
    SourceOptions options;
    std::string reason;
    ASSERT_TRUE(ParseSourceOptions(c.args, options, reason));
    EXPECT_EQ(CheckAgeOffered(options, source, reason), c.offered) << c.args.back();
    if (!c.offered) {
      EXPECT_THAT(reason, HasSubstr("choose one of"));
    }
  }
  SourceOptions options;
  std::string reason;
  ASSERT_TRUE(ParseSourceOptions({"--nav", "a", "--newer", "5h"}, options, reason));
  EXPECT_FALSE(CheckAgeOffered(options, source, reason));
  EXPECT_EQ(reason, "the age 5h is not offered for this cache; choose one of 6, 12, 18 hours");
}

}  // namespace
}  // namespace pagehold
