#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
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
      {{"help"}, 0, true, ""},
      {{}, 2, false, "usage:\n"},
      {{"frobnicate"}, 2, false, "pagehold: unknown command 'frobnicate'\nusage:\n"},
      {{"List"}, 2, false, "pagehold: unknown command 'List'; did you mean 'list'?\n"},
      {{"lsit", "--nav", "x"}, 2, false, "pagehold: unknown command 'lsit'; did you mean 'list'?"},
      {{"help", "--help"}, 0, true, ""},
      {{"help", "chekc"},
       2,
       false,
       "pagehold help: unknown command 'chekc'; did you mean 'check'?"},
      {{"hlep"}, 2, false, "pagehold: unknown command 'hlep'; did you mean 'help'?"},
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
  std::ostringstream out;
  std::ostringstream err;
  for (const char* command :
       {"list", "domains", "archive", "delete", "reindex", "search", "check"}) {
    out.str("");
    EXPECT_EQ(RunPagehold({command, "--nav", "missing", "--help"}, out, err), 0) << command;
    EXPECT_THAT(out.str(), StartsWith(std::string("usage: pagehold ") + command + " "));
  }
  out.str("");
  EXPECT_EQ(RunPagehold({"help", "search"}, out, err), 0);
  EXPECT_THAT(out.str(), StartsWith("usage: pagehold search "));
  out.str("");
  EXPECT_EQ(RunPagehold({"--version"}, out, err), 0);
  // std::regex: GoogleTest's own expressions on Windows know no brackets.
  EXPECT_TRUE(std::regex_match(out.str(), std::regex("pagehold [0-9.]+\n"))) << out.str();
}

}  // namespace
}  // namespace pagehold
