#include "gui/ReindexWindow.h"

#include <gtest/gtest.h>
#include <wx/dataview.h>
#include <wx/textctrl.h>

#include <filesystem>

#include "GuiTestSupport.h"
#include "WindowDriver.h"
#include "archive/ArchiveFileReader.h"
#include "gui/ResultList.h"
#include "gui/WxText.h"
#include "prefs/SettingsKeys.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using testing::GuiContext;

const char* const kReindexCompleted = "Re-indexing completed.";

// The delete-from-archive window over the bundled Navigator sample, archived by the archive run.
class ReindexWindowTest : public ::testing::Test {
 protected:
  ReindexWindowTest() : parts(Product::Navigator) {
    archive = parts.folder.Child("archive");
    testing::ArchiveNavigatorSample(archive);
    window = new ReindexWindow(nullptr, {parts.context, parts.ui, parts.shell, parts.help});
    window->Show();
    Field()->SetValue(ToWx(archive));
  }
  ~ReindexWindowTest() override {
    window->Destroy();
    driver::PumpEvents(20);
  }

  wxWindow* Control(const char* name) const { return testing::Named<wxWindow>(window, name); }
  wxTextCtrl* Field() const { return testing::Named<wxTextCtrl>(window, "DirEdit"); }
  wxDataViewCtrl* List() const { return testing::Named<wxDataViewCtrl>(window, "Archive entries"); }
  const std::vector<SearchResult>& Rows() const {
    return static_cast<ResultListModel*>(List()->GetModel())->Rows();
  }
  void Press(const char* button) { driver::PressButton(window, Control(button)->GetId()); }
  size_t Records() const { return ReadArchiveFile(archive)->records.Size(); }
  // The index pages lie beside archive.dat and in the domain folders, above the archived files.
  bool IndexPagesName(const std::string& text) const {
    for (auto page = fs::recursive_directory_iterator(archive); page != decltype(page)(); ++page) {
      if (page.depth() <= 1 && page->path().extension() == ".htm" &&
          testing::ReadFile(page->path().string()).find(text) != std::string::npos)
        return true;
    }
    return false;
  }

  GuiContext parts;
  std::string archive;
  ReindexWindow* window;
};

TEST_F(ReindexWindowTest, DeletingTwoChosenEntriesRemovesThemEverywhereAndKeepsTheRest) {
  Press("ListBtn");
  ASSERT_EQ(Rows().size(), 12u);
  EXPECT_EQ(driver::TextOf(window, "EntriesNote"), "12 entries with an archived file.");
  std::vector<SearchResult> kept = Rows();
  std::vector<std::string> contents;
  for (const SearchResult& row : kept)
    contents.push_back(testing::ReadFile(row.ArchiveFile));
  const std::vector<std::string> deleted = {kept[1].ArchiveFile, kept[3].ArchiveFile};
  for (const std::string& file : deleted)
    ASSERT_TRUE(IndexPagesName(fs::path(file).filename().string()));
  kept.erase(kept.begin() + 3);
  kept.erase(kept.begin() + 1);
  contents.erase(contents.begin() + 3);
  contents.erase(contents.begin() + 1);

  driver::ChooseRows(List(), {1, 3});
  EXPECT_TRUE(Control("DeleteEntriesBtn")->IsEnabled());
  parts.ui.QueueAnswer(MessageAnswer::Yes);  // delete
  parts.ui.QueueAnswer(MessageAnswer::No);   // do not open the index page
  Press("DeleteEntriesBtn");

  ASSERT_EQ(parts.ui.messages.size(), 2u);
  EXPECT_EQ(parts.ui.messages[0].text,
            "Delete the 2 chosen entries from the archive?\r\n\r\nTheir archived files are "
            "deleted, and the archive is re-indexed without them.");
  EXPECT_EQ(parts.ui.messages[1].text.rfind(kReindexCompleted, 0), 0u);
  for (const std::string& file : deleted) {
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(IndexPagesName(fs::path(file).filename().string()));
  }
  // The other entries keep their files, their records in order, and the search finds them.
  std::vector<std::string> urls;
  for (size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(testing::ReadFile(kept[i].ArchiveFile), contents[i]);
    urls.push_back(kept[i].Url);
  }
  EXPECT_EQ(Records(), kept.size());
  EXPECT_EQ(testing::SearchCommandUrls(archive, {"--url", "http"}), urls);
  EXPECT_EQ(Rows().size(), kept.size());
  EXPECT_EQ(parts.context.store.Read(settings_keys::kGeneral, settings_keys::kReindexDirectory),
            std::optional<std::string>(archive));
}

