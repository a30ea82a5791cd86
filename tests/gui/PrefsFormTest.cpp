// The Properties window through its real controls, over a temporary registry file.
#include "gui/PrefsForm.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/checkbox.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <filesystem>

#include "GuiTestSupport.h"
#include "WindowDriver.h"
#include "gui/WxText.h"
#include "gui/shell/ProgramCacheSource.h"
#include "platform/Paths.h"
#include "platform/UrlCacheFolder.h"
#include "prefs/SettingsKeys.h"

namespace pagehold {
namespace {

namespace keys = settings_keys;
using testing::GuiContext;

class PrefsFormTest : public ::testing::Test {
 protected:
  explicit PrefsFormTest(Product product = Product::Navigator) : parts(product) {
    std::filesystem::create_directories(parts.folder.Child("stored"));
    (void)parts.context.store.WriteString(keys::kExport, keys::kDefaultDirectory,
                                          parts.folder.Child("stored/"));
    form = new TPrefsForm(nullptr, parts.context, parts.ui, parts.help);
  }
  ~PrefsFormTest() override {
    form->Destroy();
    driver::PumpEvents(20);
  }

  template <typename Control = wxWindow>
  Control* Find(const char* name) const {
    auto* control = dynamic_cast<Control*>(wxWindow::FindWindowByName(name, form));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  std::string Text(const char* name) const { return FromWx(Find<wxTextCtrl>(name)->GetValue()); }
  std::string Preview() const { return FromWx(Find<wxStaticText>("Panel2")->GetLabel()); }
  std::optional<std::string> Stored(std::string_view name) const {
    return parts.context.store.Read(keys::kExport, name);
  }
  // Opens the window, acts in it, and closes it with the button.
  int Open(const std::function<void()>& act, int closeWith) {
    driver::WhenModalShows([&](wxDialog&) {
      act();
      driver::Click(Find(closeWith == wxID_OK ? "OKBtn" : "CancelBtn"));
    });
    return form->ShowModal();
  }

  GuiContext parts;
  TPrefsForm* form;
};

TEST_F(PrefsFormTest, CancelDropsEveryChangeAndReopensOnTheStoredValues) {
  Open(
      [&] {
        driver::Click(Find("CheckBox2"));
        driver::Click(Find("CustomRB"));
        driver::TypeInto(Find("EmphasizedEB"), " SIZE=7");
        EXPECT_EQ(parts.context.settings.EmphasisOpenTag, "FONT FACE=\"Arial\" SIZE=7");
      },
      wxID_CANCEL);
  EXPECT_FALSE(Stored(keys::kEmphasizeLinks));
  EXPECT_EQ(parts.context.settings.EmphasisOpenTag, "B");
  EXPECT_EQ(parts.context.settings.EmphasisCloseTag, "/B");
  EXPECT_FALSE(Find<wxCheckBox>("CheckBox2")->GetValue());
  EXPECT_TRUE(Find<wxRadioButton>("BoldRB")->GetValue());
  EXPECT_EQ(Text("EmphasizedEB"), "FONT FACE=\"Arial\"");
}

TEST_F(PrefsFormTest, ApplyStoresThePresetStyleAndKeepsTheCustomTags) {
  Open(
      [&] {
        driver::Click(Find("CheckBox2"));
        driver::Click(Find("LargerTextRB"));
        EXPECT_TRUE(Find("ApplyBtn")->IsEnabled());
        driver::Click(Find("ApplyBtn"));
        EXPECT_FALSE(Find("ApplyBtn")->IsEnabled());
        EXPECT_EQ(parts.context.settings.EmphasisOpenTag, "FONT SIZE=+1");
        EXPECT_EQ(parts.context.settings.EmphasisCloseTag, "/FONT");
      },
      wxID_CANCEL);
  EXPECT_EQ(Stored(keys::kEmphasizeType), "2");
  EXPECT_EQ(Stored(keys::kEmphasizeTag), "FONT FACE=\"Arial\"");
  EXPECT_EQ(Stored(keys::kDeEmphasizeTag), "/FONT");
  EXPECT_TRUE(Find<wxRadioButton>("LargerTextRB")->GetValue());
}

TEST_F(PrefsFormTest, StylesFollowTheEmphasisBoxAndThePreviewEveryKey) {
  const char* tagControls[] = {"BoldRB",   "ItalicizedRB", "LargerTextRB",
                               "CustomRB", "EmphasizedEB", "DeEmphasizedEB"};
  for (const char* name : tagControls)
    EXPECT_FALSE(Find(name)->IsEnabled()) << name;
  const wxColour grey = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
  EXPECT_EQ(Find("Panel2")->GetForegroundColour(), grey);
  EXPECT_EQ(Preview(), "<FONT FACE=\"Arial\">Link Here</FONT>");

  driver::Click(Find("CheckBox2"));
  driver::Click(Find("CustomRB"));
  for (const char* name : tagControls)
    EXPECT_TRUE(Find(name)->IsEnabled()) << name;
  EXPECT_NE(Find("Panel2")->GetForegroundColour(), grey);
  Find<wxTextCtrl>("EmphasizedEB")->Clear();
  Find<wxTextCtrl>("DeEmphasizedEB")->Clear();
  driver::TypeInto(Find("EmphasizedEB"), "I");
  std::vector<std::string> previews;
  driver::TypeInto(Find("DeEmphasizedEB"), "/I", [&] { previews.push_back(Preview()); });
  EXPECT_EQ(previews, (std::vector<std::string>{"<I>Link Here</>", "<I>Link Here</I>"}));
  EXPECT_EQ(parts.context.settings.EmphasisOpenTag, "I");
  EXPECT_EQ(parts.context.settings.EmphasisCloseTag, "/I");
}

TEST_F(PrefsFormTest, BrowsingSetsTheArchiveFolderUntilCancel) {
  const std::string chosen = parts.folder.Child("chosen");
  std::filesystem::create_directories(chosen);
  Open(
      [&] {
        driver::WhenModalShows([&](wxDialog& chooser) {
          EXPECT_TRUE(driver::FileDialogShows(chooser, parts.folder.Child("stored")));
          EXPECT_TRUE(driver::SelectInFileDialog(chooser, chosen));
          driver::AnswerFileDialog(chooser, true);
        });
        driver::Click(Find("BrowseSpeedButton"));
        EXPECT_EQ(Text("DefaultDirectoryEB"), chosen + "/");
        EXPECT_EQ(parts.context.settings.CurrentArchiveFolder, chosen + "/");
      },
      wxID_CANCEL);
  EXPECT_EQ(parts.context.settings.CurrentArchiveFolder, parts.folder.Child("stored/"));
  EXPECT_EQ(Text("DefaultDirectoryEB"), parts.folder.Child("stored/"));
}

TEST_F(PrefsFormTest, OpensOnTheBrowserPageWhileTheIndexPathNamesNoFile) {
  const std::string index = parts.folder.Child("fat.db");
  testing::WriteFile(index, "");
  std::vector<int> pages;
  for (const std::string& path : {index, parts.folder.Child("missing.db")}) {
    (void)parts.context.store.WriteString(keys::kBrowserOptions, keys::kFatPath, path);
    // Closing reloads the stored path; the user leaves the window on its first page.
    Open([&] { Find<wxNotebook>("ExportPageControl")->SetSelection(0); }, wxID_CANCEL);
    Open([&] { pages.push_back(Find<wxNotebook>("ExportPageControl")->GetSelection()); },
         wxID_CANCEL);
  }
  EXPECT_EQ(pages, (std::vector<int>{0, 1}));
}

TEST_F(PrefsFormTest, TheIndexFileDialogOffersIndexesWhateverTheirCase) {
  const std::string index = parts.folder.Child("fat.db");
  testing::WriteFile(index, "");
  Open(
      [&] {
        driver::WhenModalShows([&](wxDialog& dialog) {
          GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(dialog.GetHandle()));
          for (const char* name : {"fat.db", "FAT", "Fat.Db", "fat.dbx", "index.dat"}) {
            GtkFileFilterInfo file{GTK_FILE_FILTER_DISPLAY_NAME, nullptr, nullptr, name, nullptr};
            EXPECT_EQ(gtk_file_filter_filter(filter, &file) != FALSE,
                      std::string_view(name).size() <= 6)
                << name;
          }
          EXPECT_TRUE(driver::SelectInFileDialog(dialog, index));
          driver::AnswerFileDialog(dialog, true);
        });
        driver::Click(Find("BrowseFATBtn"));
        EXPECT_EQ(Text("FATEdit"), index);
        EXPECT_TRUE(Find("ApplyBtn")->IsEnabled());
      },
      wxID_CANCEL);
}

TEST_F(PrefsFormTest, WhatOkStoresIsWhatTheCommandAndTheOtherProgramRead) {
  Open(
      [&] {
        driver::TypeInto(Find("DefaultDirectoryEB"), "2");
        EXPECT_EQ(parts.context.settings.CurrentArchiveFolder, parts.folder.Child("stored/"));
        driver::Click(Find("CheckBox2"));
        driver::Click(Find("LargerTextRB"));
        driver::Click(Find("CheckBox3"));
      },
      wxID_OK);
  EXPECT_EQ(parts.context.settings.CurrentArchiveFolder, parts.folder.Child("stored/2"));
  EXPECT_FALSE(parts.context.settings.StrikeoutLinks);

  // The command archives with the stored link options and emphasis.
  const std::string registry = parts.folder.Child("registry.reg");
  const std::string archive = parts.folder.Child("archive");
  const std::string command = "PAGEHOLD_REGISTRY='" + registry + "' '" PAGEHOLD_PROGRAM_DIR +
                              "/pagehold' archive --nav '" + testing::SamplesDir() +
                              "/nav/fat.db' --to '" + archive + "' --yes >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int emphasized = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(archive)) {
    if (entry.path().extension() != ".htm" || entry.path().filename() == "1st_page.htm")
      continue;
    const std::string page = testing::ReadFile(entry.path().string());
    emphasized += page.find("<FONT SIZE=+1>") != std::string::npos;
    EXPECT_EQ(page.find("<STRIKE>"), std::string::npos) << entry.path();
  }
  EXPECT_GT(emphasized, 0);

