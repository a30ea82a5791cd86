#include "gui/CacheExplorerWindow.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "archive/ArchiveRun.h"
#include "cache/Dates.h"
#include "explorer/CacheDeletion.h"
#include "explorer/ReadingEnd.h"
#include "gui/ArchiveProgressWindow.h"
#include "gui/HelpBook.h"
#include "gui/MessageDialog.h"
#include "gui/WaitPanel.h"
#include "gui/WxText.h"
#include "gui/shell/HelpContexts.h"
#include "gui/shell/MainActions.h"
#include "gui/shell/ProgramCacheSource.h"
#include "gui/shell/ShellTexts.h"

namespace pagehold {

namespace {

void ShowCounter(wxTextCtrl* field, int count, bool checked) {
  field->ChangeValue(wxString::Format("%d", count));
  // An unchecked kind keeps its number, greyed: it still counts, but is left out.
  field->SetForegroundColour(checked ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)
                                     : wxColour(128, 128, 128));
  field->Refresh();
}

}  // namespace

// The window at work: the wait panel over the controls, BackPanel disabled and the hourglass,
// all restored on every way out.
class CacheExplorerWindow::WorkScope {
 public:
  explicit WorkScope(CacheExplorerWindow& window) : window_(window) {}
  ~WorkScope() { window_.EndWork(); }
  WorkScope(const WorkScope&) = delete;
  WorkScope& operator=(const WorkScope&) = delete;

 private:
  CacheExplorerWindow& window_;
};

CacheExplorerWindow::CacheExplorerWindow(wxWindow* parent, const CacheExplorerParts& parts)
    : wxDialog(parent, wxID_ANY, "Pagehold - Cache Explorer", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      parts_(parts) {
  SetName("TSelectionForm");
  CreateControls();
  BindEvents();
  if (parts_.help != nullptr)
    parts_.help->BindF1(this, parts_.ui);
  FormShow();
  Centre();
}

CacheExplorerWindow::~CacheExplorerWindow() = default;

void CacheExplorerWindow::BindEvents() {
  BackPanel->Bind(wxEVT_PAINT, &CacheExplorerWindow::BackPanelPaint, this);
  for (wxButton* button : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn})
    button->Bind(wxEVT_BUTTON, &CacheExplorerWindow::MoveClick, this);
  SrcList->Bind(wxEVT_LISTBOX_DCLICK, &CacheExplorerWindow::MoveClick, this);
  DstList->Bind(wxEVT_LISTBOX_DCLICK, &CacheExplorerWindow::MoveClick, this);
  for (wxChoice* box : {OldNewBox, AgeBox, HDWBox})
    box->Bind(wxEVT_CHOICE, &CacheExplorerWindow::AgeChoiceChange, this);
  for (wxCheckBox* box : {TextBox, MediaBox, OthersBox})
    box->Bind(wxEVT_CHECKBOX, &CacheExplorerWindow::KindBoxClick, this);
  UncacheButton->Bind(wxEVT_BUTTON, &CacheExplorerWindow::UncacheButtonClick, this);
  DeleteButton->Bind(wxEVT_BUTTON, &CacheExplorerWindow::DeleteButtonClick, this);
  PrefsBtn->Bind(wxEVT_BUTTON, &CacheExplorerWindow::PrefsBtnClick, this);
  CancelButton->Bind(wxEVT_BUTTON, &CacheExplorerWindow::CancelButtonClick, this);
  HelpButton->Bind(wxEVT_BUTTON, &CacheExplorerWindow::HelpButtonClick, this);
  Bind(wxEVT_CLOSE_WINDOW, &CacheExplorerWindow::FormClose, this);
}

void CacheExplorerWindow::ShowAndRead() {
  FormShow();
  reading_ = Reading::Pending;
  ShowModal();
}

// Every showing starts from "All ages", "Hour(s)" and its first number, empty lists, zero
// counters and every kind checked, over a source for the cache the settings name now.
void CacheExplorerWindow::FormShow() {
  explorer_.reset();
  source_ = MakeProgramCacheSource(parts_.context);
  explorer_ = std::make_unique<CacheExplorer>(parts_.cacheList, *source_, Now);
  explorer_->Reset();
  ShowExplorer();
}

