// The program's message boxes: the text, the icon, the buttons of the question with the first
// one as the default, Escape for Cancel where there is one, and a Help button that shows the
// message's help topic without closing the box. DialogInteraction answers the core's questions
// with them.
#pragma once

#include <wx/dialog.h>

#include "platform/Interaction.h"

namespace pagehold {

class HelpBook;

class MessageDialog : public wxDialog {
 public:
  MessageDialog(wxWindow* parent, const Message& message, HelpBook* help, Interaction& ui);

  // Shows the box modally and gives the button pressed.
  MessageAnswer Answer();

 private:
  void AddButtons(wxSizer* row, MessageButtons buttons, bool withHelp);
  void ButtonClick(wxCommandEvent& event);

  HelpBook* help_;
  Interaction& ui_;
};

// The questions and messages of core work, as message boxes over the active window. It shows no
// progress of its own: long jobs run in a window that does (the progress window).
class DialogInteraction : public Interaction {
 public:
  explicit DialogInteraction(HelpBook* help) : help_(help) {}

  MessageAnswer Ask(const Message& message) override;
  void ShowStatus(const std::string&) override {}
  void ShowProgress(int) override {}
  void ProcessPendingEvents() override;
  bool CancelRequested() const override { return false; }

 private:
  HelpBook* help_;
};

// Lets pending window events run, on the one user-interface thread.
void RunPendingEvents();

}  // namespace pagehold
