#include "gui/shell/MainActions.h"

#include "gui/shell/DocumentOpening.h"
#include "gui/shell/HelpContexts.h"
#include "gui/shell/ProgramCacheSource.h"
#include "gui/shell/ShellTexts.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "prefs/Settings.h"
#include "prefs/SettingsKeys.h"
#include "search/SearchMessages.h"

namespace pagehold {

namespace texts = shell_texts;

const std::vector<MainMenuEntry>& MainMenu() {
  static const std::vector<MainMenuEntry> menu = {
      {"&File", "&Delete from Archive", "Ctrl+A", MainCommand::DeleteFromArchive},
      {"&File", "&Properties", "Alt+Enter", MainCommand::Properties},
      {"&File", "", "", MainCommand::Exit},
      {"&File", "E&xit", "", MainCommand::Exit},
      {"&View", "Cache &Explorer", "Ctrl+E", MainCommand::CacheExplorer},
      {"&View", "&Default Index", "Ctrl+D", MainCommand::DefaultIndex},
      {"&View", "Secondary &Index", "Ctrl+I", MainCommand::SecondaryIndex},
      {"&View", "&Search...", "Ctrl+S", MainCommand::Search},
      {"&Help", "&Contents", "", MainCommand::Contents},
      {"&Help", "", "", MainCommand::Contents},
      {"&Help", "&About", "", MainCommand::About},
  };
  return menu;
}

void ShowShellMessage(Interaction& ui, std::string_view text, bool error) {
  Message message;
  message.text = std::string(text);
  message.caption = std::string(texts::kProgramTitle);
  message.icon = error ? MessageIcon::Error : MessageIcon::Information;
  message.buttons = MessageButtons::Ok;
  ui.Ask(message);
}

void MainActions::Run(MainCommand command) {
  switch (command) {
    case MainCommand::CacheExplorer:
      return PageholdButtonClick();
    case MainCommand::DefaultIndex:
      return ViewButtonClick();
    case MainCommand::SecondaryIndex:
      return SecondaryIndexClick();
    case MainCommand::Search:
      return windows_.ShowSearch();
    case MainCommand::Properties:
      return windows_.ShowProperties();
    case MainCommand::DeleteFromArchive:
      return windows_.ShowDeleteFromArchive();
    case MainCommand::Exit:
      return windows_.Exit();
    case MainCommand::Contents:
      return Contents1Click();
    case MainCommand::About:
      return windows_.ShowAbout();
  }
}

void MainActions::PageholdButtonClick() {
  if (context_.product == Product::Navigator && !FileExists(CacheOfThisRun(context_))) {
    ShowShellMessage(ui_, texts::kInvalidNavigatorIndexMessage);
    windows_.ShowProperties();
    return;
  }
  // Every opening reads the cache afresh, into an empty list; items go from the last to the
  // first, as they always have.
  while (!cacheList_.empty())
    cacheList_.pop_back();
  windows_.ShowCacheExplorer();
}

bool MainActions::UseGivenCache(const std::string& path, bool openNow) {
  Result<std::string> cache = CheckGivenCache(context_.product, AbsolutePath(path));
  if (!cache) {
    ShowShellMessage(ui_, cache.failure().Describe(), true);
    return false;
  }
  context_.givenCache = std::move(*cache);
  if (openNow)
    PageholdButtonClick();
  return true;
}

void MainActions::ViewButtonClick() {
  OpenIndexOf(ReadDefaultDirectory(context_.store, context_.programFolder),
              texts::kNoDefaultIndexMessage);
}

void MainActions::SecondaryIndexClick() {
  namespace keys = settings_keys;
  OpenIndexOf(context_.store.ReadString(keys::kExport, keys::kSecondaryDirectory, ""),
              texts::kNoSecondaryIndexMessage);
}

void MainActions::OpenIndexOf(const std::string& folder, std::string_view missingMessage) {
  // An empty folder setting names no folder at all, not the current working folder.
  const std::string page =
      folder.empty() ? std::string() : WithTrailingSeparator(folder) + std::string(kIndexPageName);
  if (page.empty() || !FileExists(page)) {
    ShowShellMessage(ui_, missingMessage);
    return;
  }
  OpenDocument(IndexPageForOpening(page), shell_, ui_);
}

void MainActions::Contents1Click() {
  if (!help_.ShowHelpTopic(help_contexts::kContents))
    ShowShellMessage(ui_, texts::kHelpNotFoundMessage, true);
}

}  // namespace pagehold
