// pagehold check: a sound archive passes; records without their file, files no record names and
// a damaged archive.dat are each listed and make the status 1; --remove-orphans removes only the
// files no record names, and never while archive.dat is damaged.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/Commands.h"
#include "platform/Paths.h"
#include "search/ArchiveMaker.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class CheckCommandTest : public ::testing::Test {
 protected:
  CheckCommandTest() : mimeTable(program.path()), archive(folder.path(), mimeTable) {
    kept = archive.Add("http://a.test:80/index.html", testing::Row::Html, "index.htm");
    archive.Add("http://a.test:80/logo.gif", testing::Row::Gif, "logo.gif");
  }

  int Check(Arguments args) {
    args.insert(args.begin(), "check");
    out.str("");
    err.str("");
    return RunPagehold(args, out, err);
  }

  testing::TempFolder program;
  testing::TempFolder folder;
  TMimeTable mimeTable;
  testing::ArchiveMaker archive;
  std::string kept;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(CheckCommandTest, ListsWhatIsWrongAndRemovesOrphansOnRequest) {
  archive.Save();
  EXPECT_EQ(Check({folder.path()}), 0) << out.str() << err.str();
  EXPECT_THAT(out.str(), HasSubstr("archive.dat: complete, 2 records\n"));
  // Pages beside the type folders and the pictures are not archived files.
  testing::WriteFile(folder.Child("a.test/text_index.htm"), "page");
  testing::WriteFile(folder.Child("images/text.gif"), "picture");

  const std::string orphan = folder.Child("a.test/image/logo(1).gif");
  testing::WriteFile(orphan, "left by a killed run");
  fs::remove(kept);
  EXPECT_EQ(Check({folder.path()}), 1);
  EXPECT_THAT(out.str(), HasSubstr("missing file: " + kept + " (http://a.test:80/index.html)\n"));
  EXPECT_THAT(out.str(), HasSubstr("file no record names: " + orphan + "\n"));

  EXPECT_EQ(Check({folder.path(), "--remove-orphans"}), 1);  // the missing file remains
  EXPECT_THAT(err.str(), HasSubstr("removing 1 files that no record names"));
  EXPECT_FALSE(fs::exists(orphan));
  EXPECT_TRUE(fs::exists(folder.Child("a.test/text_index.htm")));

  // While archive.dat is damaged, records that cannot be read may name such files.
  testing::WriteFile(orphan, "again");
  archive.Save("garbage after the records");
  EXPECT_EQ(Check({folder.path(), "--remove-orphans"}), 1);
  EXPECT_THAT(out.str(), HasSubstr("archive.dat: damaged at byte"));
  EXPECT_TRUE(fs::exists(orphan));
}

}  // namespace
}  // namespace pagehold
