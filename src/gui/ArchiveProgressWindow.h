// TExportForm, the progress window of an archive run: the label of the pass, the bar with its
// percentage, and Cancel (also on Escape). A one-shot timer starts the job once the window is on
// screen; the job runs on the user-interface thread and lets pending events run at its progress
// updates, which is where a press on Cancel is seen.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <functional>
#include <string>
#include <vector>

#include "archive/ArchiveRun.h"
#include "platform/Interaction.h"

class wxButton;
class wxGauge;
class wxStaticText;
class wxTextCtrl;

namespace pagehold {

class HelpBook;
class ShellLauncher;

// What went wrong in one part of a job: a heading ("These items could not be archived:") and a
// line for each failure.
struct FailureList {
  std::string heading;
  std::vector<std::string> lines;
};

// How a job run in the progress window ended.
struct ProgressJobEnd {
  bool accepted = false;  // the window's result: OK (open the index page) or Cancel
  bool stayOpen = false;  // the window stays, at its last state, until the user closes it
  // What went wrong, listed in the window before it closes; lists without lines are left out.
  std::vector<FailureList> failures;

  bool Failed() const;
};

using ProgressJob = std::function<ProgressJobEnd(Interaction& ui)>;

class ArchiveProgressWindow : public wxDialog, private Interaction {
 public:
  // questions: asks what the job asks (message boxes in the program, a script in tests). help:
  // the book F1 shows the window's topic from (none in tests).
  ArchiveProgressWindow(wxWindow* parent, Interaction& questions, ProgressJob job,
                        HelpBook* help = nullptr);

  // Shows the window modally and runs the job in it. True when the result is OK.
  bool Run();

  bool JobRunning() const { return running_; }

 private:
  void Timer1Timer(wxTimerEvent& event);
  void CancelButtonClick(wxCommandEvent& event);
  void FormClose(wxCloseEvent& event);
  void ShowFailures(const std::vector<FailureList>& failures);

  // Interaction, for the job.
  MessageAnswer Ask(const Message& message) override { return questions_.Ask(message); }
  void ShowStatus(const std::string& text) override;
  void ShowProgress(int percent) override;
  void ProcessPendingEvents() override;
  bool CancelRequested() const override { return cancelRequested_; }

  Interaction& questions_;
  ProgressJob job_;
  wxStaticText* Label4;
  wxGauge* Gauge1;
  wxStaticText* Label6;
  wxButton* CancelButton;
  wxTextCtrl* failureList_;
  wxTimer Timer1;
  bool running_ = false;
  bool cancelRequested_ = false;
  bool accepted_ = false;
};

// The parts of a run started from a window.
struct WindowRunParts {
  wxWindow* parent;
  AppContext& context;
  std::string archiveFolder;
  Interaction& questions;
  ShellLauncher& shell;
  ArchiveRunOptions options;
  HelpBook* help = nullptr;
  // Work done in the progress window before the run (deleting archived files before a
  // re-index); its failures are listed with the run's, under beforeRunHeading.
  std::function<std::vector<RunFailure>(Interaction& ui)> beforeRun = nullptr;
  std::string beforeRunHeading = "";
};

// A whole archive run from a window: the progress window with the run in it, then, when the
// user chose to, the index page opened in the browser. An empty selection re-indexes. What
// failed is listed in the progress window (the failures of beforeRun under their own heading),
// and nowhere else.
ArchiveRunReport RunArchiveInWindow(const WindowRunParts& parts, const ItemRefs& selection);

}  // namespace pagehold
