// TSearchFrm, the Search Archive window: the address and text fields, the archive folder, Find
// and Stop, and the list of the entries found. The search runs on the user-interface thread and
// lets pending events run after every record, so the window stays usable while it runs: Stop,
// sorting, opening a found entry and repainting all work during a search. What Find checks and
// reports lives in search/FindInArchive; the window adds the list and the busy state.
#pragma once

#include <wx/dialog.h>

#include <locale>
#include <string>

#include "gui/ArchiveFolderField.h"
#include "gui/MainWindow.h"
#include "platform/Interaction.h"
#include "search/ArchiveSearch.h"
#include "search/StoredFolders.h"

class wxActivityIndicator;
class wxButton;
class wxDataViewCtrl;
class wxDataViewEvent;
class wxTextCtrl;

namespace pagehold {

class ResultListModel;

class SearchWindow : public wxDialog, private Interaction {
 public:
  // The pop-up menu's commands.
  static constexpr int kOpenCommand = wxID_HIGHEST + 1;
  static constexpr int kExploreCommand = wxID_HIGHEST + 2;

  SearchWindow(wxWindow* parent, const MainWindowParts& parts);

  bool Searching() const { return searching_; }

 private:
  void CreateControls();
  void FindButtonClick(wxCommandEvent& event);
  SearchSummary SearchArchive(const SearchQuery& query);
  void SetSearching(bool searching);
  void StopButtonClick(wxCommandEvent& event);
  void ResultViewColumnClick(wxDataViewEvent& event);
  void ResultViewDblClick(wxDataViewEvent& event);
  void ResultViewContextMenu(wxDataViewEvent& event);
  void Open1Click(wxCommandEvent& event);
  void ExploreClick(wxCommandEvent& event);
  void FormClose(wxCloseEvent& event);
  std::string SelectedArchiveFile() const;

  // Interaction, for the search: its messages carry the window's help topic, and the Stop
  // button is its stop request.
  MessageAnswer Ask(const Message& message) override;
  void ShowStatus(const std::string&) override {}
  void ShowProgress(int) override {}
  void ProcessPendingEvents() override;
  bool CancelRequested() const override { return stopRequest_; }

  MainWindowParts parts_;
  StoredFolderMemory memory_;
  std::locale collation_;
  wxTextCtrl* URLEdit;
  wxTextCtrl* HTMLEdit;
  ArchiveFolderField folder_;
  wxButton* FindButton;
  wxButton* StopButton;
  wxActivityIndicator* FindAnim;
  ResultListModel* results_;
  wxDataViewCtrl* ResultView;
  bool stopRequest_ = false;
  bool searching_ = false;
  bool closeRequested_ = false;  // the window closes once the search has stopped
};

}  // namespace pagehold
