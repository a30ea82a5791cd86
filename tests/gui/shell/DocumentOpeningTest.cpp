#include "gui/shell/DocumentOpening.h"

#include <gtest/gtest.h>

#include "platform/Shell.h"
#include "support/RecordingShell.h"
#include "support/ScriptedInteraction.h"

namespace pagehold {
namespace {

using testing::ScriptedInteraction;
using FixedShell = testing::RecordingShell;

constexpr const char* kAdvice =
    "\r\n\r\nTo open the page:\r\n\r\n/a/1st_page.htm\r\n\r\nuse the Open command from\r\nthe "
    "browser's File menu.";

TEST(OpenDocumentTest, EachFailingShellCodeGivesItsErrorText) {
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "The operating system is out \r\nof memory or resources."},
      {3, "The specified path was not found."},
      {5, "The operating system denied \r\naccess to the specified file."},
      {8, "There was not enough memory \r\nto complete the operation."},
      {11, "The .EXE file is invalid (non-Win32 \r\n.EXE or error in .EXE image)."},
      {26, "A sharing violation occurred."},
      {27, "The filename association \r\nis incomplete or invalid."},
      {28, "The DDE transaction could not \r\nbe completed because the request \r\ntimed out."},
      {29, "The DDE transaction failed."},
      {30,
       "The DDE transaction could not\r\nbe completed because other DDE \r\ntransactions were "
       "being processed."},
      {31, "There is no application \r\nassociated with these files."},
      {32, "The specified dynamic-link \r\nlibrary was not found."},
      {1, "The requested file could not be opened."},
      {4, "The requested file could not be opened."},
      {17, "The requested file could not be opened."},
      {2, ""},  // file not found: taken as success, silently
      {33, ""},
      {42, ""},
  };
  for (const auto& [code, reason] : cases) {
    FixedShell shell(code);
    ScriptedInteraction ui;
    OpenDocument("/a/1st_page.htm", shell, ui);
    ASSERT_EQ(ui.messages.size(), reason.empty() ? 0u : 1u) << code;
    if (reason.empty())
      continue;
    EXPECT_EQ(ui.messages[0].text, reason + kAdvice) << code;
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(shell.calls[0].verb, "");
  }
}

TEST(OpenDocumentTest, TrimsControlCharactersAndSpacesAtBothEnds) {
  FixedShell shell(ShellResult::NoAssociation);
  ScriptedInteraction ui;
  OpenDocument(" \t/a/1st_page.htm \r\n", shell, ui);
  EXPECT_EQ(shell.Targets(), std::vector<std::string>{"/a/1st_page.htm"});
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("\r\n\r\n/a/1st_page.htm\r\n\r\n"), std::string::npos);
}

TEST(OpenDocumentTest, IndexPagesAreHandedOverCutTo255Characters) {
  const std::string longPage = "/" + std::string(300, 'x') + "/1st_page.htm";
  EXPECT_EQ(IndexPageForOpening(longPage), longPage.substr(0, 255));
  EXPECT_EQ(ShortPathOf("/no/such/file"), "/no/such/file");
}

}  // namespace
}  // namespace pagehold
