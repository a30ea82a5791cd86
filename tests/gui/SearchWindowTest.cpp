#include "gui/SearchWindow.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/activityindicator.h>
#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/textctrl.h>

#include "GuiTestSupport.h"
#include "WindowDriver.h"
#include "gui/ResultList.h"
#include "gui/WxText.h"
#include "prefs/SettingsKeys.h"

namespace pagehold {
namespace {

using testing::Named;

// The search window over the bundled Navigator sample, archived by the archive run.
class SearchWindowTest : public ::testing::Test {
 protected:
  SearchWindowTest() : parts(Product::Navigator), archive(parts.folder.Child("archive")) {
    testing::ArchiveNavigatorSample(archive);
    window = new SearchWindow(nullptr, {parts.context, parts.ui, parts.shell, parts.help});
    window->Show();
    Type("DirEdit", archive);
  }
  ~SearchWindowTest() override { window->Destroy(); }

  void Type(const char* field, const std::string& text) {
    Named<wxTextCtrl>(window, field)->SetValue(ToWx(text));
  }
  void Search(const std::string& url, const std::string& text) {
    Type("URLEdit", url);
    Type("HTMLEdit", text);
    parts.ui.messages.clear();
    driver::PressButton(window, Named<wxButton>(window, "FindButton")->GetId());
  }
  wxDataViewCtrl* List() const { return Named<wxDataViewCtrl>(window, "Found entries"); }
  const std::vector<SearchResult>& Rows() const {
    return static_cast<ResultListModel*>(List()->GetModel())->Rows();
  }
  std::vector<std::string> Urls() const {
    std::vector<std::string> urls(Rows().size());
    std::transform(Rows().begin(), Rows().end(), urls.begin(), [](auto& row) { return row.Url; });
    return urls;
  }
  // Busy: Stop enabled, Find disabled, the animation running; idle: the reverse.
  bool Busy() const {
    return Named<wxButton>(window, "StopButton")->IsEnabled() &&
           !Named<wxButton>(window, "FindButton")->IsEnabled() &&
           Named<wxActivityIndicator>(window, "FindAnim")->IsRunning();
  }

  testing::GuiContext parts;
  std::string archive;
  SearchWindow* window;
};

TEST_F(SearchWindowTest, FindsByAddressByTextAndByBoth) {
  struct Case {
    std::string url, text;
    std::vector<std::string> found;  // after "http://www.example-"
  };
  const std::vector<Case> cases = {
      {"GARDEN",
       "",
       {"garden.test/docs/guide.pdf", "garden.test/images/tulip.jpg", "garden.test/images/rose.gif",
        "garden.test/notes.txt", "garden.test/files/seeds.zip", "garden.test/roses.html",
        "garden.test/index.html"}},
      {"", "ROSES", {"garden.test/roses.html", "garden.test/index.html"}},
      {"bikes", "tour", {"bikes.test/tour.html", "bikes.test/"}},
      {"bikes", "roses", {}},
  };
  for (const Case& test : cases) {
    Search(test.url, test.text);
    std::vector<std::string> expected;
    for (const std::string& rest : test.found)
      expected.push_back("http://www.example-" + rest);
    EXPECT_EQ(Urls(), expected) << test.url << " / " << test.text;
    EXPECT_EQ(parts.Texts(), test.found.empty() ? std::vector<std::string>{"No files found."}
                                                : std::vector<std::string>{});
  }
  EXPECT_EQ(parts.context.store.Read(settings_keys::kSearch, settings_keys::kSearchDirectory),
            std::optional<std::string>(archive));
}

TEST_F(SearchWindowTest, RefusalsTellWhyWithTheWindowsHelp) {
  const std::string nowhere = parts.folder.Child("nowhere");
  const std::string empty = parts.folder.Child("empty");
  std::filesystem::create_directories(empty);
  const std::vector<std::vector<std::string>> cases = {
      {"", archive, "Enter some search text.", "URLEdit"},
      {"x", nowhere, "Couldn't find folder\r\n\r\n" + nowhere, "DirEdit"},
      {"x", empty, "Couldn't find an archive info file\r\n(archive.dat) in this folder.",
       "DirEdit"},
  };
  for (const std::vector<std::string>& test : cases) {
    Type("DirEdit", test[1]);
    Search(test[0], "");
    ASSERT_EQ(parts.Texts(), std::vector<std::string>{test[2]});
    EXPECT_EQ(parts.ui.messages[0].helpContext, 39);
    EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(window->GetHandle())),
              Named<wxTextCtrl>(window, test[3].c_str())->GetHandle());
  }
}

TEST_F(SearchWindowTest, StopAndClosingEndTheSearchAfterTheRecordInHand) {
  // Pending events first run after the first record: both requests are seen there.
  bool busy = false;
  window->CallAfter([&] {
    busy = Busy();
    driver::PressButton(window, Named<wxButton>(window, "StopButton")->GetId());
  });
  Search("http", "");
  EXPECT_TRUE(busy);
  EXPECT_FALSE(Busy() || Named<wxButton>(window, "StopButton")->IsEnabled());
  EXPECT_EQ(Rows().size(), 1u);
  EXPECT_TRUE(parts.Texts().empty());

  driver::WhenModalShows([&](wxDialog& shown) {
    shown.CallAfter([&shown] { shown.Close(); });
    driver::PressButton(&shown, Named<wxButton>(window, "FindButton")->GetId());
  });
  EXPECT_EQ(window->ShowModal(), wxID_CANCEL);
  EXPECT_EQ(Rows().size(), 1u);
  EXPECT_FALSE(window->Searching());
}

TEST_F(SearchWindowTest, RowsComeInArchiveOrderUntilAHeaderIsClicked) {
  Search("example", "");
  EXPECT_EQ(Urls(), testing::SearchCommandUrls(archive, {"--url", "example"}));
  const std::vector<std::string> sorted =
      testing::SearchCommandUrls(archive, {"--url", "example", "--sort"});
  ASSERT_NE(Urls(), sorted);
  for (unsigned column : {1u, 0u}) {
    Search("example", "");
    wxDataViewEvent click(wxEVT_DATAVIEW_COLUMN_HEADER_CLICK, List(), List()->GetColumn(column));
    List()->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(Urls(), sorted) << column;
  }
}

TEST_F(SearchWindowTest, OpeningARowHandsItsArchivedFileToTheShell) {
  Search("garden", "");
  auto activate = [&] {
    wxDataViewEvent activated(wxEVT_DATAVIEW_ITEM_ACTIVATED, List(), List()->GetSelection());
    List()->GetEventHandler()->ProcessEvent(activated);
  };
  activate();  // nothing chosen: nothing opens
  EXPECT_TRUE(parts.shell.calls.empty());
  driver::ChooseRows(List(), {2});
  activate();
  for (const int command : {SearchWindow::kOpenCommand, SearchWindow::kExploreCommand}) {
    wxCommandEvent menu(wxEVT_MENU, command);
    window->ProcessWindowEvent(menu);
  }
  const std::string folder = archive + "/www.example-garden.test/image";
  std::vector<std::string> calls;
  for (const testing::RecordingShell::Call& call : parts.shell.calls)
    calls.push_back(call.target + "|" + call.verb);
  EXPECT_EQ(calls, (std::vector<std::string>{folder + "/rose.gif|", folder + "/rose.gif|",
                                             folder + "|explore"}));
}

}  // namespace
}  // namespace pagehold
