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
    ForceFolder(folder.path() + cases[i]);
    EXPECT_TRUE(DirectoryExists(folder.path() + created[i])) << cases[i];
  }
  ForceFolder(folder.path() + "A/B/C/");  // existing: nothing to do, no error
  EXPECT_TRUE(DirectoryExists(folder.path() + "A/B/C"));
}

TEST(FoldersTest, ForceFolderLeavesFailuresToTheCaller) {
  TempFolder folder;
  WriteFile(folder.Child("file"), "x");
  EXPECT_NO_THROW(ForceFolder(folder.Child("file/sub")));
  EXPECT_FALSE(DirectoryExists(folder.Child("file/sub")));
  EXPECT_NO_THROW(ForceFolder("/"));

  try {
    ForceFolder("");
    ADD_FAILURE() << "an empty path must be refused";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Unable to create directory");
  }
}

TEST(FoldersTest, ForceFolderCreatesShortRelativeFolders) {
  TempFolder folder;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  ForceFolder("ab");
  ForceFolder("xyz/q");
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

  EXPECT_FALSE(CopyOver(folder.Child("missing.txt"), folder.Child("none.txt")));
  EXPECT_FALSE(std::filesystem::exists(folder.Child("none.txt")));
  std::filesystem::create_directory(folder.Child("folder"));
  EXPECT_FALSE(CopyOver(source, folder.Child("folder")));
}

TEST(FoldersTest, ReadWholeFileTakesEveryByte) {
  TempFolder folder;
  std::string bytes(200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i % 253);
  WriteFile(folder.Child("big.bin"), bytes);
  std::string got = "stale";
  EXPECT_TRUE(ReadWholeFile(folder.Child("big.bin"), got));
  EXPECT_EQ(got, bytes);

  WriteFile(folder.Child("empty.bin"), "");
  EXPECT_TRUE(ReadWholeFile(folder.Child("empty.bin"), got));
  EXPECT_EQ(got, "");
  got = "stale";
  EXPECT_FALSE(ReadWholeFile(folder.Child("missing.bin"), got));
  EXPECT_EQ(got, "");
  EXPECT_FALSE(ReadWholeFile(folder.path(), got));
}

}  // namespace
}  // namespace pagehold