TEST_F(ReindexWindowTest, ADamagedArchiveIsNeverWrittenWithoutConsent) {
  const std::string info = archive + "/archive.dat";
  testing::WriteFile(info, testing::ReadFile(info) + "\x01\x02\x03");
  const std::string damaged = testing::ReadFile(info);
  Press("ListBtn");
  ASSERT_EQ(Rows().size(), 12u);
  ASSERT_EQ(parts.ui.messages.size(), 1u);
  EXPECT_NE(parts.ui.messages[0].text.find("damaged at byte"), std::string::npos);
  const std::string firstFile = Rows()[0].ArchiveFile;

  // Declining the question about going on with what can be read leaves everything as it was.
  driver::ChooseRows(List(), {0});
  parts.ui.QueueAnswer(MessageAnswer::No);
  Press("DeleteEntriesBtn");
  ASSERT_EQ(parts.ui.messages.size(), 2u);
  EXPECT_EQ(parts.ui.messages[1].text.rfind("The archive info file", 0), 0u);
  EXPECT_EQ(testing::ReadFile(info), damaged);
  EXPECT_TRUE(fs::exists(firstFile));

  // Consenting keeps the damaged file (aside, as the archive run keeps it) and goes on.
  parts.ui.QueueAnswer(MessageAnswer::Yes);  // go on with what can be read
  parts.ui.QueueAnswer(MessageAnswer::Yes);  // delete
  parts.ui.QueueAnswer(MessageAnswer::No);   // do not open the index page
  driver::ChooseRows(List(), {0});
  Press("DeleteEntriesBtn");
  EXPECT_FALSE(fs::exists(firstFile));
  EXPECT_EQ(Records(), 11u);
  EXPECT_EQ(parts.ui.messages.size(), 5u);
}

TEST_F(ReindexWindowTest, FolderButtonsExploreAndReindex) {
  Field()->SetValue(ToWx(parts.folder.Child("empty")));
  Press("ListBtn");
  EXPECT_EQ(parts.Texts(),
            std::vector<std::string>{
                "Couldn't find an archive info file\r\n(archive.dat) in this folder."});
  ASSERT_TRUE(parts.context.store.WriteString(settings_keys::kExport,
                                              settings_keys::kSecondaryDirectory, archive));
  Press("OtherBtn");
  Press("ExploreBtn");
  ASSERT_EQ(parts.shell.calls.size(), 1u);
  EXPECT_EQ(parts.shell.calls[0].target + parts.shell.calls[0].verb, archive + "/explore");
  parts.ui.QueueAnswer(MessageAnswer::No);
  Press("ReindexBtn");
  EXPECT_EQ(parts.ui.messages.back().text.rfind(kReindexCompleted, 0), 0u);
  // Browse puts the chosen folder in the field.
  const std::string other = parts.folder.Child("other");
  fs::create_directories(other);
  driver::WhenModalShows([&](wxDialog& dialog) {
    EXPECT_TRUE(driver::FileDialogShows(dialog, archive));
    ASSERT_TRUE(driver::SelectInFileDialog(dialog, other));
    driver::AnswerFileDialog(dialog, true);
  });
  Press("BrowseButton");
  EXPECT_EQ(FromWx(Field()->GetValue()), other + "/");
}

}  // namespace
}  // namespace pagehold
