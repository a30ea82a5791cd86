// The Cache Explorer window on generated caches of both programs, opened from the main window,
// checked against what the `pagehold` command says about the same cache.
#include "gui/CacheExplorerWindow.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dnd.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "GuiTestSupport.h"
#include "WindowDriver.h"
#include "gui/MainWindow.h"
#include "gui/WaitPanel.h"
#include "gui/WxText.h"
#include "iecache/IeCacheWriter.h"
#include "iecache/SyntheticIeCache.h"
#include "navcache/NavCacheWriter.h"
#include "platform/Paths.h"
#include "platform/UrlCacheFolder.h"
#include "prefs/SettingsKeys.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

struct Entry {
  const char* url;
  const char* type;
  double ageHours;
};
const Entry kEntries[] = {
    {"http://www.alpha.example/", "text/html", 2},
    {"http://www.alpha.example/logo.gif", "image/gif", 2},
    {"http://www.alpha.example/old.html", "text/html", 24 * 20},
    {"http://Beta.Example/page.html", "text/html", 30},
    {"http://beta.example/file.zip", "application/zip", 24 * 3},
    {"http://gamma.example/a.txt", "text/plain", 10},
    {"http://gamma.example/b.jpg", "image/jpeg", 24 * 10},
    {"http://delta.example/c.pdf", "application/pdf", 0.5},
};
const char kPage[] = "<html><title>Page</title><a href=\"logo.gif\">logo</a></html>";

using driver::Choose;
using driver::Click;

CacheExplorerWindow* Shown() {
  return driver::ShownModal<CacheExplorerWindow>();
}

class ExplorerWindowTest : public ::testing::TestWithParam<Product> {
 protected:
  ExplorerWindowTest() : parts(GetParam()), cache(parts.folder.Child("cache")) {
    setenv("PAGEHOLD_REGISTRY", parts.folder.Child("registry.reg").c_str(), 1);
    WriteCache();
    archive = parts.folder.Child("archive/");
    fs::create_directories(archive);
    // The main window loads the settings from the store, as at the program's start.
    (void)parts.context.store.WriteString(settings_keys::kExport, settings_keys::kDefaultDirectory,
                                          archive);
    main = new MainWindow({parts.context, parts.ui, parts.shell, parts.help});
  }
  ~ExplorerWindowTest() override {
    main->Destroy();
    driver::PumpEvents(50);
  }

  // The entries in the program's cache, each dated its age before now.
  void WriteCache() {
    std::vector<testgen::NavCacheEntry> nav;
    testgen::IeCache ie;
    for (const Entry& entry : kEntries) {
      nav.emplace_back().url = entry.url;
      nav.back().fileName = "M" + std::to_string(nav.size());
      nav.back().contentType = entry.type;
      nav.back().lastAccessed =
          static_cast<std::int32_t>(std::time(nullptr) - entry.ageHours * 3600);
      nav.back().body = kPage;
      ie.entries.push_back(testgen::WebEntry(entry.url, entry.type, entry.ageHours / 24,
                                             nav.back().fileName, kPage, nav.size() % 2));
    }
    if (GetParam() == Product::Navigator) {
      source = JoinPath(cache, "fat.db");
      fs::create_directories(cache);
      testgen::WritePagedIndex(source, nav, {});
      testgen::WriteCachedFiles(cache, nav);
      (void)parts.context.store.WriteString(settings_keys::kBrowserOptions, settings_keys::kFatPath,
                                            source);
    } else {
      source = cache;
      testgen::WriteIeCache(cache, ie);
      (void)parts.context.registry->WriteString(RegistryRoot::CurrentUser, kShellFoldersKey,
                                                "Cache", cache);
    }
  }

  // What the pagehold program prints for the same cache.
  std::string Pagehold(const std::string& command, const std::string& filters = "") {
    const std::string line = std::string(PAGEHOLD_PROGRAM_DIR) + "/pagehold " + command +
                             (GetParam() == Product::Navigator ? " --nav " : " --ie ") + source +
                             " " + filters + " 2>/dev/null";
    std::string out;
    FILE* pipe = popen(line.c_str(), "r");
    for (char buffer[4096]; std::fgets(buffer, sizeof buffer, pipe) != nullptr;)
      out += buffer;
    pclose(pipe);
    return out;
  }

