#include "platform/Shell.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::TempFolder;

TEST(ShellCodeFromOpenerExitTest, MapsTheOpenersEndingToShellCodes) {
  const struct {
    int status;
    bool signalled;
    int code;
  } cases[] = {
      {0, false, ShellResult::Done},         {1, false, ShellResult::Unexplained},
      {2, false, ShellResult::FileNotFound}, {3, false, ShellResult::NoAssociation},
      {4, false, ShellResult::Unexplained},  {127, false, ShellResult::NoAssociation},
      {9, true, ShellResult::Unexplained},
  };
  for (const auto& c : cases) {
    const int code = ShellCodeFromOpenerExit(c.status, c.signalled);
    EXPECT_EQ(code, c.code) << c.status;
    EXPECT_EQ(ShellSucceeded(code), c.code == ShellResult::Done) << c.status;
  }
}

TEST(CheckOpenTargetTest, AnswersAsTheShellWouldBeforeStartingAnything) {
  TempFolder folder;
  testing::WriteFile(folder.Child("page.htm"), "x");
  const struct {
    std::string target;
    const char* verb;
    int code;
  } cases[] = {
      {folder.Child("page.htm"), "", ShellResult::Done},
      {folder.path(), "", ShellResult::Done},
      {folder.path(), "explore", ShellResult::Done},
      {folder.Child("page.htm"), "explore", ShellResult::PathNotFound},
      {folder.Child("missing.htm"), "", ShellResult::FileNotFound},
      {folder.Child("missing/page.htm"), "", ShellResult::PathNotFound},
      {folder.Child("missing"), "explore", ShellResult::PathNotFound},
      {"", "", ShellResult::FileNotFound},
      {"http://www.example.com/", "", ShellResult::Done},
      {"mailto:someone@example.com", "", ShellResult::Done},
      {"http://www.example.com/", "explore", ShellResult::PathNotFound},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckOpenTarget(c.target, c.verb), c.code) << c.target << " " << c.verb;
}

// Puts a stand-in opener first on PATH for the life of the object. It writes its arguments to a
// file and ends with the given exit status.
class FakeOpener {
 public:
  explicit FakeOpener(int exitStatus) : savedPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    const std::string script = folder_.Child(kOpenerProgram);
    testing::WriteFile(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + ArgumentsFile() +
                                   "'\nexit " + std::to_string(exitStatus) + "\n");
    chmod(script.c_str(), 0755);
    setenv("PATH", (folder_.path() + ":" + savedPath_).c_str(), 1);
  }
  ~FakeOpener() { setenv("PATH", savedPath_.c_str(), 1); }

  std::string ArgumentsFile() const { return folder_.Child("arguments"); }
  std::string Arguments() const { return testing::ReadFile(ArgumentsFile()); }

 private:
  TempFolder folder_;
  std::string savedPath_;
};

TEST(SystemShellTest, HandsTheTargetToTheOpenerAndMapsItsExitStatus) {
  TempFolder documents;
  testing::WriteFile(documents.Child("page.htm"), "x");
  SystemShell shell;
  {
    FakeOpener opener(0);
    EXPECT_EQ(shell.Execute(documents.Child("page.htm"), ""), ShellResult::Done);
    EXPECT_EQ(opener.Arguments(), documents.Child("page.htm") + "\n");
    EXPECT_EQ(shell.Execute(documents.path(), kExploreVerb), ShellResult::Done);
    EXPECT_EQ(opener.Arguments(), documents.path() + "\n");
  }
  {
    FakeOpener opener(3);
    EXPECT_EQ(shell.Execute(documents.Child("page.htm"), ""), ShellResult::NoAssociation);
  }
}

TEST(SystemShellTest, MissingTargetIsReportedWithoutStartingTheOpener) {
  TempFolder documents;
  FakeOpener opener(0);
  SystemShell shell;
  EXPECT_EQ(shell.Execute(documents.Child("gone.htm"), ""), ShellResult::FileNotFound);
  EXPECT_FALSE(FileExists(opener.ArgumentsFile()));
}

TEST(SystemShellTest, NameStartingWithADashIsNotTakenForAnOption) {
  TempFolder documents;
  testing::WriteFile(documents.Child("-help"), "x");
  FakeOpener opener(0);
  SystemShell shell;
  const std::string previous = std::filesystem::current_path().string();
  std::filesystem::current_path(documents.path());
  const int code = shell.Execute("-help", "");
  std::filesystem::current_path(previous);
  EXPECT_EQ(code, ShellResult::Done);
  EXPECT_EQ(opener.Arguments(), "./-help\n");
}

}  // namespace
}  // namespace pagehold
#else
TEST(SystemShellTest, OpensThroughTheDesktopsOpener) {
  GTEST_SKIP() << "the desktop opener stands in for ShellExecute on other systems; on Windows "
                  "ShellExecuteTest runs ShellExecute itself";
}
#endif
