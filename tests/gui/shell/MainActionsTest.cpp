#include "gui/shell/MainActions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gui/shell/ShellTexts.h"
#include "platform/RegistryFile.h"
#include "platform/Shell.h"
#include "prefs/SettingsKeys.h"
#include "support/RecordingShell.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace keys = settings_keys;
namespace texts = shell_texts;
using testing::RecordingShell;
using testing::ScriptedInteraction;
using testing::TempFolder;
using testing::WriteFile;

class RecordingWindows : public MainWindows {
 public:
  void ShowCacheExplorer() override { opened.push_back("explorer"); }
  void ShowProperties() override { opened.push_back("properties"); }
  void ShowSearch() override { opened.push_back("search"); }
  void ShowDeleteFromArchive() override { opened.push_back("delete"); }
  void ShowAbout() override { opened.push_back("about"); }
  void Exit() override { opened.push_back("exit"); }
  std::vector<std::string> opened;
};

class FixedHelp : public HelpTopicShower {
 public:
  bool ShowHelpTopic(int context) override {
    asked.push_back(context);
    return available;
  }
  bool available = true;
  std::vector<int> asked;
};

class MainActionsTest : public ::testing::Test {
 protected:
  MainActionsTest()
      : context(Product::Navigator, folder.path(),
                std::make_unique<RegistryFile>(folder.Child("registry.reg"))),
        actions(context, cache, ui, shell, help, windows) {}

  void Run(MainCommand command) { actions.Run(command); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& message : ui.messages)
      texts.push_back(message.text);
    return texts;
  }

  TempFolder folder;
  AppContext context;
  CacheList cache;
  ScriptedInteraction ui;
  RecordingShell shell;
  FixedHelp help;
  RecordingWindows windows;
  MainActions actions;
};

TEST_F(MainActionsTest, CacheExplorerOpensOnAnEmptiedList) {
  context.settings.NavigatorIndexPath = folder.Child("fat.db");
  WriteFile(context.settings.NavigatorIndexPath, "x");
  cache.push_back(std::make_unique<TCacheItem>());
  Run(MainCommand::CacheExplorer);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(cache.empty());
  EXPECT_EQ(windows.opened, std::vector<std::string>{"explorer"});
}

TEST_F(MainActionsTest, DefaultIndexOpensTheSamePageWithOrWithoutTrailingSeparator) {
  const std::string archive = folder.Child("archive");
  WriteFile(archive + "/1st_page.htm", "<html>");
  for (const std::string& setting : {archive, archive + "/"}) {
    ASSERT_TRUE(context.store.WriteString(keys::kExport, keys::kDefaultDirectory, setting));
    Run(MainCommand::DefaultIndex);
  }
  EXPECT_EQ(shell.Targets(), std::vector<std::string>(2, archive + "/1st_page.htm"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainActionsTest, MissingIndexPagesAreReported) {
  Run(MainCommand::DefaultIndex);    // the program folder's ARCHIVE, which holds nothing
  Run(MainCommand::SecondaryIndex);  // no secondary folder set at all
  ASSERT_TRUE(context.store.WriteString(keys::kExport, keys::kSecondaryDirectory, folder.path()));
  Run(MainCommand::SecondaryIndex);
  EXPECT_EQ(Texts(), (std::vector<std::string>{std::string(texts::kNoDefaultIndexMessage),
                                               std::string(texts::kNoSecondaryIndexMessage),
                                               std::string(texts::kNoSecondaryIndexMessage)}));
  EXPECT_TRUE(shell.Targets().empty());
}

TEST_F(MainActionsTest, SecondaryIndexOpensItsPage) {
  ASSERT_TRUE(context.store.WriteString(keys::kExport, keys::kSecondaryDirectory, folder.path()));
  WriteFile(folder.Child("1st_page.htm"), "<html>");
  Run(MainCommand::SecondaryIndex);
  EXPECT_EQ(shell.Targets(), std::vector<std::string>{folder.Child("1st_page.htm")});
}

TEST_F(MainActionsTest, ContentsShowsTopicOneOrReportsTheMissingBook) {
  Run(MainCommand::Contents);
  help.available = false;
  Run(MainCommand::Contents);
  EXPECT_EQ(help.asked, (std::vector<int>{1, 1}));
  ASSERT_EQ(Texts(), std::vector<std::string>{"Help file not found"});
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace pagehold