  // What the window shows against `pagehold domains`: the chosen domains and the counters.
  void ExpectWindowShows(CacheExplorerWindow& window, const std::string& filters) {
    Rows domains;
    int sums[3] = {0, 0, 0};
    std::istringstream table(Pagehold("domains", filters));
    std::string name;
    std::getline(table, name);  // the header
    for (int t, m, o; table >> name >> t >> m >> o;) {
      domains.push_back(name);
      sums[0] += t, sums[1] += m, sums[2] += o;
    }
    EXPECT_EQ(driver::EntriesOf(window.DstList), domains) << filters;
    const wxTextCtrl* fields[] = {window.NumTextPanel, window.NumMediaPanel, window.NumOtherPanel};
    for (int kind = 0; kind < 3; ++kind)
      EXPECT_EQ(FromWx(fields[kind]->GetValue()), std::to_string(sums[kind])) << filters;
  }

  // Opens the Cache Explorer as its menu command does (or as open does) and runs script once the
  // cache is read.
  void Open(const std::function<void(CacheExplorerWindow&)>& script,
            const std::function<void()>& open = nullptr) {
    driver::WhenTrue(
        [] {
          CacheExplorerWindow* window = Shown();
          return window != nullptr && !window->ReadPending() && !window->Working() &&
                 driver::Settled();
        },
        // A copy: the window may open after Open has returned (a drop opens it later).
        [script] {
          CacheExplorerWindow& window = *Shown();
          script(window);
          if (window.IsModal())
            Click(window.CancelButton);
        });
    if (open)
      return open();
    wxCommandEvent command(wxEVT_MENU, main->CommandId(MainCommand::CacheExplorer));
    main->ProcessWindowEvent(command);
  }

  testing::GuiContext parts;
  std::string cache;
  std::string source;
  std::string archive;
  MainWindow* main;
};

TEST_P(ExplorerWindowTest, ReadingAndEveryAgeChoiceShowWhatTheCommandCounts) {
  const bool nav = GetParam() == Product::Navigator;
  const Rows hours = nav ? Rows{"6", "12", "18"} : Rows{"1", "2", "3", "6", "12", "18"};
  const Rows sixes = {"1", "2", "3", "4", "5", "6"};
  struct Case {
    int unit, number, age;
    std::string filters;
  } const cases[] = {{0, 0, 0, ""},
                     {0, 0, 1, nav ? "--newer 6h" : "--newer 1h"},
                     {1, 2, 2, "--older 3d"},
                     {2, 1, 1, "--newer 2w"}};
  Open([&](CacheExplorerWindow& window) {
    EXPECT_TRUE(window.BackPanel->IsEnabled());
    for (const Case& c : cases) {
      Choose(window.HDWBox, c.unit);
      EXPECT_EQ(driver::EntriesOf(window.AgeBox), c.unit == 0 ? hours : sixes);
      Choose(window.AgeBox, c.number);
      Choose(window.OldNewBox, c.age);
      EXPECT_EQ(window.AgeBox->IsEnabled(), c.age != 0);
      EXPECT_TRUE(driver::EntriesOf(window.SrcList).empty());
      EXPECT_FALSE(window.IncludeBtn->IsEnabled());
      ExpectWindowShows(window, c.filters);
    }
  });
}

