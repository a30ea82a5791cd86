// The wait panel of a window that works on the user-interface thread: a caption ("Processing
// cache index. Please wait."), a bar showing how far the work got, and Stop. It lies over the
// window's controls while the work runs and is hidden otherwise.
#pragma once

#include <wx/panel.h>

#include <string>

class wxButton;
class wxGauge;
class wxStaticText;

namespace pagehold {

class WaitPanel : public wxPanel {
 public:
  WaitPanel(wxWindow* parent, const std::string& caption);

  // Shows the panel over the parent's client area, centred, with the bar at 0 and Stop
  // released.
  void ShowOver(const std::string& caption);
  void SetCaption(const std::string& caption);
  void SetProgress(int percent);
  int Progress() const;

  bool StopRequested() const { return stopRequested_; }
  void RequestStop() { stopRequested_ = true; }

  wxStaticText* Caption() { return caption_; }
  wxButton* StopButton() { return stopButton_; }

 private:
  void StopButtonClick(wxCommandEvent& event);

  wxStaticText* caption_;
  wxGauge* bar_;
  wxButton* stopButton_;
  bool stopRequested_ = false;
};

}  // namespace pagehold
