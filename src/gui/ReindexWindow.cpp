#include "gui/ReindexWindow.h"

#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/Accessibility.h"
#include "gui/ArchiveProgressWindow.h"
#include "gui/MessageDialog.h"
#include "gui/ResultList.h"
#include "gui/WxText.h"
#include "gui/shell/ShellTexts.h"
#include "platform/Paths.h"
#include "search/ArchiveMaintenance.h"
#include "search/SearchMessages.h"

namespace pagehold {

namespace {

constexpr int kTextWidth = 460;  // at design, of the explaining lines

// A group with its explaining line and its button to the right.
wxSizer* AddGroup(wxWindow* page, const char* caption, const char* text, wxButton*& button,
                  const char* buttonCaption, const char* buttonName) {
  auto* group = new wxStaticBoxSizer(wxHORIZONTAL, page, caption);
  auto* line = new wxStaticText(group->GetStaticBox(), wxID_ANY, text);
  line->Wrap(DesignPixels(page, kTextWidth));
  button = new wxButton(group->GetStaticBox(), wxID_ANY, buttonCaption);
  button->SetName(buttonName);
  group->Add(line, 1, wxALIGN_CENTER_VERTICAL | wxALL, 6);
  group->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxALL, 6);
  return group;
}

// The page with its controls laid out inside a margin.
wxWindow* WithMargin(wxWindow* page, wxSizer* controls) {
  auto* margin = new wxBoxSizer(wxVERTICAL);
  margin->Add(controls, 1, wxEXPAND | wxALL, 10);
  page->SetSizer(margin);
  return page;
}

}  // namespace

ReindexWindow::ReindexWindow(wxWindow* parent, const MainWindowParts& parts)
    : wxDialog(parent, wxID_ANY, "Delete from Archive", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      parts_(parts),
      memory_(parts.context.store) {
  SetName("TReindexForm");
  PageControl1 = new wxNotebook(this, wxID_ANY);
  SetAccessibleName(PageControl1, "Pages");
  PageControl1->AddPage(CreateGeneralPage(PageControl1), "General");
  PageControl1->AddPage(CreateEntriesPage(PageControl1), "Entries");
  auto* Button3 = new wxButton(this, wxID_CANCEL, "&Close");
  SetEscapeId(wxID_CANCEL);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(PageControl1, 1, wxEXPAND | wxALL, 10);
  column->Add(Button3, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
  SetSizerAndFit(column);
  Centre();
  Bind(wxEVT_CLOSE_WINDOW, &ReindexWindow::FormClose, this);
  Button3->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Close(); });
  folder_.DirEdit->SetFocus();
}

wxWindow* ReindexWindow::CreateGeneralPage(wxNotebook* pages) {
  auto* ReindexSheet = new wxPanel(pages);
  folder_ = CreateArchiveFolderField(
      ReindexSheet, {"&Archive folder location", "Use &Secondary location"}, parts_.context,
      FolderFieldAtStart(RememberedFolder::Reindex, parts_.context.store,
                         parts_.context.programFolder));
  auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
  folderRow->Add(folder_.DirEdit, 1, wxALIGN_CENTER_VERTICAL);
  folderRow->Add(folder_.BrowseButton, 0, wxLEFT, 6);
  auto* locations = new wxBoxSizer(wxHORIZONTAL);
  locations->Add(folder_.DefaultBtn, 0, wxRIGHT, 6);
  locations->Add(folder_.OtherBtn, 0);

  wxButton* ExploreBtn = nullptr;
  wxButton* ReindexBtn = nullptr;
  wxSizer* ExploreGB =
      AddGroup(ReindexSheet, "Explore Archive", "Explore the archive to delete unwanted entries.",
               ExploreBtn, "&Explore", "ExploreBtn");
  wxSizer* ReindexGB = AddGroup(ReindexSheet, "Re-index Archive",
                                "When you have deleted entries from an archive, use the re-index "
                                "feature to recreate the index files.",
                                ReindexBtn, "&Re-index", "ReindexBtn");
  ExploreBtn->Bind(wxEVT_BUTTON, &ReindexWindow::ExploreBtnClick, this);
  ReindexBtn->Bind(wxEVT_BUTTON, &ReindexWindow::ReindexBtnClick, this);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(folder_.Label3, 0, wxBOTTOM, 4);
  column->Add(folderRow, 0, wxEXPAND | wxBOTTOM, 6);
  column->Add(locations, 0, wxBOTTOM, 12);
  column->Add(ExploreGB, 0, wxEXPAND | wxBOTTOM, 8);
  column->Add(ReindexGB, 0, wxEXPAND);
  return WithMargin(ReindexSheet, column);
}

