#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"

namespace pagehold {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(RunPagehold, ShowsUsageOnRequestAndRefusesWhatItDoesNotKnow) {
  struct {
    Arguments args;
    int status;
    bool usageOnOut;
    const char* errStart;
  } const cases[] = {
      {{"--help"}, 0, true, ""},
      {{"-h"}, 0, true, ""},
      {{}, 2, false, "usage:\n"},
      {{"frobnicate"}, 2, false, "pagehold: unknown command 'frobnicate'\nusage:\n"},
      {{"List"}, 2, false, "pagehold: unknown command 'List'\n"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunPagehold(c.args, out, err), c.status);
    EXPECT_EQ(out.str().find("usage:\n") == 0, c.usageOnOut);
    EXPECT_THAT(err.str(), StartsWith(c.errStart));
    if (!c.usageOnOut) {
      EXPECT_THAT(err.str(), HasSubstr("SOURCE:  --nav INDEX_FILE | --ie CACHE_FOLDER"));
    }
  }
}

}  // namespace
}  // namespace pagehold
