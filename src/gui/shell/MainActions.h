// What the main control window does for each of its commands, without the window: the checks,
// the messages and which window opens. The window binds its buttons and menu items to these.
#pragma once

#include <string_view>
#include <vector>

#include "cache/CacheItem.h"
#include "prefs/AppContext.h"

namespace pagehold {

class Interaction;
class ShellLauncher;

enum class MainCommand {
  CacheExplorer,      // PageholdButtonClick
  DefaultIndex,       // ViewButtonClick
  SecondaryIndex,     // SecondaryIndexClick
  Search,             // SearchButtonClick
  Properties,         // SetupButtonClick
  DeleteFromArchive,  // ReindexClick
  Exit,               // Exit1Click
  Contents,           // Contents1Click
  About,              // About1Click
};

// One entry of the main window's menu bar; a separator has no text.
struct MainMenuEntry {
  std::string_view menu;      // "&File", "&View", "&Help"
  std::string_view text;      // the item's caption; empty for a separator
  std::string_view shortcut;  // as the toolkit names keys ("Ctrl+A"); may be empty
  MainCommand command;
};

// The menu bar in order.
const std::vector<MainMenuEntry>& MainMenu();

// The windows and the program end that the commands reach.
class MainWindows {
 public:
  virtual ~MainWindows() = default;
  // Each is shown modally and returns when it closes.
  virtual void ShowCacheExplorer() = 0;
  virtual void ShowProperties() = 0;
  virtual void ShowSearch() = 0;
  virtual void ShowDeleteFromArchive() = 0;
  virtual void ShowAbout() = 0;
  // Closes the main window, which ends the program.
  virtual void Exit() = 0;
};

// Shows a topic of the help book by its context number; false when the book cannot show it.
class HelpTopicShower {
 public:
  virtual ~HelpTopicShower() = default;
  virtual bool ShowHelpTopic(int context) = 0;
};

class MainActions {
 public:
  MainActions(AppContext& context, CacheList& cacheList, Interaction& ui, ShellLauncher& shell,
              HelpTopicShower& help, MainWindows& windows)
      : context_(context),
        cacheList_(cacheList),
        ui_(ui),
        shell_(shell),
        help_(help),
        windows_(windows) {}

  void Run(MainCommand command);

  void PageholdButtonClick();
  // A cache named on the command line, handed over by a second copy or dropped on the main
  // window: when it is one of the product's kind, it is read from now on in this run instead of
  // the one the settings name, and with openNow the Cache Explorer opens on it at once.
  // Otherwise its one-line reason is shown and the program goes on with the cache it had.
  // True when it was taken.
  bool UseGivenCache(const std::string& path, bool openNow);
  void ViewButtonClick();
  void SecondaryIndexClick();
  void Contents1Click();

 private:
  void OpenIndexOf(const std::string& folder, std::string_view missingMessage);

  AppContext& context_;
  CacheList& cacheList_;
  Interaction& ui_;
  ShellLauncher& shell_;
  HelpTopicShower& help_;
  MainWindows& windows_;
};

// Shows the message as the main window shows its messages: caption "Pagehold", an OK button.
void ShowShellMessage(Interaction& ui, std::string_view text, bool error = false);

}  // namespace pagehold