wxWindow* ReindexWindow::CreateEntriesPage(wxNotebook* pages) {
  auto* EntriesSheet = new wxPanel(pages);
  auto* intro = new wxStaticText(
      EntriesSheet, wxID_ANY,
      "List the entries of the archive folder and choose those to delete. Their archived files "
      "are deleted and the archive is re-indexed without them.");
  intro->Wrap(DesignPixels(this, 600));
  ListBtn = new wxButton(EntriesSheet, wxID_ANY, "&List Entries");
  ListBtn->SetName("ListBtn");
  ListBtn->Bind(wxEVT_BUTTON, &ReindexWindow::ListBtnClick, this);
  EntriesNoteLabel = new wxStaticText(EntriesSheet, wxID_ANY, wxEmptyString);
  EntriesNoteLabel->SetName("EntriesNote");
  entryRows_ = new ResultListModel(parts_.context.dataFolder);
  EntryView = CreateResultList(EntriesSheet, entryRows_, wxDV_MULTIPLE, "Archive entries");
  entryRows_->DecRef();  // the list holds the model from here on
  EntryView->SetMinSize(wxSize(DesignPixels(this, 600), DesignPixels(this, 220)));
  DeleteEntriesBtn = new wxButton(EntriesSheet, wxID_ANY, "Delete C&hosen Entries");
  DeleteEntriesBtn->SetName("DeleteEntriesBtn");
  DeleteEntriesBtn->Disable();
  DeleteEntriesBtn->Bind(wxEVT_BUTTON, &ReindexWindow::DeleteEntriesBtnClick, this);
  EntryView->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, [this](wxDataViewEvent&) {
    DeleteEntriesBtn->Enable(!listing_ && EntryView->HasSelection());
  });

  auto* listRow = new wxBoxSizer(wxHORIZONTAL);
  listRow->Add(ListBtn, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  listRow->Add(EntriesNoteLabel, 1, wxALIGN_CENTER_VERTICAL);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(intro, 0, wxBOTTOM, 8);
  column->Add(listRow, 0, wxEXPAND | wxBOTTOM, 6);
  column->Add(EntryView, 1, wxEXPAND | wxBOTTOM, 6);
  column->Add(DeleteEntriesBtn, 0, wxALIGN_RIGHT);
  return WithMargin(EntriesSheet, column);
}

void ReindexWindow::ExploreBtnClick(wxCommandEvent&) {
  if (!ExploreArchive(folder_.Text(), parts_.shell, parts_.ui, memory_))
    folder_.DirEdit->SetFocus();
}

void ReindexWindow::ReindexBtnClick(wxCommandEvent&) {
  const bool reindexed = ReindexArchive(
      folder_.Text(), parts_.ui, memory_,
      [this](const std::string& folder) { RunReindex(folder, DamagedArchiveChoice::Ask); });
  if (!reindexed)
    folder_.DirEdit->SetFocus();
}

void ReindexWindow::RunReindex(const std::string& folder, DamagedArchiveChoice damaged,
                               std::function<std::vector<RunFailure>(Interaction&)> before) {
  ArchiveRunOptions options;
  options.damagedArchive = damaged;
  options.beforeCompletionQuestion = parts_.completedRun;
  WindowRunParts run{
      this,         parts_.context,    folder,
      parts_.ui,    parts_.shell,      options,
      &parts_.help, std::move(before), std::string(shell_texts::kDeletionFailuresLabel)};
  RunArchiveInWindow(run, ItemRefs{});
  // What the list shows of this folder is out of date now.
  if (!entries_.folder.empty() && entries_.folder == WithTrailingSeparator(folder))
    ListEntries(entries_.folder);
}

void ReindexWindow::ListBtnClick(wxCommandEvent&) {
  const std::optional<std::string> folder = MaintenanceFolder(folder_.Text(), parts_.ui);
  if (!folder) {
    folder_.DirEdit->SetFocus();
    return;
  }
  listedText_ = folder_.Text();
  ListEntries(*folder);
  if (entries_.summary.archiveState.Damaged())
    Inform(parts_.ui, EntriesNote(entries_));
}

void ReindexWindow::ListEntries(const std::string& folder) {
  listing_ = true;
  ListBtn->Disable();
  DeleteEntriesBtn->Disable();
  entryRows_->Clear();
  EntriesNoteLabel->SetLabel("Reading the archive's entries...");
  entries_ = ListArchiveEntries(folder, parts_.context.mimeTable, *this);
  listing_ = false;
  if (closeRequested_) {
    EndModal(wxID_CANCEL);
    return;
  }
  ShowEntries();
}

void ReindexWindow::ShowEntries() {
  EntriesNoteLabel->SetLabel(ToWx(EntriesNote(entries_)));
  entryRows_->Assign(std::move(entries_.rows));
  EntriesNoteLabel->Wrap(EntryView->GetSize().x - ListBtn->GetSize().x);
  ListBtn->Enable();
  EntriesNoteLabel->GetParent()->Layout();
}

std::vector<SearchResult> ReindexWindow::ChosenEntries() const {
  wxDataViewItemArray selected;
  EntryView->GetSelections(selected);
  std::vector<SearchResult> chosen;
  for (const wxDataViewItem& item : selected) {
    if (const SearchResult* row = entryRows_->RowAt(item))
      chosen.push_back(*row);
  }
  return chosen;
}

void ReindexWindow::DeleteEntriesBtnClick(wxCommandEvent&) {
  const std::vector<SearchResult> chosen = ChosenEntries();
  if (chosen.empty())
    return;
  const std::optional<DamagedArchiveChoice> damaged =
      ConfirmEntryDeletion(entries_, chosen.size(), parts_.ui);
  if (!damaged)
    return;
  memory_.Remember(RememberedFolder::Reindex, listedText_);
  RunReindex(entries_.folder, *damaged,
             [chosen](Interaction& ui) { return DeleteArchivedCopies(chosen, ui); });
}

void ReindexWindow::FormClose(wxCloseEvent& event) {
  // A listing under way is stopped first; the window closes when it has ended.
  if (listing_) {
    closeRequested_ = true;
    event.Veto();
    return;
  }
  EndModal(wxID_CANCEL);
}

void ReindexWindow::ProcessPendingEvents() {
  RunPendingEvents();
}

}  // namespace pagehold
