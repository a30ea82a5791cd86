#include "gui/ArchiveProgressWindow.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/textctrl.h>

#include <filesystem>

#include "GuiTestSupport.h"
#include "WindowDriver.h"
#include "cache/Url.h"
#include "gui/WxText.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using testing::GuiContext;

class ProgressWindowTest : public ::testing::Test {
 protected:
  ProgressWindowTest() : parts(Product::Navigator) {
    archive = parts.folder.Child("archive/");
    fs::create_directories(archive);
    for (int i = 0; i < 5; ++i) {
      auto item = std::make_unique<TCacheItem>();
      item->Url = CanonicalItemUrl("host", 80, "/p" + std::to_string(i) + ".gif");
      item->Domain = "host";
      item->MimeIndex = 2;
      item->ContentKind = Media;
      item->CacheFile = parts.folder.Child("cache" + std::to_string(i));
      testing::WriteFile(item->CacheFile, "GIF89a");
      chosen.push_back(item.get());
      cache.push_back(std::move(item));
    }
  }

  // Runs the archive in the window, doing act during the copying pass.
  ArchiveRunReport RunWithAct(const std::function<void(wxDialog&)>& act, bool& accepted) {
    ArchiveRunReport report;
    ArchiveProgressWindow window(nullptr, parts.ui, [&](Interaction& ui) {
      driver::ActDuringCopying during(ui, 0, [&] { act(window); });
      report = ArchiveRun(parts.context, during, archive).Run(chosen);
      ProgressJobEnd end;
      end.accepted = report.result == ArchiveRunResult::OpenIndex;
      return end;
    });
    accepted = window.Run();
    return report;
  }

  GuiContext parts;
  std::string archive;
  CacheList cache;
  ItemRefs chosen;
};

TEST_F(ProgressWindowTest, CancelAfterTheFirstItemKeepsItAndAsksNothing) {
  const std::vector<std::function<void(wxDialog&)>> cancels = {
      [](wxDialog& window) { driver::PressButton(&window, wxID_CANCEL); },
      [](wxDialog& window) { driver::PressEscape(&window); },
  };
  for (const auto& cancel : cancels) {
    bool accepted = true;
    const ArchiveRunReport report = RunWithAct(cancel, accepted);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(report.outcome, ArchiveRunOutcome::Cancelled);
    EXPECT_EQ(report.archivedItems, 1u);
    EXPECT_TRUE(parts.ui.messages.empty());
    EXPECT_FALSE(fs::exists(archive + "1st_page.htm"));
    EXPECT_TRUE(fs::exists(archive + "archive.dat"));
    fs::remove_all(archive);
    fs::create_directories(archive);
  }
}

TEST_F(ProgressWindowTest, CompletionQuestionDecidesWhetherTheIndexOpens) {
  for (const MessageAnswer answer :
       {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}) {
    parts.ui.messages.clear();
    parts.shell.calls.clear();
    parts.ui.QueueAnswer(answer);
    const ArchiveRunReport report =
        RunArchiveInWindow({nullptr, parts.context, archive, parts.ui, parts.shell, {}}, chosen);
    EXPECT_EQ(report.outcome, ArchiveRunOutcome::Completed);
    ASSERT_EQ(parts.ui.messages.size(), 1u);
    EXPECT_EQ(parts.ui.messages[0].text,
              "Archiving completed.\r\nThe index page is located at:\r\n\r\n" + archive +
                  "1st_page.htm\r\n\r\nDo you wish to load this index now?");
    const std::vector<std::string> opened = answer == MessageAnswer::Yes
                                                ? std::vector<std::string>{archive + "1st_page.htm"}
                                                : std::vector<std::string>{};
    EXPECT_EQ(parts.shell.Targets(), opened);
  }
}

TEST_F(ProgressWindowTest, FailuresAndAFolderThatCannotBeMadeKeepTheWindowOpen) {
  struct Case {
    ProgressJobEnd end;
    const char* buttonLabel;
  };
  const std::vector<Case> cases = {
      {{false, true, {}}, "Cancel"},
      {{true, false, {{"These items could not be archived:", {"/x/a.gif: No space left"}}}},
       "Close"}};
  for (const Case& test : cases) {
    ArchiveProgressWindow window(nullptr, parts.ui, [&](Interaction& ui) {
      ui.ShowProgress(0);
      return test.end;
    });
    std::string label;
    bool stayedOpen = false;
    driver::WhenModalShows([&](wxDialog& shown) {
      stayedOpen = shown.IsModal();
      label = FromWx(wxWindow::FindWindowById(wxID_CANCEL, &shown)->GetLabel());
      driver::PressEscape(&shown);
    });
    EXPECT_EQ(window.Run(), test.end.accepted);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(label, test.buttonLabel);
  }
}

TEST_F(ProgressWindowTest, FailuresAreListedOnceUnderTheirHeadings) {
  const char* const deleted = "These items could not be deleted:";  // names the list
  fs::remove(chosen[1]->CacheFile);
  std::string list;
  driver::WhenTrue([&] { return wxWindow::FindWindowByName(deleted) != nullptr; },
                   [&] {
                     auto* failures = static_cast<wxTextCtrl*>(wxWindow::FindWindowByName(deleted));
                     list = FromWx(failures->GetValue());
                     driver::PressEscape(wxGetTopLevelParent(failures));
                   });
  const auto deletion = [](Interaction&) {
    return std::vector<RunFailure>{{"delete /a/x.htm", {"/a/x.htm", "Permission denied"}}};
  };
  RunArchiveInWindow(
      {nullptr, parts.context, archive, parts.ui, parts.shell, {}, nullptr, deletion, deleted},
      chosen);
  EXPECT_EQ(list.rfind("could not delete /a/x.htm: /a/x.htm: Permission denied\n\nThese items "
                       "could not be archived:\ncould not archive " +
                           chosen[1]->Url,
                       0),
            0u)
      << list;
  ASSERT_EQ(parts.ui.messages.size(), 1u);  // the completion question alone
}

}  // namespace
}  // namespace pagehold
