#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"

namespace pagehold {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
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
      {{"help"}, 0, true, ""},
      {{}, 2, false, "usage:\n"},
      {{"frobnicate"}, 2, false, "pagehold: unknown command 'frobnicate'\nusage:\n"},
      {{"List"}, 2, false, "pagehold: unknown command 'List'; did you mean 'list'?\n"},
      {{"lsit", "--nav", "x"}, 2, false, "pagehold: unknown command 'lsit'; did you mean 'list'?"},
      {{"serach"}, 2, false, "pagehold: unknown command 'serach'; did you mean 'search'?"},
      {{"domain"}, 2, false, "pagehold: unknown command 'domain'; did you mean 'domains'?"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunPagehold(c.args, out, err), c.status);
    EXPECT_EQ(out.str().find("usage:\n") == 0, c.usageOnOut);
    EXPECT_THAT(err.str(), StartsWith(c.errStart));
    EXPECT_THAT(c.usageOnOut ? out.str() : err.str(),
                HasSubstr("SOURCE:  --nav INDEX_FILE     a Navigator cache index"));
  }
}

// Every command explains itself, on stdout with status 0, whatever else is on its line.
TEST(RunPagehold, EveryCommandHasItsHelpAndTheVersionIsSaid) {
  for (const char* command :
       {"list", "domains", "archive", "delete", "reindex", "search", "check"}) {
    for (const Arguments& args : {Arguments{command, "--help"}, Arguments{"help", command},
                                  Arguments{command, "--nav", "missing", "-h"}}) {
      std::ostringstream out;
      std::ostringstream err;
      EXPECT_EQ(RunPagehold(args, out, err), 0) << command;
      EXPECT_THAT(out.str(), StartsWith(std::string("usage: pagehold ") + command + " "));
      EXPECT_EQ(err.str(), "");
    }
  }
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunPagehold({"--version"}, out, err), 0);
  EXPECT_THAT(out.str(), ::testing::MatchesRegex("pagehold [0-9]+\\.[0-9]+.*\n"));
  EXPECT_EQ(RunPagehold({"help", "lsit"}, out, err), 2);
  EXPECT_THAT(err.str(), HasSubstr("pagehold help: no command 'lsit'"));
  EXPECT_THAT(err.str(), Not(HasSubstr("usage")));
}

}  // namespace
}  // namespace pagehold
