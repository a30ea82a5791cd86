#include "gui/ArchiveProgressWindow.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "gui/Accessibility.h"
#include "gui/HelpBook.h"
#include "gui/MessageDialog.h"
#include "gui/WxText.h"
#include "gui/shell/DocumentOpening.h"
#include "gui/shell/HelpContexts.h"
#include "gui/shell/ShellTexts.h"

namespace pagehold {

namespace texts = shell_texts;

ArchiveProgressWindow::ArchiveProgressWindow(wxWindow* parent, Interaction& questions,
                                             ProgressJob job, HelpBook* help)
    : wxDialog(parent, wxID_ANY, ToWx(texts::kArchivingCaption), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      questions_(questions),
      job_(std::move(job)),
      Timer1(this) {
  SetName("TExportForm");
  auto* panel = new wxPanel(this);
  Label4 = new wxStaticText(panel, wxID_ANY, ToWx(texts::kProgressLabel));
  Gauge1 = new wxGauge(panel, wxID_ANY, 100, wxDefaultPosition, FromDIP(wxSize(260, 18)));
  Gauge1->SetName("Progress");
  Label6 = new wxStaticText(panel, wxID_ANY, ToWx(texts::PercentLabel(0)), wxDefaultPosition,
                            FromDIP(wxSize(40, -1)));
  failureList_ =
      new wxTextCtrl(panel, wxID_ANY, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(320, 120)),
                     wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
  failureList_->SetName(ToWx(texts::kRunFailuresLabel));
  failureList_->Hide();

  auto* bar = new wxBoxSizer(wxHORIZONTAL);
  bar->Add(Gauge1, 1, wxALIGN_CENTER_VERTICAL);
  bar->Add(Label6, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
  auto* panelSizer = new wxBoxSizer(wxVERTICAL);
  panelSizer->Add(Label4, 0, wxBOTTOM, 6);
  panelSizer->Add(bar, 0, wxEXPAND);
  panelSizer->Add(failureList_, 1, wxEXPAND | wxTOP, 8);
  panel->SetSizer(panelSizer);

  CancelButton = new wxButton(this, wxID_CANCEL, ToWx(texts::kCancelButton));
  CancelButton->Bind(wxEVT_BUTTON, &ArchiveProgressWindow::CancelButtonClick, this);
  SetEscapeId(wxID_CANCEL);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(panel, 1, wxEXPAND | wxALL, 12);
  column->Add(CancelButton, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT | wxBOTTOM, 12);
  SetSizerAndFit(column);
  Centre();

  HelpBook::SetHelpContext(this, help_contexts::kArchiveProgress);
  if (help != nullptr)
    help->BindF1(this, questions_);
  Bind(wxEVT_TIMER, &ArchiveProgressWindow::Timer1Timer, this);
  Bind(wxEVT_CLOSE_WINDOW, &ArchiveProgressWindow::FormClose, this);
}

bool ArchiveProgressWindow::Run() {
  Timer1.StartOnce(1);
  return ShowModal() == wxID_OK;
}

void ArchiveProgressWindow::Timer1Timer(wxTimerEvent&) {
  Timer1.Stop();
  running_ = true;
  cancelRequested_ = false;
  ProgressJobEnd end;
  try {
    end = job_(*this);
  } catch (const std::exception& error) {
    // An error that escapes the job ends the window like any other end of the job, and the
    // user learns why.
    end.failures.push_back({std::string(texts::kJobErrorLabel), {error.what()}});
  }
  running_ = false;
  accepted_ = end.accepted;
  if (end.Failed())
    ShowFailures(end.failures);
  if (end.stayOpen || end.Failed())
    return;
  EndModal(accepted_ ? wxID_OK : wxID_CANCEL);
}

// The first heading becomes the window's label; a later one heads its lines inside the list.
void ArchiveProgressWindow::ShowFailures(const std::vector<FailureList>& failures) {
  wxString lines;
  bool first = true;
  for (const FailureList& list : failures) {
    if (list.lines.empty())
      continue;
    if (first) {
      Label4->SetLabel(ToWx(list.heading));
      SetAccessibleName(failureList_, ToWx(list.heading));
    } else {
      lines += "\n" + ToWx(list.heading) + "\n";
    }
    first = false;
    for (const std::string& line : list.lines)
      lines += ToWx(line) + "\n";
  }
  failureList_->ChangeValue(lines);
  failureList_->Show();
  CancelButton->SetLabel(ToWx(texts::kCloseButton));
  GetSizer()->Fit(this);
  Layout();
}

void ArchiveProgressWindow::CancelButtonClick(wxCommandEvent&) {
  if (running_) {
    cancelRequested_ = true;
    return;
  }
  EndModal(accepted_ ? wxID_OK : wxID_CANCEL);
}

void ArchiveProgressWindow::FormClose(wxCloseEvent& event) {
  // The close box does what Cancel does; the window goes only once the job is over.
  if (running_) {
    cancelRequested_ = true;
    event.Veto();
    return;
  }
  EndModal(accepted_ ? wxID_OK : wxID_CANCEL);
}

void ArchiveProgressWindow::ShowStatus(const std::string& text) {
  Label4->SetLabel(ToWx(text));
}

void ArchiveProgressWindow::ShowProgress(int percent) {
  Gauge1->SetValue(percent);
  Label6->SetLabel(ToWx(texts::PercentLabel(percent)));
}

void ArchiveProgressWindow::ProcessPendingEvents() {
  RunPendingEvents();
}

namespace {

std::vector<std::string> Described(const std::vector<RunFailure>& failures) {
  std::vector<std::string> lines;
  for (const RunFailure& failure : failures)
    lines.push_back(failure.Describe());
  return lines;
}

}  // namespace

bool ProgressJobEnd::Failed() const {
  return std::any_of(failures.begin(), failures.end(),
                     [](const FailureList& list) { return !list.lines.empty(); });
}

ArchiveRunReport RunArchiveInWindow(const WindowRunParts& parts, const ItemRefs& selection) {
  ArchiveRunReport report;
  ArchiveProgressWindow window(
      parts.parent, parts.questions,
      [&](Interaction& ui) {
        std::vector<RunFailure> before;
        if (parts.beforeRun)
          before = parts.beforeRun(ui);
        ArchiveRunOptions options = parts.options;
        options.showFailures = false;  // the window lists them
        ArchiveRun run(parts.context, ui, parts.archiveFolder, options);
        report = run.Run(selection);
        ProgressJobEnd end;
        end.accepted = report.result == ArchiveRunResult::OpenIndex;
        // The folder could not be made: the window stays at its start until Cancel.
        end.stayOpen = report.outcome == ArchiveRunOutcome::FolderNotCreated;
        end.failures = {{parts.beforeRunHeading, Described(before)},
                        {std::string(texts::kRunFailuresLabel), Described(report.failures)}};
        if (report.unplaceableItems > 0) {
          end.failures.back().lines.insert(
              end.failures.back().lines.begin(),
              std::to_string(report.unplaceableItems) +
                  " items left out: their host or type cannot name a folder");
        }
        report.failures.insert(report.failures.begin(), before.begin(), before.end());
        return end;
      },
      parts.help);
  const bool openIndex = window.Run();
  if (openIndex)
    OpenDocument(IndexPageForOpening(report.indexPage), parts.shell, parts.questions);
  return report;
}

}  // namespace pagehold
