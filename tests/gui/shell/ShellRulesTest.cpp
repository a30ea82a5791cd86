// The small rules of the application shell: the version line, the help topics and the
// single-instance names and requests.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "gui/shell/HelpContexts.h"
#include "gui/shell/InstanceHandOver.h"
#include "gui/shell/ShellTexts.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace help = help_contexts;

TEST(ShellTextsTest, VersionLineNamesVersionAndBuild) {
  EXPECT_EQ(shell_texts::VersionLine(), "Version 6.1 (Build 613)");
  EXPECT_EQ(shell_texts::PercentLabel(7), "7%");
}

TEST(HelpContextsTest, EveryContextHasAPageWithItsAnchorInTheBook) {
  const std::vector<int> contexts = {1,  5,  11, 12, 15, 16, 17, 21, 22,
                                     23, 24, 36, 39, 40, 41, 42, 43};
  for (const int context : contexts) {
    const std::optional<std::string> topic = help::HelpPageOf(context);
    ASSERT_TRUE(topic) << context;
    const std::string page = topic->substr(0, topic->find('#'));
    std::ifstream file(testing::SourceDir() + "/data/help/" + page);
    ASSERT_TRUE(file) << page;
    std::stringstream text;
    text << file.rdbuf();
    if (topic->find('#') != std::string::npos) {
      const std::string anchor = "name=\"" + topic->substr(topic->find('#') + 1) + "\"";
      EXPECT_NE(text.str().find(anchor), std::string::npos) << *topic;
    }
  }
  EXPECT_FALSE(help::HelpPageOf(0));
  EXPECT_FALSE(help::HelpPageOf(2));
}

TEST(InstanceHandOverTest, GuardIsKeyedOnTheProgramFileName) {
  EXPECT_EQ(InstanceGuardName("/usr/bin/pagehold-nav"),
            "pagehold-nav-- Mutex identifier Corvane function CheckForSingleInstance()");
  EXPECT_NE(InstanceGuardName("/a/pagehold-nav"), InstanceGuardName("/a/pagehold-ie"));
}

TEST(InstanceHandOverTest, ChannelLiesInTheRuntimeFolderWhenThereIsOne) {
  EXPECT_EQ(HandOverSocketPath("/b/pagehold-ie", "/run/user/5", "/tmp/pagehold-5"),
            "/run/user/5/pagehold-pagehold-ie.socket");
  for (const char* runtime : {static_cast<const char*>(nullptr), "", "relative"}) {
    EXPECT_EQ(HandOverSocketPath("/b/pagehold-ie", runtime, PrivateTemporaryFolder("/tmp", 5)),
              "/tmp/pagehold-5/pagehold-pagehold-ie.socket");
  }
}

TEST(InstanceHandOverTest, RequestsSurviveTheirTextForm) {
  for (const std::optional<std::string>& argument :
       {std::optional<std::string>(), std::optional<std::string>(""),
        std::optional<std::string>("/cache dir/fat.db\twith tab")}) {
    const std::optional<HandOverRequest> decoded = DecodeHandOver(EncodeHandOver({argument}));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->argument, argument);
  }
  for (const char* text : {"", "rais", "raised", "open\t/x", "raise /x"})
    EXPECT_FALSE(DecodeHandOver(text)) << text;
}

}  // namespace
}  // namespace pagehold
