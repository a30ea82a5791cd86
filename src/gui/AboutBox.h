// TAboutBox: the logo in a framed panel, the version line, a second picture, the copyright line,
// a button that opens the maker's web site, and OK (default and cancel button). Created for each
// showing.
#pragma once

#include <wx/dialog.h>

#include <string>

namespace pagehold {

class Interaction;
class ShellLauncher;

class AboutBox : public wxDialog {
 public:
  AboutBox(wxWindow* parent, const std::string& dataFolder, ShellLauncher& shell, Interaction& ui);

 private:
  void WebSiteButtonClick(wxCommandEvent& event);

  ShellLauncher& shell_;
  Interaction& ui_;
};

}  // namespace pagehold
