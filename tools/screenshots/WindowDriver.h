// Driving real windows from a program rather than a person: letting them draw, acting on a modal
// window from inside its own loop, pressing buttons, and taking a picture of a window. Used by
// the screenshot tool and the window tests.
#pragma once

#include <wx/choice.h>
#include <wx/dataview.h>
#include <wx/dialog.h>
#include <wx/listbox.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Interaction.h"

namespace pagehold::driver {

// Lets pending events run for about this long, so that windows get drawn.
void PumpEvents(int milliseconds);

// The modal window of that class that is showing, or null.
template <typename Window>
Window* ShownModal() {
  for (wxWindow* window : wxTopLevelWindows) {
    auto* dialog = dynamic_cast<Window*>(window);
    if (dialog != nullptr && dialog->IsModal())
      return dialog;
  }
  return nullptr;
}

// Calls action, from inside its modal loop, on the next modal window that shows after this call.
void WhenModalShows(std::function<void(wxDialog&)> action);

// Calls action once, from the event loop, as soon as condition holds (asked every 10 ms). Unlike
// a modal watch it lets no events run of its own, so that work under way lets them run itself.
void WhenTrue(std::function<bool()> condition, std::function<void()> action);

// True when events are being dispatched by an event loop itself rather than by work that lets
// pending events run: a window found idle then has finished its work and been drawn.
bool Settled();

// Does what a click on the button with this id does.
void PressButton(wxWindow* window, int id);

// Does what a click on the control does: a check box changes its state, a radio button is
// selected, a button is pressed.
void Click(wxWindow* control);

// Types the text at the end of the entry field, one key at a time; after each key, afterKey
// (when given) sees the field.
void TypeInto(wxWindow* field, const std::string& text,
              const std::function<void()>& afterKey = nullptr);

// Chooses the entry of a drop-down list, as a person does.
void Choose(wxChoice* box, int index);

// Does what a double-click on the list box's selected entry does.
void DoubleClick(wxListBox* list);

// The entries of a list box or drop-down list, first to last.
std::vector<std::string> EntriesOf(const wxItemContainerImmutable* list);

// Does what the Escape key does in the window.
void PressEscape(wxWindow* window);

// Selects these rows (counted from 0) of a list whose model is a virtual list, as clicks on
// them would, and tells the list's window that the selection changed.
void ChooseRows(wxDataViewCtrl* list, const std::vector<unsigned>& rows);

// The text of the first static text named name inside the window (empty when there is none).
std::string TextOf(wxWindow* window, const wxString& name);

// The toolkit's file dialogs (the folder chooser, the file-open dialog): the path selected (or
// the folder shown when nothing is), waiting until the dialog has selected the path, selecting
// a path and waiting likewise, whether OK can be pressed, and pressing OK or Cancel.
std::string FileDialogSelection(wxDialog& dialog);
bool FileDialogShows(wxDialog& dialog, const std::string& path);
bool SelectInFileDialog(wxDialog& dialog, const std::string& path);
bool FileDialogOkEnabled(wxDialog& dialog);
void AnswerFileDialog(wxDialog& dialog, bool ok);
// Shows the recently used files, a place that is no folder of the file system.
void ShowRecentInFileDialog(wxDialog& dialog);

// The titles of the top-level windows that any program shows on this display, so that a test
// can see the windows of a program it started.
std::vector<std::string> DisplayedWindowTitles();

// Writes a PNG of what the top-level window shows. False when no picture could be taken.
bool SavePicture(wxWindow* topLevel, const std::string& path);

// Passes an archive run's questions and progress on to the window it runs in, and acts once, at
// the first round of pending events of the copying pass at or past a percentage: where a press
// on Cancel is seen, and where the window shows the copying under way.
class ActDuringCopying : public Interaction {
 public:
  ActDuringCopying(Interaction& window, int atPercent, std::function<void()> act)
      : window_(window), atPercent_(atPercent), act_(std::move(act)) {}

  MessageAnswer Ask(const Message& message) override { return window_.Ask(message); }
  void ShowStatus(const std::string& text) override;
  void ShowProgress(int percent) override;
  void ProcessPendingEvents() override;
  bool CancelRequested() const override { return window_.CancelRequested(); }

 private:
  Interaction& window_;
  int atPercent_;
  std::function<void()> act_;
  bool copying_ = false;
  int percent_ = 0;
};

}  // namespace pagehold::driver