  // The other program loads the same values.
  AppContext other(
      Product::InternetExplorer,
      ProgramFolders{parts.folder.path(), parts.context.dataFolder, parts.folder.path()},
      std::make_unique<RegistryFile>(registry));
  auto* otherForm = new TPrefsForm(nullptr, other, parts.ui, parts.help);
  EXPECT_EQ(
      FromWx(dynamic_cast<wxTextCtrl*>(otherForm->FindWindow("DefaultDirectoryEB"))->GetValue()),
      parts.folder.Child("stored/2"));
  EXPECT_TRUE(dynamic_cast<wxRadioButton*>(otherForm->FindWindow("LargerTextRB"))->GetValue());
  EXPECT_EQ(other.settings.EmphasisOpenTag, "FONT SIZE=+1");
  otherForm->Destroy();
}

TEST_F(PrefsFormTest, ARefusedStoreIsReportedAndOkKeepsTheWindowOpen) {
  const std::string registry = parts.folder.Child("registry.reg");
  std::filesystem::remove(registry);
  std::filesystem::create_directories(registry);
  Open(
      [&] {
        driver::Click(Find("CheckBox3"));
        driver::Click(Find("ApplyBtn"));
        EXPECT_TRUE(Find("ApplyBtn")->IsEnabled());
        driver::Click(Find("OKBtn"));
        EXPECT_TRUE(form->IsModal());
      },
      wxID_CANCEL);
  ASSERT_EQ(parts.ui.messages.size(), 2u);
  EXPECT_EQ(parts.ui.messages[0].icon, MessageIcon::Error);
}

class IePrefsFormTest : public PrefsFormTest {
 protected:
  IePrefsFormTest() : PrefsFormTest(Product::InternetExplorer) {}
};

TEST_F(IePrefsFormTest, FolderChangesMoveTheArchiveFolderAtOnceWithoutApply) {
  Open(
      [&] {
        driver::TypeInto(Find("DefaultDirectoryEB"), "2");
        EXPECT_EQ(parts.context.settings.CurrentArchiveFolder, parts.folder.Child("stored/2"));
        EXPECT_FALSE(Find("ApplyBtn")->IsEnabled());
        driver::Click(Find("ChooseDirectoryRB"));
        EXPECT_EQ(parts.context.settings.CurrentArchiveFolder, "");
        EXPECT_TRUE(Find("ExportDirNameEB")->IsEnabled());
        EXPECT_FALSE(Find("DefaultDirectoryEB")->IsEnabled());
        EXPECT_TRUE(Find("ApplyBtn")->IsEnabled());
      },
      wxID_CANCEL);
  EXPECT_EQ(parts.context.settings.CurrentArchiveFolder, parts.folder.Child("stored/"));
}

TEST_F(IePrefsFormTest, TheBrowserPageStoresTheCacheFolderWhereTheNextStartReadsIt) {
  // Storing other settings writes no cache folder and keeps a cache given for the run.
  parts.context.givenCache = "/given";
  Open([&] { driver::Click(Find("CheckBox3")); }, wxID_OK);
  EXPECT_EQ(testing::ReadFile(parts.folder.Child("registry.reg")).find("Shell"), std::string::npos);
  EXPECT_EQ(parts.context.givenCache, "/given");

  const std::string folder = JoinPath(testing::SamplesDir(), "ie");
  Open(
      [&] {
        driver::WhenModalShows([&](wxDialog& chooser) {
          EXPECT_TRUE(driver::SelectInFileDialog(chooser, folder));
          driver::AnswerFileDialog(chooser, true);
        });
        driver::Click(Find("BrowseCacheBtn"));
      },
      wxID_OK);
  EXPECT_EQ(parts.context.givenCache, "");
  AppContext next(
      Product::InternetExplorer,
      ProgramFolders{parts.folder.path(), parts.context.dataFolder, parts.folder.path()},
      std::make_unique<RegistryFile>(parts.folder.Child("registry.reg")));
  const std::string chosen = WithTrailingSeparator(folder);
  EXPECT_EQ(StoredUrlCacheFolder(*next.registry), chosen);
  EXPECT_EQ(CacheOfThisRun(next), chosen);
}

}  // namespace
}  // namespace pagehold
