#include "platform/ProgramFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::TempFolder;

TEST(ProgramFoldersTest, BuildTreeAndInstallationLayouts) {
  TempFolder root;
  std::filesystem::create_directories(root.Child("build/bin/images"));
  std::filesystem::create_directories(root.Child("prefix/bin"));
  std::filesystem::create_directories(root.Child("prefix/share/pagehold/images"));
#ifdef _WIN32
  // Windows keeps every folder beside the program file, whatever the layout around it.
  for (const char* bin : {"build/bin/", "prefix/bin/"}) {
    const ProgramFolders folders = LocateProgramFolders(root.Child(bin), "/data/home", "/home/u");
    EXPECT_EQ(folders.program, root.Child(bin));
    EXPECT_EQ(folders.data, folders.program);
    EXPECT_EQ(folders.mimeTable, folders.program);
  }
#else
  const ProgramFolders build = LocateProgramFolders(root.Child("build/bin"), nullptr, "/home/u");
  EXPECT_EQ(build.program, root.Child("build/bin/"));
  EXPECT_EQ(build.data, build.program);
  EXPECT_EQ(build.mimeTable, "/home/u/.local/share/pagehold/");  // written by every user

  const ProgramFolders installed =
      LocateProgramFolders(root.Child("prefix/bin/"), "/data/home", "/home/u");
  EXPECT_EQ(installed.data, root.Child("prefix/share/pagehold/"));
  EXPECT_EQ(installed.program, "/data/home/pagehold/");
  EXPECT_EQ(installed.mimeTable, installed.program);
  // A relative XDG_DATA_HOME does not count.
  EXPECT_EQ(LocateProgramFolders(root.Child("prefix/bin"), "rel", "/home/u").program,
            "/home/u/.local/share/pagehold/");
#endif
}

}  // namespace
}  // namespace pagehold
