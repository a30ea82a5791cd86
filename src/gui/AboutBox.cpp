#include "gui/AboutBox.h"

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "gui/Accessibility.h"
#include "gui/Pictures.h"
#include "gui/WxText.h"
#include "gui/shell/DocumentOpening.h"
#include "gui/shell/ShellTexts.h"

namespace pagehold {

namespace texts = shell_texts;

AboutBox::AboutBox(wxWindow* parent, const std::string& dataFolder, ShellLauncher& shell,
                   Interaction& ui)
    : wxDialog(parent, wxID_ANY, ToWx(texts::kAboutCaption), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      shell_(shell),
      ui_(ui) {
  auto* frame = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
  frame->SetBackgroundColour(*wxWHITE);
  SetAccessibleName(frame, "Corvane");
  auto* logo =
      new wxStaticBitmap(frame, wxID_ANY, LoadPicture(dataFolder, "logo", wxSize(220, 64)));
  SetAccessibleName(logo, "Corvane");
  auto* frameSizer = new wxBoxSizer(wxVERTICAL);
  frameSizer->Add(logo, 0, wxALL | wxALIGN_CENTER, 8);
  frame->SetSizer(frameSizer);

  auto* version = new wxStaticText(this, wxID_ANY, ToWx(texts::VersionLine()));
  version->SetName("Version");
  auto* picture =
      new wxStaticBitmap(this, wxID_ANY, LoadPicture(dataFolder, "archive", wxSize(64, 64)));
  SetAccessibleName(picture, "Pagehold");
  auto* copyright = new wxStaticText(this, wxID_ANY, ToWx(texts::kCopyrightLine));
  auto* webSite = new wxButton(this, wxID_ANY, ToWx(texts::kVisitWebSiteButton));
  webSite->Bind(wxEVT_BUTTON, &AboutBox::WebSiteButtonClick, this);
  auto* ok = new wxButton(this, wxID_OK, ToWx(texts::kOkButton));
  ok->SetDefault();
  SetEscapeId(wxID_OK);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(frame, 0, wxEXPAND | wxALL, 10);
  column->Add(version, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT, 10);
  column->Add(picture, 0, wxALIGN_CENTER | wxALL, 8);
  column->Add(copyright, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT, 10);
  column->Add(webSite, 0, wxALIGN_CENTER | wxTOP, 10);
  column->Add(ok, 0, wxALIGN_CENTER | wxALL, 10);
  SetSizerAndFit(column);
  ok->SetFocus();
  Centre();
}

void AboutBox::WebSiteButtonClick(wxCommandEvent&) {
  OpenDocument(std::string(texts::kMakerWebAddress), shell_, ui_);
}

}  // namespace pagehold
