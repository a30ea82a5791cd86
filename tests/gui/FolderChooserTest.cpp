// The folder chooser on the toolkit's folder dialog: the preset folder is selected, OK is
// enabled only while a folder is selected, and the chosen folder ends in a separator.
#include <gtest/gtest.h>

#include <gtk/gtk.h>

#include <filesystem>

#include "WindowDriver.h"
#include "gui/BrowseDirectoryDlg.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

class FolderChooserTest : public ::testing::Test {
 protected:
  FolderChooserTest() {
    std::filesystem::create_directories(folder.Child("archive"));
    std::filesystem::create_directories(folder.Child("other"));
    SetUpForFolderField(chooser);
  }

  testing::TempFolder folder;
  TBrowseDirectoryDlg chooser{nullptr};
};

TEST_F(FolderChooserTest, OpensOnThePresetAndGivesTheChosenFolder) {
  chooser.SetSelection(folder.Child("archive"));
  EXPECT_EQ(chooser.Selection(), folder.Child("archive/"));
  int created = 0;
  chooser.OnCreate = [&](TBrowseDirectoryDlg&) { ++created; };
  driver::WhenModalShows([&](wxDialog& dialog) {
    EXPECT_TRUE(driver::FileDialogShows(dialog, folder.Child("archive")));
    EXPECT_TRUE(driver::FileDialogOkEnabled(dialog));
    // A place that is no folder of the file system disables OK; a folder enables it again.
    driver::ShowRecentInFileDialog(dialog);
    EXPECT_FALSE(driver::FileDialogOkEnabled(dialog));
    ASSERT_TRUE(driver::SelectInFileDialog(dialog, folder.Child("other")));
    EXPECT_TRUE(driver::FileDialogOkEnabled(dialog));
    driver::AnswerFileDialog(dialog, true);
  });
  EXPECT_TRUE(chooser.RunBrowser());
  EXPECT_EQ(chooser.Selection(), folder.Child("other/"));
  EXPECT_EQ(created, 1);
}

TEST_F(FolderChooserTest, CancelLeavesTheSelectionEmpty) {
  chooser.SetSelection(folder.Child("archive"));
  driver::WhenModalShows([](wxDialog& dialog) { driver::AnswerFileDialog(dialog, false); });
  EXPECT_FALSE(chooser.RunBrowser());
  EXPECT_EQ(chooser.Selection(), "");
}

}  // namespace
}  // namespace pagehold
