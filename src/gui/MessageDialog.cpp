#include "gui/MessageDialog.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "gui/HelpBook.h"
#include "gui/WxText.h"

namespace pagehold {

namespace {

wxArtID IconArt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return wxART_WARNING;
    case MessageIcon::Error:
      return wxART_ERROR;
    case MessageIcon::Confirmation:
      return wxART_QUESTION;
    case MessageIcon::Information:
      break;
  }
  return wxART_INFORMATION;
}

// What a screen reader calls the icon.
wxString IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return "Warning";
    case MessageIcon::Error:
      return "Error";
    case MessageIcon::Confirmation:
      return "Question";
    case MessageIcon::Information:
      break;
  }
  return "Information";
}

MessageAnswer AnswerOf(int id) {
  switch (id) {
    case wxID_OK:
      return MessageAnswer::Ok;
    case wxID_YES:
      return MessageAnswer::Yes;
    case wxID_NO:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Cancel;
  }
}

}  // namespace

MessageDialog::MessageDialog(wxWindow* parent, const Message& message, HelpBook* help,
                             Interaction& ui)
    : wxDialog(parent, wxID_ANY, ToWx(message.caption), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU),
      help_(help),
      ui_(ui) {
  auto* body = new wxBoxSizer(wxHORIZONTAL);
  auto* icon = new wxStaticBitmap(
      this, wxID_ANY, wxArtProvider::GetBitmapBundle(IconArt(message.icon), wxART_MESSAGE_BOX));
  icon->SetName(IconName(message.icon));
  body->Add(icon, 0, wxALL, 10);
  auto* text = new wxStaticText(this, wxID_ANY, MessageToWx(message.text));
  text->SetName("Message");
  body->Add(text, 1, wxALL | wxALIGN_CENTER_VERTICAL, 10);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  AddButtons(buttons, message.buttons,
             message.buttons == MessageButtons::OkHelp || message.helpContext != 0);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(body, 1, wxEXPAND);
  column->Add(buttons, 0, wxALIGN_CENTER | wxALL, 10);
  SetSizerAndFit(column);
  CentreOnParent();
  Bind(wxEVT_BUTTON, &MessageDialog::ButtonClick, this);
  if (message.helpContext != 0)
    HelpBook::SetHelpContext(this, message.helpContext);
  if (help_ != nullptr && message.helpContext != 0)
    help_->BindF1(this, ui_);
}

void MessageDialog::AddButtons(wxSizer* row, MessageButtons buttons, bool withHelp) {
  struct Choice {
    int id;
    const char* label;
  };
  std::vector<Choice> choices;
  switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkHelp:
      choices = {{wxID_OK, "OK"}};
      break;
    case MessageButtons::OkCancel:
      choices = {{wxID_OK, "OK"}, {wxID_CANCEL, "Cancel"}};
      break;
    case MessageButtons::YesNo:
      choices = {{wxID_YES, "&Yes"}, {wxID_NO, "&No"}};
      break;
    case MessageButtons::YesNoCancel:
      choices = {{wxID_YES, "&Yes"}, {wxID_NO, "&No"}, {wxID_CANCEL, "Cancel"}};
      break;
  }
  if (withHelp)
    choices.push_back({wxID_HELP, "&Help"});
  for (const Choice& choice : choices) {
    auto* button = new wxButton(this, choice.id, choice.label);
    row->Add(button, 0, wxLEFT | wxRIGHT, 4);
  }
  // The first button is the default; Escape (and the close box) answer Cancel where there is
  // one, OK in a box that only informs, and nothing in a Yes/No question.
  auto* first = wxWindow::FindWindowById(choices.front().id, this);
  static_cast<wxButton*>(first)->SetDefault();
  first->SetFocus();
  const bool hasCancel =
      buttons == MessageButtons::OkCancel || buttons == MessageButtons::YesNoCancel;
  if (hasCancel)
    SetEscapeId(wxID_CANCEL);
  else if (buttons == MessageButtons::YesNo)
    SetEscapeId(wxID_NONE);
  else
    SetEscapeId(wxID_OK);
}

void MessageDialog::ButtonClick(wxCommandEvent& event) {
  if (event.GetId() == wxID_HELP) {
    if (help_ != nullptr)
      help_->ShowHelpFor(this, ui_);
    return;
  }
  EndModal(event.GetId());
}

MessageAnswer MessageDialog::Answer() {
  return AnswerOf(ShowModal());
}

MessageAnswer DialogInteraction::Ask(const Message& message) {
  wxWindow* active = wxGetActiveWindow();
  MessageDialog dialog(active != nullptr ? wxGetTopLevelParent(active) : wxTheApp->GetTopWindow(),
                       message, help_, *this);
  return dialog.Answer();
}

void DialogInteraction::ProcessPendingEvents() {
  RunPendingEvents();
}

void RunPendingEvents() {
  if (wxTheApp != nullptr)
    wxTheApp->Yield(true);
}

}  // namespace pagehold
