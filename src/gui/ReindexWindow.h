// TReindexForm, the Delete from Archive window. Its "General" page opens an archive folder in
// the file manager, where the person deletes domain folders or files, and re-indexes the folder
// through the archive run in its progress window. Its "Entries" page lists the folder's entries
// and deletes the chosen ones itself: after a confirmation their archived files are deleted and
// the folder is re-indexed in the same progress window. The rules live in search/
// (ArchiveMaintenance, ArchiveEntries); the window holds the controls.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>
#include <vector>

#include "archive/ArchiveRun.h"
#include "gui/ArchiveFolderField.h"
#include "gui/MainWindow.h"
#include "platform/Interaction.h"
#include "search/ArchiveEntries.h"
#include "search/StoredFolders.h"

class wxButton;
class wxDataViewCtrl;
class wxNotebook;
class wxStaticText;

namespace pagehold {

class ResultListModel;

class ReindexWindow : public wxDialog, private Interaction {
 public:
  ReindexWindow(wxWindow* parent, const MainWindowParts& parts);

 private:
  wxWindow* CreateGeneralPage(wxNotebook* pages);
  wxWindow* CreateEntriesPage(wxNotebook* pages);
  void ExploreBtnClick(wxCommandEvent& event);
  void ReindexBtnClick(wxCommandEvent& event);
  void ListBtnClick(wxCommandEvent& event);
  void DeleteEntriesBtnClick(wxCommandEvent& event);
  void FormClose(wxCloseEvent& event);

  // Re-indexes the folder in the progress window, after before when there is one.
  void RunReindex(const std::string& folder, DamagedArchiveChoice damaged,
                  std::function<std::vector<RunFailure>(Interaction&)> before = {});
  void ListEntries(const std::string& folder);
  void ShowEntries();
  std::vector<SearchResult> ChosenEntries() const;

  // Interaction, for listing the entries: closing the window stops a listing.
  MessageAnswer Ask(const Message& message) override { return parts_.ui.Ask(message); }
  void ShowStatus(const std::string&) override {}
  void ShowProgress(int) override {}
  void ProcessPendingEvents() override;
  bool CancelRequested() const override { return closeRequested_; }

  MainWindowParts parts_;
  StoredFolderMemory memory_;
  wxNotebook* PageControl1;
  ArchiveFolderField folder_;
  wxButton* ListBtn;
  wxStaticText* EntriesNoteLabel;
  ResultListModel* entryRows_;
  wxDataViewCtrl* EntryView;
  wxButton* DeleteEntriesBtn;
  ArchiveEntries entries_;  // the folder listed and what reading it found; the rows are the list's
  std::string listedText_;  // the folder field's text when the list was made
  bool listing_ = false;
  bool closeRequested_ = false;  // the window closes once the listing has stopped
};

}  // namespace pagehold
