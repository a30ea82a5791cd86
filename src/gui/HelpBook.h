// The help book: the HTML pages of data/help shown by the toolkit's help viewer, a topic for
// every help context, and the context of each control. F1 in a window shows the topic of the
// focused control, or of the nearest enclosing control or window that has a context.
#pragma once

#include <wx/window.h>

#include <memory>
#include <string>

#include "gui/shell/MainActions.h"

class wxHtmlHelpController;

namespace pagehold {

class HelpBook : public HelpTopicShower {
 public:
  // bookFile: the help project ("pagehold.hhp"); a missing file makes every request fail.
  explicit HelpBook(std::string bookFile);
  ~HelpBook() override;

  // Shows the topic of the context: in a window beside the program, or in a modal one when a
  // modal window is open (which would keep any other window from taking input).
  bool ShowHelpTopic(int context) override;

  // Gives the window its own help context.
  static void SetHelpContext(wxWindow* window, int context);
  // The window's help context, or that of the nearest enclosing window that has one.
  static int HelpContextOf(wxWindow* window);

  // Shows the topic for the window (the focused control); tells ui "Help file not found" when
  // the book cannot show it.
  void ShowHelpFor(wxWindow* window, Interaction& ui);

  // Makes F1 in the top-level window show the topic of its focused control (as the command
  // wxID_HELP).
  void BindF1(wxWindow* topLevel, Interaction& ui);

 private:
  wxHtmlHelpController& Controller(bool modal);

  std::string bookFile_;
  std::unique_ptr<wxHtmlHelpController> frameViewer_;
  std::unique_ptr<wxHtmlHelpController> modalViewer_;
};

}  // namespace pagehold