TEST_P(ExplorerWindowTest, MovesKeepTheSelectionNearAndCountersFollowTheListsOnly) {
  std::string properties;
  Open([&](CacheExplorerWindow& window) {
    const Rows all = driver::EntriesOf(window.DstList);
    ASSERT_EQ(all.size(), 4u);
    window.DstList->SetSelection(1);
    window.DstList->SetSelection(3);
    Click(window.ExcludeBtn);
    EXPECT_EQ(driver::EntriesOf(window.SrcList), (Rows{all[1], all[3]}));
    EXPECT_EQ(driver::EntriesOf(window.DstList), (Rows{all[0], all[2]}));
    EXPECT_TRUE(window.DstList->IsSelected(1));
    EXPECT_EQ(wxWindow::FindFocus(), window.DstList);
    ExpectWindowShows(window, "--domain " + all[0] + " --domain " + all[2]);

    window.SrcList->SetSelection(1);
    driver::DoubleClick(window.SrcList);
    EXPECT_EQ(driver::EntriesOf(window.DstList), (Rows{all[0], all[2], all[3]}));
    EXPECT_TRUE(window.SrcList->IsSelected(0));
    window.DstList->DeselectAll();  // a double-click selects the entry clicked, alone
    window.DstList->SetSelection(0);
    driver::DoubleClick(window.DstList);
    EXPECT_EQ(driver::EntriesOf(window.SrcList), (Rows{all[0], all[1]}));

    Click(window.ExAllBtn);
    EXPECT_TRUE(driver::EntriesOf(window.DstList).empty());
    EXPECT_FALSE(window.ExcludeBtn->IsEnabled());
    EXPECT_TRUE(window.IncAllBtn->IsEnabled());
    EXPECT_EQ(FromWx(window.NumTextPanel->GetValue()), "0");
    Click(window.UncacheButton);
    Click(window.DeleteButton);
    driver::WhenModalShows([&](wxDialog& dialog) {
      properties = FromWx(dialog.GetTitle());
      driver::PressEscape(&dialog);
    });
    Click(window.PrefsBtn);
    Click(window.IncAllBtn);
    EXPECT_EQ(driver::EntriesOf(window.DstList), all);

    const wxString media = window.NumMediaPanel->GetValue();
    Click(window.MediaBox);
    EXPECT_EQ(window.NumMediaPanel->GetValue(), media);
    EXPECT_EQ(window.NumMediaPanel->GetForegroundColour(), wxColour(128, 128, 128));
  });
  EXPECT_EQ(properties, "Pagehold Properties");
  EXPECT_EQ(parts.Texts(), (Rows{"No files to archive.", "No files to delete."}));
  for (const Message& message : parts.ui.messages)
    EXPECT_EQ(std::pair(message.buttons, message.helpContext),
              std::pair(MessageButtons::OkHelp, 11));
}

TEST_P(ExplorerWindowTest, DeleteAsksAndRemovesExactlyTheChosenItems) {
  const auto rows = [this] {
    const std::string table = Pagehold("list", "--older 1d --kinds text,media");
    return std::count(table.begin(), table.end(), '\n') - 1;  // without the header
  };
  const auto chosen = rows();
  ASSERT_GT(chosen, 0);
  parts.ui.QueueAnswer(MessageAnswer::No);
  parts.ui.QueueAnswer(MessageAnswer::Yes);
  Open([&](CacheExplorerWindow& window) {
    Click(window.DeleteButton);
    Choose(window.HDWBox, 1);
    Choose(window.OldNewBox, 2);
    Click(window.OthersBox);
    Click(window.DeleteButton);
    EXPECT_FALSE(window.FatPanel()->IsShown());
    ExpectWindowShows(window, "--older 1d");
  });
  ASSERT_EQ(parts.ui.messages.size(), 3u);
  EXPECT_NE(parts.ui.messages[0].text.find("WARNING"), std::string::npos);
  EXPECT_EQ(parts.ui.messages[1].text,
            "Are you sure you want to delete these\r\nitems from the cache?\r\n");
  EXPECT_EQ(parts.ui.messages[2].text,
            "Deleted " + std::to_string(chosen) + " items from the cache.");
  EXPECT_EQ(rows(), 0);
}

