#include "gui/MainWindow.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/html/helpfrm.h>
#include <wx/menu.h>

#include "GuiTestSupport.h"
#include "WindowDriver.h"
#include "gui/WxText.h"
#include "gui/shell/ShellTexts.h"

namespace pagehold {
namespace {

namespace texts = shell_texts;
using testing::GuiContext;

class MainWindowTest : public ::testing::TestWithParam<Product> {
 protected:
  MainWindowTest() : parts(GetParam()) {
    window = new MainWindow({parts.context, parts.ui, parts.shell, parts.help});
    window->Show();
    driver::PumpEvents(100);
  }
  ~MainWindowTest() override {
    if (!window->IsBeingDeleted())
      window->Destroy();
    driver::PumpEvents(50);
  }

  void Command(MainCommand command) {
    wxCommandEvent event(wxEVT_MENU, window->CommandId(command));
    window->ProcessWindowEvent(event);
  }

  GuiContext parts;
  MainWindow* window;
};

TEST_P(MainWindowTest, MenuBarHoldsEveryCommandWithItsShortcut) {
  wxMenuBar* bar = window->GetMenuBar();
  ASSERT_EQ(bar->GetMenuCount(), 3u);
  EXPECT_EQ(FromWx(bar->GetMenuLabel(0)), "&File");
  EXPECT_EQ(FromWx(bar->GetMenuLabel(1)), "&View");
  EXPECT_EQ(FromWx(bar->GetMenuLabel(2)), "&Help");
  const std::vector<std::pair<MainCommand, std::string>> items = {
      {MainCommand::DeleteFromArchive, "&Delete from Archive\tCtrl+A"},
      {MainCommand::Properties, "&Properties\tAlt+Enter"},
      {MainCommand::CacheExplorer, "Cache &Explorer\tCtrl+E"},
      {MainCommand::DefaultIndex, "&Default Index\tCtrl+D"},
      {MainCommand::SecondaryIndex, "Secondary &Index\tCtrl+I"},
      {MainCommand::Search, "&Search...\tCtrl+S"},
      {MainCommand::Contents, "&Contents"},
      {MainCommand::About, "&About"},
  };
  for (const auto& [command, label] : items) {
    wxMenuItem* item = bar->FindItem(window->CommandId(command));
    ASSERT_NE(item, nullptr) << label;
    EXPECT_EQ(FromWx(item->GetItemLabel()), label);
  }
  EXPECT_EQ(FromWx(bar->GetMenu(0)->FindItemByPosition(3)->GetItemLabel()), "E&xit");
}

TEST_P(MainWindowTest, CommandsGiveTheirMessagesAndWindows) {
  const bool nav = GetParam() == Product::Navigator;
  int propertiesShown = 0;
  // The Cache Explorer of the IE program opens (it has tests of its own); the Navigator program
  // finds no cache index here and opens the Properties window instead.
  for (const MainCommand command : {MainCommand::CacheExplorer, MainCommand::DefaultIndex,
                                    MainCommand::SecondaryIndex, MainCommand::Properties}) {
    if (command == MainCommand::CacheExplorer && !nav)
      continue;
    if (command == MainCommand::Properties || command == MainCommand::CacheExplorer) {
      driver::WhenModalShows([&](wxDialog& dialog) {
        propertiesShown += dialog.GetTitle() == "Pagehold Properties";
        driver::PressEscape(&dialog);
      });
    }
    Command(command);
  }
  EXPECT_EQ(propertiesShown, nav ? 2 : 1);
  std::vector<std::string> expected;
  if (nav)
    expected = {std::string(texts::kInvalidNavigatorIndexMessage)};
  for (const std::string& text : {
           std::string(texts::kNoDefaultIndexMessage),
           std::string(texts::kNoSecondaryIndexMessage),
       })
    expected.push_back(text);
  EXPECT_EQ(parts.Texts(), expected);
  for (const Message& message : parts.ui.messages) {
    EXPECT_EQ(message.caption, "Pagehold");
    EXPECT_EQ(message.icon, MessageIcon::Information);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
  }
}

TEST_P(MainWindowTest, SearchAndDeleteFromArchiveOpenTheirWindows) {
  std::vector<std::string> shown;
  for (const MainCommand command : {MainCommand::Search, MainCommand::DeleteFromArchive}) {
    driver::WhenModalShows([&](wxDialog& dialog) {
      shown.push_back(FromWx(dialog.GetTitle()));
      dialog.Close();
    });
    Command(command);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"Pagehold - Search Archive", "Delete from Archive"}));
}

TEST_P(MainWindowTest, AboutOpensTheAboutBox) {
  std::string caption;
  driver::WhenModalShows([&](wxDialog& dialog) {
    caption = FromWx(dialog.GetTitle());
    EXPECT_EQ(driver::TextOf(&dialog, "Version"), "Version 6.1 (Build 613)");
    driver::PressButton(&dialog, wxID_OK);
  });
  Command(MainCommand::About);
  EXPECT_EQ(caption, "About Pagehold");
}

TEST_P(MainWindowTest, ContentsAndF1OpenTheHelpBook) {
  for (const int command : {window->CommandId(MainCommand::Contents), int(wxID_HELP)}) {
    wxCommandEvent event(wxEVT_MENU, command);
    window->ProcessWindowEvent(event);
    driver::PumpEvents(100);
    wxHtmlHelpFrame* frame = nullptr;
    for (wxWindow* top : wxTopLevelWindows) {
      if (auto* help = dynamic_cast<wxHtmlHelpFrame*>(top); help != nullptr && help->IsShown())
        frame = help;
    }
    ASSERT_NE(frame, nullptr);
    frame->Close(true);
    driver::PumpEvents(50);
  }
  EXPECT_TRUE(parts.ui.messages.empty());
}

TEST_P(MainWindowTest, PictureButtonsAreNamedAndTakeFocusUnderThePointer) {
  std::vector<wxBitmapButton*> buttons;
  for (wxWindow* child : window->GetChildren()[0]->GetChildren()) {
    if (auto* button = dynamic_cast<wxBitmapButton*>(child))
      buttons.push_back(button);
  }
  ASSERT_EQ(buttons.size(), 4u);
  const std::vector<std::string> names = {"Cache Explorer", "Display default index",
                                          "Search offline index", "Change Pagehold properties"};
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(FromWx(buttons[i]->GetName()), names[i]);
    EXPECT_EQ(buttons[i]->GetSize(), buttons[i]->FromDIP(wxSize(49, 49)));
    wxMouseEvent motion(wxEVT_MOTION);
    motion.SetEventObject(buttons[i]);
    buttons[i]->GetEventHandler()->ProcessEvent(motion);
    auto* widget = static_cast<GtkWidget*>(window->GetHandle());
    EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(widget)), buttons[i]->GetHandle()) << names[i];
  }
  // A button does what its command does.
  driver::PressButton(window, buttons[1]->GetId());
  EXPECT_EQ(parts.Texts(), std::vector<std::string>{std::string(texts::kNoDefaultIndexMessage)});
}

TEST_P(MainWindowTest, ExitClosesTheWindow) {
  Command(MainCommand::Exit);
  EXPECT_TRUE(wxPendingDelete.Member(window));
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, MainWindowTest,
                         ::testing::Values(Product::Navigator, Product::InternetExplorer));

}  // namespace
}  // namespace pagehold
