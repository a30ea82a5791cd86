#include "gui/SearchWindow.h"

#include <wx/activityindicator.h>
#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/Accessibility.h"
#include "gui/HelpBook.h"
#include "gui/MessageDialog.h"
#include "gui/ResultList.h"
#include "gui/WxText.h"
#include "gui/shell/DocumentOpening.h"
#include "gui/shell/HelpContexts.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "search/FindInArchive.h"
#include "search/ResultSort.h"

namespace pagehold {

namespace {

constexpr int kCancelCommand = wxID_HIGHEST + 3;

wxTextCtrl* AddField(wxWindow* parent, wxSizer* grid, const char* caption, const char* name) {
  auto* label = new wxStaticText(parent, wxID_ANY, caption);
  auto* edit = new wxTextCtrl(parent, wxID_ANY);
  edit->SetName(name);
  LabelControl(label, edit);
  grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(edit, 1, wxEXPAND);
  return edit;
}

}  // namespace

SearchWindow::SearchWindow(wxWindow* parent, const MainWindowParts& parts)
    : wxDialog(parent, wxID_ANY, "Pagehold - Search Archive", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER),
      parts_(parts),
      memory_(parts.context.store),
      collation_(UserCollationLocale()) {
  SetName("TSearchFrm");
  CreateControls();
  // The window is never made smaller than its design's minimum, nor than its fields need.
  const wxSize needed = GetBestSize();
  SetMinSize(wxSize(std::max(needed.x, DesignPixels(this, 580)),
                    std::max(needed.y, DesignPixels(this, 250))));
  SetSize(wxSize(std::max(needed.x, DesignPixels(this, 630)),
                 std::max(needed.y, DesignPixels(this, 479))));
  Centre();
  HelpBook::SetHelpContext(this, help_contexts::kSearch);
  parts_.help.BindF1(this, parts_.ui);
  Bind(wxEVT_CLOSE_WINDOW, &SearchWindow::FormClose, this);
  URLEdit->SetFocus();
}

void SearchWindow::CreateControls() {
  auto* Panel1 = new wxPanel(this);
  auto* fields = new wxFlexGridSizer(2, 6, 8);
  fields->AddGrowableCol(1);
  URLEdit = AddField(Panel1, fields, "Find in &URL", "URLEdit");
  HTMLEdit = AddField(Panel1, fields, "Find in &Text", "HTMLEdit");
  folder_ =
      CreateArchiveFolderField(Panel1, {"&Look in", "Use Se&condary location"}, parts_.context,
                               FolderFieldAtStart(RememberedFolder::Search, parts_.context.store,
                                                  parts_.context.programFolder));
  fields->Add(folder_.Label3, 0, wxALIGN_CENTER_VERTICAL);
  auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
  folderRow->Add(folder_.DirEdit, 1, wxALIGN_CENTER_VERTICAL);
  folderRow->Add(folder_.BrowseButton, 0, wxLEFT, 6);
  fields->Add(folderRow, 1, wxEXPAND);
  fields->AddSpacer(0);
  auto* locations = new wxBoxSizer(wxHORIZONTAL);
  locations->Add(folder_.DefaultBtn, 0, wxRIGHT, 6);
  locations->Add(folder_.OtherBtn, 0);
  fields->Add(locations, 0);

  FindButton = new wxButton(Panel1, wxID_ANY, "&Find");
  FindButton->SetName("FindButton");
  FindButton->SetDefault();
  FindButton->Bind(wxEVT_BUTTON, &SearchWindow::FindButtonClick, this);
  StopButton = new wxButton(Panel1, wxID_ANY, "&Stop");
  StopButton->SetName("StopButton");
  StopButton->Disable();
  StopButton->Bind(wxEVT_BUTTON, &SearchWindow::StopButtonClick, this);
  FindAnim = new wxActivityIndicator(Panel1, wxID_ANY);
  FindAnim->SetName("FindAnim");
  auto* actions = new wxBoxSizer(wxVERTICAL);
  actions->Add(FindButton, 0, wxEXPAND | wxBOTTOM, 6);
  actions->Add(StopButton, 0, wxEXPAND | wxBOTTOM, 10);
  actions->Add(FindAnim, 0, wxALIGN_CENTER);

  auto* panelRow = new wxBoxSizer(wxHORIZONTAL);
  panelRow->Add(fields, 1, wxEXPAND | wxALL, 10);
  panelRow->Add(actions, 0, wxTOP | wxRIGHT | wxBOTTOM, 10);
  Panel1->SetSizer(panelRow);

  results_ = new ResultListModel(parts_.context.dataFolder);
  ResultView = CreateResultList(this, results_, wxDV_SINGLE, "Found entries");
  results_->DecRef();  // the list holds the model from here on
  ResultView->Bind(wxEVT_DATAVIEW_COLUMN_HEADER_CLICK, &SearchWindow::ResultViewColumnClick, this);
  ResultView->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &SearchWindow::ResultViewDblClick, this);
  ResultView->Bind(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, &SearchWindow::ResultViewContextMenu, this);
  Bind(wxEVT_MENU, &SearchWindow::Open1Click, this, kOpenCommand);
  Bind(wxEVT_MENU, &SearchWindow::ExploreClick, this, kExploreCommand);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(Panel1, 0, wxEXPAND);
  column->Add(ResultView, 1, wxEXPAND);
  SetSizer(column);
}

