// Opening documents through the shell's ShellExecute: the result codes that the messages of the
// document opening are keyed on.
#include <gtest/gtest.h>

#include "platform/Shell.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

TEST(ShellExecuteTest, MissingTargetsAndUnknownTypesGiveTheirCodes) {
  testing::TempFolder folder;
  testing::WriteFile(folder.Child("notes.pageholdunknown"), "no program opens this type");
  SystemShell shell;
  EXPECT_EQ(shell.Execute(folder.Child("missing.htm"), ""), ShellResult::FileNotFound);
  EXPECT_EQ(shell.Execute(folder.Child("notes.pageholdunknown"), ""), ShellResult::NoAssociation);
  // Windows documents SE_ERR_PNF (3) for a path whose folder is missing; Wine answers 2, the
  // code for a missing file. Either leads to the "not found" handling of the callers.
  for (const auto& [target, verb] : {std::pair{"missing\\page.htm", ""}, {"missing", "explore"}}) {
    const int code = shell.Execute(folder.Child(target), verb);
    EXPECT_TRUE(code == ShellResult::PathNotFound || code == ShellResult::FileNotFound) << code;
  }
}

}  // namespace
}  // namespace pagehold