void CacheExplorerWindow::BackPanelPaint(wxPaintEvent&) {
  wxPaintDC paint(BackPanel);
  if (reading_ != Reading::Pending)
    return;
  // A repaint before the reading starts, or while it runs, does not start another.
  reading_ = Reading::Asked;
  CallAfter(&CacheExplorerWindow::ReadCacheNow);
}

void CacheExplorerWindow::ReadCacheNow() {
  reading_ = Reading::None;
  ReadingReport report;
  {
    WorkScope work(*this);
    BeginWork(kReadingCaption);
    report = explorer_->ReadCache(*this);
    ShowExplorer();
  }
  const ReadingEnd end = AfterReading(report, parts_.context.product, parts_.cacheList.size());
  if (end.message)
    parts_.ui.Ask(*end.message);
  if (end.closeWindow)
    EndModal(wxID_CANCEL);
}

void CacheExplorerWindow::FormClose(wxCloseEvent& event) {
  // While the window works, closing it asks the work to stop; the window stays.
  if (working_) {
    fatPanel_->RequestStop();
    event.Veto();
    return;
  }
  EndModal(wxID_CANCEL);
}

void CacheExplorerWindow::Recount(const std::function<void()>& change) {
  {
    wxBusyCursor hourglass;
    BackPanel->Disable();
    try {
      change();
    } catch (...) {
      BackPanel->Enable();
      throw;
    }
    RunPendingEvents();
    BackPanel->Enable();
  }
  ShowExplorer();
}

void CacheExplorerWindow::MoveClick(wxCommandEvent& event) {
  TakeSelections();
  const wxObject* from = event.GetEventObject();
  Recount([&] {
    if (from == IncludeBtn || from == SrcList)
      explorer_->Include();
    else if (from == ExcludeBtn || from == DstList)
      explorer_->Exclude();
    else if (from == IncAllBtn)
      explorer_->IncludeAll();
    else if (from == ExAllBtn)
      explorer_->ExcludeAll();
  });
  // The list the entries left keeps the focus, with the entry nearest the first one moved.
  (explorer_->FocusedList() == &explorer_->Available() ? SrcList : DstList)->SetFocus();
}

void CacheExplorerWindow::AgeChoiceChange(wxCommandEvent& event) {
  const wxObject* from = event.GetEventObject();
  const int chosen = event.GetSelection();
  Recount([&] {
    if (from == OldNewBox)
      explorer_->SetAge(static_cast<AgeChoice>(chosen));
    else if (from == AgeBox)
      explorer_->SetAgeNumberIndex(chosen);
    else
      explorer_->SetUnit(static_cast<AgeUnit>(chosen));
  });
}

void CacheExplorerWindow::KindBoxClick(wxCommandEvent&) {
  explorer_->SetKinds({TextBox->GetValue(), MediaBox->GetValue(), OthersBox->GetValue()});
  ShowCounts();
}

void CacheExplorerWindow::UncacheButtonClick(wxCommandEvent&) {
  struct Restore {
    wxPanel* panel;
    ~Restore() { panel->Enable(); }
  } restore{BackPanel};
  BackPanel->Disable();
  ItemRefs chosen;
  {
    // The hourglass while the choice is gathered; the progress window shows the run itself.
    wxBusyCursor hourglass;
    RunPendingEvents();
    chosen = explorer_->ChosenItems();
  }
  if (!explorer_->ConfirmSomethingToArchive(parts_.ui))
    return;
  ArchiveRunOptions options;
  options.namingRule = source_->FileNamingRule();
  options.beforeCompletionQuestion = parts_.completedRun;
  RunArchiveInWindow({this, parts_.context, parts_.context.settings.CurrentArchiveFolder, parts_.ui,
                      parts_.shell, options, parts_.help},
                     chosen);
}

void CacheExplorerWindow::DeleteButtonClick(wxCommandEvent&) {
  DeletionOutcome outcome;
  {
    WorkScope work(*this);
    outcome = DeleteChosenItems(*explorer_, *this);
    ShowExplorer();
  }
  if (outcome.result == DeletionResult::Deleted)
    parts_.ui.Ask(DeletionReportMessage(outcome));
}

void CacheExplorerWindow::PrefsBtnClick(wxCommandEvent&) {
  if (parts_.showProperties)
    parts_.showProperties();
}

void CacheExplorerWindow::CancelButtonClick(wxCommandEvent&) {
  EndModal(wxID_CANCEL);
}

