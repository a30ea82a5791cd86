// TSelectionForm, the Cache Explorer window: the "Available Domains" and "Archive/Delete" lists
// with the four move buttons, the "File Age" choice, the three kind check boxes, the three
// counters, and Archive, Delete, Properties, Close and Help. What the choices mean lives in the
// CacheExplorer model; the window mirrors it after every change. The first paint after each
// showing reads the cache, under a wait panel with a progress bar and Stop.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <memory>

#include "explorer/CacheExplorer.h"
#include "platform/Interaction.h"
#include "prefs/AppContext.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxListBox;
class wxPanel;
class wxStaticBox;
class wxStaticText;
class wxTextCtrl;

namespace pagehold {

class HelpBook;
class ShellLauncher;
class WaitPanel;

// What the window works with; all of it outlives the window.
struct CacheExplorerParts {
  AppContext& context;
  CacheList& cacheList;  // the main window's
  Interaction& ui;       // messages and questions
  ShellLauncher& shell;  // opens the index page after an archive run
  HelpBook* help;        // none in tests
  std::function<void()> showProperties;
  std::function<void()> completedRun;  // at the end of an archive run that was not cancelled
};

class CacheExplorerWindow : public wxDialog, private Interaction {
 public:
  CacheExplorerWindow(wxWindow* parent, const CacheExplorerParts& parts);
  ~CacheExplorerWindow() override;

  // Shows the window modally, reading the cache (into the cache list, which the caller
  // emptied) at its first paint. Returns when the window closes.
  void ShowAndRead();

  // True from the showing until the reading starts; Working() is true while the window reads
  // the cache or deletes from it.
  bool ReadPending() const { return reading_ != Reading::None; }
  bool Working() const { return working_; }
  CacheExplorer& Explorer() { return *explorer_; }
  WaitPanel* FatPanel() { return fatPanel_; }

  // The controls, by the names the window's layout gives them.
  wxPanel* BackPanel;
  wxStaticText* SrcLabel;
  wxListBox* SrcList;
  wxStaticText* DstLabel;
  wxListBox* DstList;
  wxButton* IncludeBtn;
  wxButton* IncAllBtn;
  wxButton* ExcludeBtn;
  wxButton* ExAllBtn;
  wxButton* UncacheButton;
  wxButton* DeleteButton;
  wxButton* PrefsBtn;
  wxButton* CancelButton;
  wxButton* HelpButton;
  wxStaticBox* ChooseDates;
  wxChoice* OldNewBox;
  wxChoice* AgeBox;
  wxChoice* HDWBox;
  wxStaticBox* FtypeBox;
  wxCheckBox* TextBox;
  wxCheckBox* MediaBox;
  wxCheckBox* OthersBox;
  wxStaticBox* NumFilesBox;
  wxTextCtrl* NumTextPanel;
  wxTextCtrl* NumMediaPanel;
  wxTextCtrl* NumOtherPanel;

 private:
  class WorkScope;

  void CreateControls();
  void CreateDomainLists(wxSizer* row);
  void CreateActionButtons(wxSizer* column);
  wxSizer* CreateAgeGroup();
  wxSizer* CreateKindGroup();
  wxSizer* CreateCountGroup();
  void SetHelpContexts();
  void BindEvents();

  void FormShow();
  void BackPanelPaint(wxPaintEvent& event);
  void ReadCacheNow();
  void FormClose(wxCloseEvent& event);

  // A change of the choice that recounts: the hourglass and a disabled BackPanel while the
  // model changes, then the window shows the model again.
  void Recount(const std::function<void()>& change);
  void MoveClick(wxCommandEvent& event);
  void AgeChoiceChange(wxCommandEvent& event);
  void KindBoxClick(wxCommandEvent& event);
  void UncacheButtonClick(wxCommandEvent& event);
  void DeleteButtonClick(wxCommandEvent& event);
  void PrefsBtnClick(wxCommandEvent& event);
  void CancelButtonClick(wxCommandEvent& event);
  void HelpButtonClick(wxCommandEvent& event);

  // Mirrors the model: both lists with their selections, the age boxes, the move buttons
  // (SetButtons) and the counters with their colours.
  void ShowExplorer();
  void ShowLists();
  void ShowAgeChoice();
  void SetButtons();
  void ShowCounts();
  // Hands the window's list selections to the model.
  void TakeSelections();

  // Interaction, for the reading and the deletion: the wait panel shows their status and
  // progress, and its Stop is their cancel request; questions go to the program's messages.
  MessageAnswer Ask(const Message& message) override;
  void ShowStatus(const std::string& text) override;
  void ShowProgress(int percent) override;
  void ProcessPendingEvents() override;
  bool CancelRequested() const override;

  void BeginWork(const std::string& caption);
  void EndWork();

  CacheExplorerParts parts_;
  WaitPanel* fatPanel_;
  std::unique_ptr<CacheSource> source_;
  std::unique_ptr<CacheExplorer> explorer_;
  // The read-pending flag, and the reading that the first paint asked for and that starts once
  // the paint is over.
  enum class Reading { None, Pending, Asked };
  Reading reading_ = Reading::None;
  bool working_ = false;
};

}  // namespace pagehold
