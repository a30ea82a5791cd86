// The Cache Explorer's controls: created in their tab order on BackPanel, placed by sizers, named
// for a screen reader and given their help contexts.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/Accessibility.h"
#include "gui/CacheExplorerWindow.h"
#include "gui/HelpBook.h"
#include "gui/WaitPanel.h"
#include "gui/WxText.h"
#include "gui/shell/HelpContexts.h"

namespace pagehold {

namespace {

constexpr int kListWidth = 180;
constexpr int kListHeight = 190;
constexpr int kMoveButtonWidth = 44;
constexpr int kCounterWidth = 64;
constexpr int kGap = 8;

wxButton* MoveButton(wxWindow* parent, const char* caption, const char* hint) {
  auto* button = new wxButton(parent, wxID_ANY, caption, wxDefaultPosition,
                              parent->FromDIP(wxSize(kMoveButtonWidth, -1)));
  button->SetToolTip(hint);
  SetAccessibleName(button, hint);
  return button;
}

wxListBox* DomainListBox(wxWindow* parent, const char* name) {
  auto* list = new wxListBox(parent, wxID_ANY, wxDefaultPosition,
                             parent->FromDIP(wxSize(kListWidth, kListHeight)), 0, nullptr,
                             wxLB_EXTENDED | wxLB_NEEDED_SB);
  SetAccessibleName(list, name);
  return list;
}

wxChoice* DropDownList(wxWindow* parent, const char* name) {
  auto* choice = new wxChoice(parent, wxID_ANY);
  SetAccessibleName(choice, name);
  return choice;
}

wxTextCtrl* CounterField(wxWindow* parent, const char* name) {
  auto* field =
      new wxTextCtrl(parent, wxID_ANY, "0", wxDefaultPosition,
                     parent->FromDIP(wxSize(kCounterWidth, -1)), wxTE_READONLY | wxTE_RIGHT);
  SetAccessibleName(field, name);
  return field;
}

// A labelled column: the caption above the control, which takes the height left.
wxSizer* Labelled(wxWindow* label, wxWindow* control) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(label, 0, wxBOTTOM, 4);
  column->Add(control, 1, wxEXPAND);
  return column;
}

}  // namespace

void CacheExplorerWindow::CreateControls() {
  BackPanel = new wxPanel(this, wxID_ANY);
  BackPanel->SetName("BackPanel");
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  CreateDomainLists(top);
  auto* buttons = new wxBoxSizer(wxVERTICAL);
  CreateActionButtons(buttons);
  top->Add(buttons, 0, wxLEFT, 2 * kGap);

  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  bottom->Add(CreateAgeGroup(), 1, wxEXPAND | wxRIGHT, kGap);
  bottom->Add(CreateKindGroup(), 1, wxEXPAND | wxRIGHT, kGap);
  bottom->Add(CreateCountGroup(), 0, wxEXPAND);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(top, 1, wxEXPAND | wxALL, kGap + 2);
  column->Add(bottom, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kGap + 2);
  BackPanel->SetSizer(column);

  auto* frame = new wxBoxSizer(wxVERTICAL);
  frame->Add(BackPanel, 1, wxEXPAND);
  SetSizer(frame);
  SetMinClientSize(FromDIP(wxSize(607, 327)));
  Fit();

  // The wait panel lies over BackPanel, outside the sizers, and shows only while the window
  // works.
  fatPanel_ = new WaitPanel(this, kReadingCaption);
  SetHelpContexts();
}

void CacheExplorerWindow::CreateDomainLists(wxSizer* row) {
  SrcLabel = new wxStaticText(BackPanel, wxID_ANY, "Available Domains");
  SrcList = DomainListBox(BackPanel, "Available Domains");
  DstLabel = new wxStaticText(BackPanel, wxID_ANY, "Archive/Delete");
  DstList = DomainListBox(BackPanel, "Archive/Delete");
  IncludeBtn = MoveButton(BackPanel, ">", "Add selection");
  IncAllBtn = MoveButton(BackPanel, ">>", "Add all");
  ExcludeBtn = MoveButton(BackPanel, "<", "Remove selection");
  ExAllBtn = MoveButton(BackPanel, "<<", "Remove all");
  ExcludeBtn->Disable();
  ExAllBtn->Disable();

  auto* moves = new wxBoxSizer(wxVERTICAL);
  moves->AddStretchSpacer();
  for (wxButton* button : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn})
    moves->Add(button, 0, wxTOP | wxBOTTOM, 3);
  moves->AddStretchSpacer();
  row->Add(Labelled(SrcLabel, SrcList), 1, wxEXPAND);
  row->Add(moves, 0, wxEXPAND | wxLEFT | wxRIGHT, kGap);
  row->Add(Labelled(DstLabel, DstList), 1, wxEXPAND);
}