void CacheExplorerWindow::HelpButtonClick(wxCommandEvent&) {
  if (parts_.help == nullptr || !parts_.help->ShowHelpTopic(help_contexts::kCacheExplorer))
    ShowShellMessage(parts_.ui, shell_texts::kHelpNotFoundMessage, true);
}

void CacheExplorerWindow::ShowExplorer() {
  ShowLists();
  ShowAgeChoice();
  SetButtons();
  ShowCounts();
}

void CacheExplorerWindow::ShowLists() {
  const std::pair<wxListBox*, const DomainList*> lists[] = {{SrcList, &explorer_->Available()},
                                                            {DstList, &explorer_->ArchiveDelete()}};
  for (const auto& [box, list] : lists) {
    wxArrayString names;
    names.reserve(list->Count());
    for (int i = 0; i < list->Count(); ++i)
      names.push_back(ToWx(list->Name(i)));
    box->Set(names);
    for (int i = 0; i < list->Count(); ++i) {
      if (list->IsSelected(i))
        box->SetSelection(i);
    }
  }
}

void CacheExplorerWindow::ShowAgeChoice() {
  OldNewBox->SetSelection(static_cast<int>(explorer_->Age()));
  HDWBox->SetSelection(static_cast<int>(explorer_->Unit()));
  wxArrayString numbers;
  for (const int number : explorer_->AgeNumbers())
    numbers.push_back(wxString::Format("%d", number));
  if (AgeBox->GetStrings() != numbers)
    AgeBox->Set(numbers);
  AgeBox->SetSelection(explorer_->AgeNumberIndex());
  AgeBox->Enable(explorer_->AgeBoxesEnabled());
  HDWBox->Enable(explorer_->AgeBoxesEnabled());
}

void CacheExplorerWindow::SetButtons() {
  IncludeBtn->Enable(explorer_->IncludeEnabled());
  IncAllBtn->Enable(explorer_->IncludeEnabled());
  ExcludeBtn->Enable(explorer_->ExcludeEnabled());
  ExAllBtn->Enable(explorer_->ExcludeEnabled());
}

void CacheExplorerWindow::ShowCounts() {
  const KindBoxes& kinds = explorer_->Kinds();
  const KindCounts& counts = explorer_->Counts();
  TextBox->SetValue(kinds.text);
  MediaBox->SetValue(kinds.media);
  OthersBox->SetValue(kinds.other);
  ShowCounter(NumTextPanel, counts.text, kinds.text);
  ShowCounter(NumMediaPanel, counts.media, kinds.media);
  ShowCounter(NumOtherPanel, counts.other, kinds.other);
}

void CacheExplorerWindow::TakeSelections() {
  const std::pair<wxListBox*, DomainList*> lists[] = {{SrcList, &explorer_->Available()},
                                                      {DstList, &explorer_->ArchiveDelete()}};
  for (const auto& [box, list] : lists) {
    for (int i = 0; i < list->Count(); ++i)
      list->SetSelected(i, box->IsSelected(i));
  }
}

MessageAnswer CacheExplorerWindow::Ask(const Message& message) {
  return parts_.ui.Ask(message);
}

void CacheExplorerWindow::ShowStatus(const std::string& text) {
  if (working_)
    fatPanel_->SetCaption(text);
  else
    BeginWork(text);
}

void CacheExplorerWindow::ShowProgress(int percent) {
  fatPanel_->SetProgress(percent);
  // The bar moves at most a hundred times in a job; each move paints it and lets Stop be seen.
  RunPendingEvents();
}

void CacheExplorerWindow::ProcessPendingEvents() {
  RunPendingEvents();
}

bool CacheExplorerWindow::CancelRequested() const {
  return fatPanel_->StopRequested();
}

void CacheExplorerWindow::BeginWork(const std::string& caption) {
  if (working_) {
    fatPanel_->SetCaption(caption);
    return;
  }
  working_ = true;
  wxBeginBusyCursor();
  BackPanel->Disable();
  fatPanel_->ShowOver(caption);
  SetEscapeId(wxID_STOP);
  RunPendingEvents();
}

void CacheExplorerWindow::EndWork() {
  if (!working_)
    return;
  working_ = false;
  wxEndBusyCursor();
  fatPanel_->Hide();
  fatPanel_->SetCaption(kReadingCaption);
  BackPanel->Enable();
  SetEscapeId(wxID_ANY);
  RunPendingEvents();
}

}  // namespace pagehold
