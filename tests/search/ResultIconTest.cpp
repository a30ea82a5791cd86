#include "search/ResultIcon.h"

#include <gtest/gtest.h>

namespace pagehold {
namespace {

TEST(ResultIconTest, FollowsTheFirstFiveCharactersOfTheTypeName) {
  const struct {
    const char* type;
    ResultIcon icon;
  } cases[] = {
      {"text/html", ResultIcon::Text},
      {"text/plain", ResultIcon::Text},
      {"image/gif", ResultIcon::Image},
      {"imagery/x", ResultIcon::Image},
      {"audio/x-wav", ResultIcon::Audio},
      {"video/mpeg", ResultIcon::Video},
      {"application/pdf", ResultIcon::Other},
      {"www/unknown", ResultIcon::Other},
      {"textual/x", ResultIcon::Other},
      {"Text/html", ResultIcon::Other},
      {"text", ResultIcon::Other},
      {"", ResultIcon::Other},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResultIconOf(c.type), c.icon) << c.type;
}

}  // namespace
}  // namespace pagehold
