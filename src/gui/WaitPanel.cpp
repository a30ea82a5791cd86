#include "gui/WaitPanel.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/Accessibility.h"
#include "gui/WxText.h"

namespace pagehold {

WaitPanel::WaitPanel(wxWindow* parent, const std::string& caption)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_RAISED) {
  SetName("FatPanel");
  // It lies over other controls, which must not show through it.
  SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  caption_ = new wxStaticText(this, wxID_ANY, ToWx(caption), wxDefaultPosition, wxDefaultSize,
                              wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
  bar_ = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, FromDIP(wxSize(280, 16)));
  SetAccessibleName(bar_, "Progress");
  stopButton_ = new wxButton(this, wxID_STOP, "&Stop");
  stopButton_->Bind(wxEVT_BUTTON, &WaitPanel::StopButtonClick, this);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(caption_, 0, wxEXPAND | wxALL, 12);
  column->Add(bar_, 0, wxEXPAND | wxLEFT | wxRIGHT, 12);
  column->Add(stopButton_, 0, wxALIGN_CENTRE | wxALL, 12);
  SetSizerAndFit(column);
  Hide();
}

void WaitPanel::ShowOver(const std::string& caption) {
  stopRequested_ = false;
  SetCaption(caption);
  SetProgress(0);
  const wxSize area = GetParent()->GetClientSize();
  const wxSize size = GetBestSize();
  SetSize((area.x - size.x) / 2, (area.y - size.y) / 2, size.x, size.y);
  Show();
  Raise();
  stopButton_->SetFocus();
}

void WaitPanel::SetCaption(const std::string& caption) {
  caption_->SetLabel(ToWx(caption));
  // The screen reader reads the panel by its caption.
  SetLabel(ToWx(caption));
}

void WaitPanel::SetProgress(int percent) {
  bar_->SetValue(percent);
}

int WaitPanel::Progress() const {
  return bar_->GetValue();
}

void WaitPanel::StopButtonClick(wxCommandEvent&) {
  RequestStop();
}

}  // namespace pagehold
