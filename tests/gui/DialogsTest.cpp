// The About box, the message boxes and the help contexts of nested controls.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/statbox.h>

#include "GuiTestSupport.h"
#include "WindowDriver.h"
#include "gui/AboutBox.h"
#include "gui/MessageDialog.h"
#include "gui/WxText.h"

namespace pagehold {
namespace {

using testing::GuiContext;

TEST(AboutBoxTest, WebSiteButtonOpensTheMakersSite) {
  GuiContext parts(Product::Navigator);
  AboutBox about(nullptr, parts.context.dataFolder, parts.shell, parts.ui);
  wxButton* webSite = nullptr;
  for (wxWindow* child : about.GetChildren()) {
    auto* button = dynamic_cast<wxButton*>(child);
    if (button != nullptr && button->GetLabel() == "Visit the Corvane Web Site")
      webSite = button;
  }
  ASSERT_NE(webSite, nullptr);
  driver::PressButton(&about, webSite->GetId());
  EXPECT_EQ(parts.shell.Targets(), std::vector<std::string>{"http://www.corvane.example/"});
  // OK is the default and the cancel button.
  EXPECT_EQ(about.GetDefaultItem()->GetId(), wxID_OK);
  EXPECT_EQ(FromWx(about.GetDefaultItem()->GetLabel()), "&OK");
  driver::WhenModalShows([](wxDialog& dialog) { driver::PressEscape(&dialog); });
  EXPECT_EQ(about.ShowModal(), wxID_OK);
}

struct BoxCase {
  MessageButtons buttons;
  int helpContext;
  std::vector<int> ids;  // in order; the first is the default
  int escapeAnswerId;    // what Escape gives (wxID_NONE: nothing)
};

TEST(MessageDialogTest, ButtonsDefaultsAndEscape) {
  const std::vector<BoxCase> cases = {
      {MessageButtons::Ok, 0, {wxID_OK}, wxID_OK},
      {MessageButtons::OkHelp, 11, {wxID_OK, wxID_HELP}, wxID_OK},
      {MessageButtons::OkCancel, 0, {wxID_OK, wxID_CANCEL}, wxID_CANCEL},
      {MessageButtons::YesNo, 0, {wxID_YES, wxID_NO}, wxID_NONE},
      {MessageButtons::YesNoCancel, 36, {wxID_YES, wxID_NO, wxID_CANCEL, wxID_HELP}, wxID_CANCEL},
  };
  for (const BoxCase& box : cases) {
    testing::ScriptedInteraction ui;
    Message message{"Line one\r\nline two", "Pagehold", MessageIcon::Warning, box.buttons,
                    box.helpContext};
    MessageDialog dialog(nullptr, message, nullptr, ui);
    std::vector<int> ids;
    for (wxWindow* child : dialog.GetChildren()) {
      if (dynamic_cast<wxButton*>(child) != nullptr)
        ids.push_back(child->GetId());
    }
    EXPECT_EQ(ids, box.ids);
    EXPECT_EQ(dialog.GetDefaultItem()->GetId(), box.ids.front());
    EXPECT_EQ(driver::TextOf(&dialog, "Message"), "Line one\nline two");
    if (box.escapeAnswerId == wxID_NONE) {
      EXPECT_EQ(dialog.GetEscapeId(), wxID_NONE);
      driver::WhenModalShows([](wxDialog& shown) { driver::PressButton(&shown, wxID_NO); });
      EXPECT_EQ(dialog.Answer(), MessageAnswer::No);
    } else {
      driver::WhenModalShows([](wxDialog& shown) { driver::PressEscape(&shown); });
      const MessageAnswer expected =
          box.escapeAnswerId == wxID_OK ? MessageAnswer::Ok : MessageAnswer::Cancel;
      EXPECT_EQ(dialog.Answer(), expected);
    }
  }
}

TEST(MessageDialogTest, HelpShowsTheTopicWithoutClosing) {
  GuiContext parts(Product::Navigator);
  HelpBook missingBook(parts.folder.Child("none.hhp"));
  Message message{"No files to archive.", "Pagehold", MessageIcon::Information,
                  MessageButtons::OkHelp, 11};
  MessageDialog dialog(nullptr, message, &missingBook, parts.ui);
  EXPECT_EQ(HelpBook::HelpContextOf(wxWindow::FindWindowById(wxID_OK, &dialog)), 11);
  driver::WhenModalShows([&](wxDialog& shown) {
    driver::PressButton(&shown, wxID_HELP);
    EXPECT_TRUE(shown.IsModal());
    driver::PressButton(&shown, wxID_OK);
  });
  EXPECT_EQ(dialog.Answer(), MessageAnswer::Ok);
  ASSERT_EQ(parts.ui.messages.size(), 1u);
  EXPECT_EQ(parts.ui.messages[0].text, "Help file not found");
}

TEST(HelpBookTest, NestedControlsTakeTheNearestContext) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "nested");
  auto* outer = new wxPanel(frame);
  auto* inner = new wxPanel(outer);
  auto* group = new wxStaticBox(inner, wxID_ANY, "File Age");
  auto* box = new wxCheckBox(group, wxID_ANY, "Other Files");
  auto* plain = new wxCheckBox(outer, wxID_ANY, "plain");
  HelpBook::SetHelpContext(frame, 5);
  HelpBook::SetHelpContext(inner, 17);
  HelpBook::SetHelpContext(box, 23);
  EXPECT_EQ(HelpBook::HelpContextOf(box), 23);
  EXPECT_EQ(HelpBook::HelpContextOf(group), 17);
  EXPECT_EQ(HelpBook::HelpContextOf(plain), 5);
  EXPECT_EQ(HelpBook::HelpContextOf(frame), 5);
  frame->Destroy();
  driver::PumpEvents(20);
}

}  // namespace
}  // namespace pagehold
