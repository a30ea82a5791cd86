// TControlForm, the main control window: four picture buttons with a line beside each, a banner,
// a strip down the left edge, the maker's logo (a click opens the About box) and the menu bar.
// What each command does lives in MainActions; the window binds controls to it and opens the
// windows the commands ask for. A cache index or cache folder dropped on the window is opened in
// the Cache Explorer.
#pragma once

#include <wx/frame.h>

#include <functional>
#include <map>

#include "cache/CacheItem.h"
#include "gui/shell/MainActions.h"

class wxBitmapButton;

namespace pagehold {

class CacheExplorerWindow;
class HelpBook;
class ShellLauncher;
class TPrefsForm;

// What the main window works with; all of it lives as long as the window.
struct MainWindowParts {
  AppContext& context;
  Interaction& ui;
  ShellLauncher& shell;
  HelpBook& help;
  // Called at the end of every archive or re-index run that was not cancelled, before the
  // completion question; the main window sets it.
  std::function<void()> completedRun = nullptr;
};

class MainWindow : public wxFrame, public MainWindows {
 public:
  explicit MainWindow(const MainWindowParts& parts);

  // The id of the menu item of the command.
  int CommandId(MainCommand command) const;
  CacheList& Cache() { return cacheList_; }

  // MainWindows
  void ShowCacheExplorer() override;
  void ShowProperties() override;
  void ShowSearch() override;
  void ShowDeleteFromArchive() override;
  void ShowAbout() override;
  void Exit() override;

  // Brings the window in front of the others (a second copy of the program asked for it).
  void BringToFront();

  // A cache named for this run; see MainActions::UseGivenCache. Caches dropped on the window
  // come here too, and open the Cache Explorer at once.
  bool UseGivenCache(const std::string& path, bool openNow) {
    return actions_.UseGivenCache(path, openNow);
  }

 private:
  void CreateMenuBar();
  void CreateControls();
  wxBitmapButton* AddPictureButton(wxWindow* parent, wxSizer* grid, const char* picture,
                                   std::string_view label, MainCommand command);
  void PageholdButtonMouseMove(wxMouseEvent& event);
  void CommandClick(wxCommandEvent& event);

  MainWindowParts parts_;
  CacheList cacheList_;
  MainActions actions_;
  std::map<int, MainCommand> commands_;   // control or menu id -> command
  std::map<MainCommand, int> menuItems_;  // command -> its menu item's id
  // Hidden while not shown; the main window owns both.
  CacheExplorerWindow* explorer_;
  TPrefsForm* properties_;
};

}  // namespace pagehold