TEST_P(ExplorerWindowTest, ArchiveGivesTheFolderTheCommandGivesForTheSameChoice) {
  parts.ui.QueueAnswer(MessageAnswer::No);
  Rows kept;
  Open([&](CacheExplorerWindow& window) {
    window.DstList->SetSelection(2);
    Click(window.ExcludeBtn);
    Click(window.OthersBox);
    kept = driver::EntriesOf(window.DstList);
    Click(window.UncacheButton);
  });
  ASSERT_EQ(parts.ui.messages.size(), 1u);
  EXPECT_NE(parts.ui.messages[0].text.find("Archiving completed."), std::string::npos);
  // The IE program stored its settings at the end of the run; the Navigator program did not.
  EXPECT_EQ(
      parts.context.store.Read(settings_keys::kExport, settings_keys::kDetailedIndex).has_value(),
      GetParam() == Product::InternetExplorer);
  const std::string other = parts.folder.Child("other/");
  fs::create_directories(other);
  std::string domains;
  for (const std::string& name : kept)
    domains += " --domain " + name;
  Pagehold("archive", domains + " --kinds text,media --to " + other);
  std::map<std::string, std::string> windowFiles, commandFiles;
  for (auto [folder, files] : {std::pair{archive, &windowFiles}, std::pair{other, &commandFiles}}) {
    for (const auto& file : fs::recursive_directory_iterator(folder)) {
      if (file.is_regular_file())
        (*files)[fs::relative(file.path(), folder)] = testing::ReadFile(file.path());
    }
  }
  EXPECT_GT(windowFiles.size(), 5u);
  EXPECT_EQ(windowFiles, commandFiles);
}

// The second opening reads the cache that the first did not find.
TEST_P(ExplorerWindowTest, AForeignFileOrAStoppedReadingLeavesAUsableWindow) {
  const bool nav = GetParam() == Product::Navigator;
  testing::WriteFile(nav ? source : JoinPath(cache, "index.dat"), std::string(9000, 'x'));
  Open([](CacheExplorerWindow& window) { EXPECT_TRUE(window.DstList->IsEmpty()); });
  ASSERT_EQ(parts.ui.messages.size(), 1u);
  EXPECT_NE(parts.ui.messages[0].text.find(" is not a"), std::string::npos);

  // Index.dat is parsed in one piece before its entries are taken; enough of them that taking
  // them outlasts a few rounds of pending events, so Stop lands in the middle.
  const std::size_t kEntries = nav ? 2000 : 20000;
  if (nav) {
    const auto entries = testgen::SyntheticEntries(kEntries, {.awkward = false});
    testgen::WritePagedIndex(source, entries, {});
    testgen::WriteCachedFiles(cache, entries);
  } else {
    testgen::WriteIeCache(cache, testgen::SyntheticIeCache(kEntries));
  }
  driver::WhenTrue([] { return Shown() != nullptr && Shown()->FatPanel()->Progress() > 0; },
                   [] { Click(Shown()->FatPanel()->StopButton()); });
  Open([&](CacheExplorerWindow& window) {
    EXPECT_GT(main->Cache().size(), 0u);
    EXPECT_LT(main->Cache().size(), kEntries);
    Click(window.ExAllBtn);
    EXPECT_TRUE(window.DstList->IsEmpty());
    EXPECT_FALSE(window.SrcList->IsEmpty());
  });
}

TEST_P(ExplorerWindowTest, ADroppedCacheIsReadInsteadOfTheStoredOneAndAForeignOneIsRefused) {
  const bool nav = GetParam() == Product::Navigator;
  const auto drop = [&](const char* sample) {
    wxArrayString files;
    files.Add(ToWx(JoinPath(testing::SamplesDir(), sample)));
    static_cast<wxFileDropTarget*>(main->GetDropTarget())->OnDropFiles(0, 0, files);
  };
  drop(nav ? "ie/index.dat" : "nav/fat.db");
  driver::PumpEvents(100);
  ASSERT_EQ(parts.Texts().size(), 1u);
  EXPECT_NE(parts.Texts()[0].find(nav ? "index.dat is not a" : "fat.db is not an"),
            std::string::npos);
  Rows shown;
  Open([&](CacheExplorerWindow& window) { shown = driver::EntriesOf(window.DstList); },
       [&] { drop(nav ? "nav/fat.db" : "ie"); });
  for (int i = 0; i < 300 && shown.empty(); ++i)
    driver::PumpEvents(100);
  const Rows sample =
      nav ? Rows{"www.example-bikes.test", "www.example-garden.test"}
          : Rows{"img.example-garden.test", "www.example-garden.test", "www.example-orchard.test"};
  EXPECT_EQ(shown, sample);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, ExplorerWindowTest,
                         ::testing::Values(Product::Navigator, Product::InternetExplorer));

}  // namespace
}  // namespace pagehold