void SearchWindow::FindButtonClick(wxCommandEvent&) {
  const FindFields fields{FromWx(URLEdit->GetValue()), FromWx(HTMLEdit->GetValue()),
                          folder_.Text()};
  pagehold::FindFocus focus = pagehold::FindFocus::None;
  const std::optional<SearchQuery> query = CheckFindFields(fields, *this, focus);
  if (!query) {
    if (focus == pagehold::FindFocus::Url)
      URLEdit->SetFocus();
    else if (focus == pagehold::FindFocus::Folder)
      folder_.DirEdit->SetFocus();
    return;
  }
  const SearchSummary summary = SearchArchive(*query);
  if (closeRequested_) {
    // The window was closed during the search: it goes without telling what was found.
    memory_.Remember(RememberedFolder::Search, fields.folderText);
    EndModal(wxID_CANCEL);
    return;
  }
  FinishFind(fields, summary, *this, memory_);
}

SearchSummary SearchWindow::SearchArchive(const SearchQuery& query) {
  results_->Clear();
  SetSearching(true);
  const SearchSummary summary =
      pagehold::SearchArchive(query, parts_.context.mimeTable, *this,
                              [this](SearchResult row) { results_->Append(std::move(row)); });
  SetSearching(false);
  return summary;
}

void SearchWindow::SetSearching(bool searching) {
  searching_ = searching;
  stopRequest_ = false;
  StopButton->Enable(searching);
  FindButton->Enable(!searching);
  folder_.DefaultBtn->Enable(!searching);
  folder_.OtherBtn->Enable(!searching);
  if (searching)
    FindAnim->Start();
  else
    FindAnim->Stop();
}

void SearchWindow::StopButtonClick(wxCommandEvent&) {
  stopRequest_ = true;
  StopButton->Disable();
}

void SearchWindow::ResultViewColumnClick(wxDataViewEvent&) {
  // Whichever header is clicked, the rows go in ascending order of their address.
  results_->SortByAddress(collation_);
}

void SearchWindow::ResultViewDblClick(wxDataViewEvent&) {
  const std::string file = SelectedArchiveFile();
  if (!file.empty())
    OpenDocument(file, parts_.shell, *this);
}

void SearchWindow::ResultViewContextMenu(wxDataViewEvent&) {
  wxMenu PopupMenu1;
  PopupMenu1.Append(kOpenCommand, "Open");
  PopupMenu1.Append(kExploreCommand, "&Explore Folder");
  PopupMenu1.AppendSeparator();
  PopupMenu1.Append(kCancelCommand, "Cancel");
  const bool chosen = !SelectedArchiveFile().empty();
  PopupMenu1.Enable(kOpenCommand, chosen);
  PopupMenu1.Enable(kExploreCommand, chosen);
  PopupMenu(&PopupMenu1);
}

void SearchWindow::Open1Click(wxCommandEvent&) {
  const std::string file = SelectedArchiveFile();
  if (!file.empty())
    OpenDocument(file, parts_.shell, *this);
}

void SearchWindow::ExploreClick(wxCommandEvent&) {
  const std::string file = SelectedArchiveFile();
  if (!file.empty())
    ExploreFolderOf(file, parts_.shell, *this);
}

std::string SearchWindow::SelectedArchiveFile() const {
  const SearchResult* row = results_->RowAt(ResultView->GetSelection());
  return row != nullptr ? row->ArchiveFile : std::string();
}

void SearchWindow::FormClose(wxCloseEvent& event) {
  // A running search is stopped first; the window closes when it has ended.
  if (searching_) {
    stopRequest_ = true;
    closeRequested_ = true;
    event.Veto();
    return;
  }
  EndModal(wxID_CANCEL);
}

MessageAnswer SearchWindow::Ask(const Message& message) {
  Message withHelp = message;
  if (withHelp.helpContext == help_contexts::kNone)
    withHelp.helpContext = help_contexts::kSearch;
  return parts_.ui.Ask(withHelp);
}

void SearchWindow::ProcessPendingEvents() {
  RunPendingEvents();
}

}  // namespace pagehold
