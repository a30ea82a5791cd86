#include "cache/Folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(FoldersTest, DirectoryExistsOnlyForFolders) {
  TempFolder folder;
  WriteFile(folder.Child("file.txt"), "x");
  EXPECT_TRUE(DirectoryExists(folder.path()));
  EXPECT_FALSE(DirectoryExists(folder.Child("file.txt")));
  EXPECT_FALSE(DirectoryExists(folder.Child("missing")));
  EXPECT_FALSE(DirectoryExists(""));
}

TEST(FoldersTest, ForceFolderCreatesEveryMissingParent) {
  TempFolder folder;
  const std::string cases[] = {"A/B/C/", "D/E/F", "G\\", "H/I/J/K"};
  const std::string created[] = {"A/B/C", "D/E/F", "G", "H/I/J/K"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_TRUE(ForceFolder(folder.path() + cases[i])) << cases[i];
    EXPECT_TRUE(DirectoryExists(folder.path() + created[i])) << cases[i];
  }
  EXPECT_TRUE(ForceFolder(folder.path() + "A/B/C/"));  // existing: nothing to do, no error
  EXPECT_TRUE(DirectoryExists(folder.path() + "A/B/C"));
}

TEST(FoldersTest, ForceFolderNamesTheFolderItCouldNotMake) {
  TempFolder folder;
  WriteFile(folder.Child("file"), "x");
  const Status made = ForceFolder(folder.Child("file/sub/deeper"));
  ASSERT_FALSE(made);
  EXPECT_EQ(made.failure().subject, folder.Child("file"));  // a file where a folder goes
  EXPECT_FALSE(DirectoryExists(folder.Child("file/sub")));
  EXPECT_TRUE(ForceFolder("/"));

  try {
    (void)ForceFolder("");
    ADD_FAILURE() << "an empty path must be refused";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Unable to create directory");
  }
}

TEST(FoldersTest, ForceFolderCreatesShortRelativeFolders) {
  TempFolder folder;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  EXPECT_TRUE(ForceFolder("ab"));
  EXPECT_TRUE(ForceFolder("xyz/q"));
  const bool shortMade = DirectoryExists("ab");
  const bool nestedMade = DirectoryExists("xyz/q");
  std::filesystem::current_path(previous);
  EXPECT_TRUE(shortMade);
  EXPECT_TRUE(nestedMade);
}

TEST(FoldersTest, CopyOverReplacesTheTarget) {
  TempFolder folder;
  const std::string source = folder.Child("source.txt");
  const std::string target = folder.Child("target.txt");
  WriteFile(source, "new content");
  WriteFile(target, "old content that is longer");

  EXPECT_TRUE(CopyOver(source, target));
  EXPECT_EQ(ReadFile(target), "new content");
  EXPECT_TRUE(CopyOver(source, folder.Child("fresh.txt")));
  EXPECT_EQ(ReadFile(folder.Child("fresh.txt")), "new content");

  const Status missing = CopyOver(folder.Child("missing.txt"), folder.Child("none.txt"));
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.failure().subject, folder.Child("missing.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder.Child("none.txt")));
  std::filesystem::create_directory(folder.Child("folder"));
  EXPECT_FALSE(CopyOver(source, folder.Child("folder")));
}

}  // namespace
}  // namespace pagehold
