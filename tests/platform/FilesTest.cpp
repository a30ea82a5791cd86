#include "platform/Files.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(FilesTest, ReadWholeFileTakesEveryByteAndNamesWhatFailed) {
  TempFolder folder;
  std::string bytes(200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i % 253);
  WriteFile(folder.Child("big.bin"), bytes);
  EXPECT_EQ(ReadWholeFile(folder.Child("big.bin")).value(), bytes);
  WriteFile(folder.Child("empty.bin"), "");
  EXPECT_EQ(ReadWholeFile(folder.Child("empty.bin")).value(), "");

  std::vector<std::string> unreadable = {folder.Child("missing.bin"), folder.path()};
#ifndef _WIN32
  // A named pipe is refused at once, not waited on.
  ASSERT_EQ(::mkfifo(folder.Child("pipe").c_str(), 0600), 0);
  unreadable.push_back(folder.Child("pipe"));
#endif
  for (const std::string& path : unreadable) {
    const Result<std::string> read = ReadWholeFile(path);
    ASSERT_FALSE(read) << path;
    EXPECT_EQ(read.failure().subject, path);
    EXPECT_FALSE(read.failure().reason.empty());
  }
}

#ifndef _WIN32
// A copy onto the source itself (the same file by another path) must fail, not empty it; a copy
// keeps the source's permissions whatever the process's mask.
TEST(FilesTest, CopyNeverEmptiesItsSourceAndKeepsItsPermissions) {
  TempFolder folder;
  const std::string source = folder.Child("page.htm");
  WriteFile(source, "the only copy");
  std::filesystem::create_directory_symlink(folder.path(), folder.Child("same"));
  EXPECT_FALSE(CopyFileReplacing(source, folder.Child("same/page.htm")));
  EXPECT_EQ(ReadFile(source), "the only copy");

  namespace fs = std::filesystem;
  fs::permissions(source, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_write);
  ASSERT_TRUE(CopyFileReplacing(source, folder.Child("copy.htm")));
  EXPECT_EQ(ReadFile(folder.Child("copy.htm")), "the only copy");
  EXPECT_EQ(fs::status(folder.Child("copy.htm")).permissions(), fs::status(source).permissions());
}
#endif

TEST(FilesTest, AtomicReplaceLeavesTheOldFileWhenItCannotFinish) {
  TempFolder folder;
  const std::string path = folder.Child("data.bin");
  ASSERT_TRUE(ReplaceFileAtomically(path, "first"));
  ASSERT_TRUE(ReplaceFileAtomically(path, "second"));
  EXPECT_EQ(ReadFile(path), "second");
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

  // A temporary path that cannot be written: the old file stays, whole.
  const Status failed = ReplaceFileAtomically(path, "third", folder.Child("no/such/folder.tmp"));
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.failure().subject, folder.Child("no/such/folder.tmp"));
  EXPECT_EQ(ReadFile(path), "second");
}

}  // namespace
}  // namespace pagehold