void CacheExplorerWindow::CreateActionButtons(wxSizer* column) {
  UncacheButton = new wxButton(BackPanel, wxID_ANY, "&Archive");
  DeleteButton = new wxButton(BackPanel, wxID_ANY, "&Delete");
  PrefsBtn = new wxButton(BackPanel, wxID_ANY, "&Properties");
  CancelButton = new wxButton(BackPanel, wxID_CANCEL, "&Close");
  HelpButton = new wxButton(BackPanel, wxID_ANY, "&Help");
  UncacheButton->SetDefault();
  column->AddSpacer(SrcLabel->GetBestSize().y + 4);
  for (wxButton* button : {UncacheButton, DeleteButton, PrefsBtn, CancelButton, HelpButton})
    column->Add(button, 0, wxEXPAND | wxBOTTOM, 6);
}

wxSizer* CacheExplorerWindow::CreateAgeGroup() {
  ChooseDates = new wxStaticBox(BackPanel, wxID_ANY, "File Age");
  OldNewBox = DropDownList(ChooseDates, "File Age");
  for (const char* choice : {"All ages", "Newer than", "Older than"})
    OldNewBox->Append(choice);
  AgeBox = DropDownList(ChooseDates, "Number");
  HDWBox = DropDownList(ChooseDates, "Unit");
  for (const char* unit : {"Hour(s)", "Day(s)", "Week(s)"})
    HDWBox->Append(unit);

  auto* group = new wxStaticBoxSizer(ChooseDates, wxVERTICAL);
  group->Add(OldNewBox, 0, wxEXPAND | wxALL, 4);
  auto* span = new wxBoxSizer(wxHORIZONTAL);
  span->Add(AgeBox, 1, wxRIGHT, 4);
  span->Add(HDWBox, 1);
  group->Add(span, 0, wxEXPAND | wxALL, 4);
  return group;
}

wxSizer* CacheExplorerWindow::CreateKindGroup() {
  FtypeBox = new wxStaticBox(BackPanel, wxID_ANY, "File Types");
  TextBox = new wxCheckBox(FtypeBox, wxID_ANY, "HTML/PlainText/Rich Text");
  MediaBox = new wxCheckBox(FtypeBox, wxID_ANY, "Image/Sound/Video Files");
  OthersBox = new wxCheckBox(FtypeBox, wxID_ANY, "Other Files");
  auto* group = new wxStaticBoxSizer(FtypeBox, wxVERTICAL);
  for (wxCheckBox* box : {TextBox, MediaBox, OthersBox})
    group->Add(box, 0, wxALL, 3);
  return group;
}

wxSizer* CacheExplorerWindow::CreateCountGroup() {
  NumFilesBox = new wxStaticBox(BackPanel, wxID_ANY, "Number of Files");
  auto* grid = new wxFlexGridSizer(2, 3, 6);
  const auto addCounter = [&](const char* label) {
    grid->Add(new wxStaticText(NumFilesBox, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    wxTextCtrl* field = CounterField(NumFilesBox, label);
    grid->Add(field);
    return field;
  };
  NumTextPanel = addCounter("Text");
  NumMediaPanel = addCounter("Media");
  NumOtherPanel = addCounter("Other");
  auto* group = new wxStaticBoxSizer(NumFilesBox, wxVERTICAL);
  group->Add(grid, 0, wxALL, 4);
  return group;
}

void CacheExplorerWindow::SetHelpContexts() {
  namespace help = help_contexts;
  HelpBook::SetHelpContext(this, help::kCacheExplorer);
  const std::pair<wxWindow*, int> contexts[] = {
      {SrcList, help::kAvailableDomains},
      {DstList, help::kChosenDomains},
      {UncacheButton, help::kArchiveButton},
      {DeleteButton, help::kDeleteButton},
      {PrefsBtn, help::kPropertiesButton},
      {ChooseDates, help::kFileAge},
      {TextBox, help::kTextKind},
      {MediaBox, help::kMediaKind},
      {OthersBox, help::kOtherKind},
      {NumFilesBox, help::kFileCounts},
  };
  for (const auto& [control, context] : contexts)
    HelpBook::SetHelpContext(control, context);
  if (parts_.context.product == Product::InternetExplorer)
    HelpBook::SetHelpContext(CancelButton, help::kCacheExplorerClose);
}

}  // namespace pagehold
