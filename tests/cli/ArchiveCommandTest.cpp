// pagehold archive on the bundled samples: the folder question, the printed index page, the
// filters, and both products' naming.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CommandRun.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::ReadFile;
using testing::SamplesDir;
using testing::TempFolder;

using Outcome = testing::CommandRun;

Outcome Archive(Arguments args) {
  args.insert(args.begin(), "archive");
  return testing::RunCommand(args);
}

class ArchiveCommandTest : public ::testing::Test {
 protected:
  std::string NavIndex() const { return JoinPath(SamplesDir(), "nav/fat.db"); }
  std::string IeFolder() const { return JoinPath(SamplesDir(), "ie"); }

  TempFolder temp;
  std::string folder = temp.Child("archive");
};

TEST_F(ArchiveCommandTest, BadUsageIsRefusedWithAReason) {
  struct Case {
    Arguments args;
    const char* reason;
  } cases[] = {
      {{"--nav", NavIndex()}, "--to FOLDER is required"},
      {{"--nav", NavIndex(), "--to"}, "--to"},
      {{"--nav", NavIndex(), "--to", folder, "--to", folder}, "--to"},
      {{"--nav", NavIndex(), "--to", folder, "stray"}, "stray"},
      {{"--to", folder}, ""},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Archive(c.args);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_THAT(outcome.err, HasSubstr("pagehold archive: "));
    EXPECT_THAT(outcome.err, HasSubstr(c.reason));
    EXPECT_EQ(outcome.out, "");
  }
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(ArchiveCommandTest, AMissingFolderIsCreatedOnlyWithYes) {
  const Outcome refused = Archive({"--nav", NavIndex(), "--to", folder});
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("does not exist. Create?"));
  EXPECT_THAT(refused.err, HasSubstr(folder));
  EXPECT_EQ(refused.out, "");
  EXPECT_FALSE(fs::exists(folder));

  const Outcome done = Archive({"--nav", NavIndex(), "--to", folder, "--yes"});
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(done.out, JoinPath(folder, "1st_page.htm") + "\n");
  EXPECT_TRUE(fs::exists(JoinPath(folder, "1st_page.htm")));
  EXPECT_THAT(done.err, HasSubstr("archived 12 of 12 items"));

  // The garden's front page now leads to the archived copies.
  const std::string front = ReadFile(JoinPath(folder, "www.example-garden.test/text/index.htm"));
  EXPECT_THAT(front, HasSubstr("HREF=\"../../www.example-garden.test/text/roses.htm\""));
  EXPECT_THAT(front, HasSubstr("SRC=\"../../www.example-garden.test/image/rose.gif\""));
}

TEST_F(ArchiveCommandTest, AnExistingFolderNeedsNoQuestion) {
  fs::create_directories(folder);
  const Outcome done = Archive({"--nav", NavIndex(), "--to", folder, "--domain",
                                "www.example-bikes.test", "--kinds", "media"});
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_TRUE(fs::exists(JoinPath(folder, "www.example-bikes.test/image/bike.gif")));
  EXPECT_FALSE(fs::exists(JoinPath(folder, "www.example-bikes.test/text")));
  EXPECT_FALSE(fs::exists(JoinPath(folder, "www.example-garden.test")));
}

TEST_F(ArchiveCommandTest, NothingChosenIsNothingToDo) {
  fs::create_directories(folder);
  const Outcome outcome =
      Archive({"--nav", NavIndex(), "--to", folder, "--domain", "nowhere.test"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_THAT(outcome.err, HasSubstr("nothing to archive"));
  EXPECT_FALSE(fs::exists(JoinPath(folder, "archive.dat")));
}

TEST_F(ArchiveCommandTest, InternetExplorerCopiesKeepTheirCachedNames) {
  if (!fs::exists(JoinPath(IeFolder(), "index.dat")))
    GTEST_SKIP() << "samples/ie is not there";
  const Outcome done = Archive({"--ie", IeFolder(), "--to", folder, "--yes"});
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_TRUE(fs::exists(JoinPath(folder, "www.example-garden.test/text/index[1].htm")));
  EXPECT_TRUE(fs::exists(JoinPath(folder, "img.example-garden.test/image/bed[1].jpg")));
}

}  // namespace
}  // namespace pagehold
