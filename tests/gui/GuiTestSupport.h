// What the window tests share: a program context over temporary folders, a shell that records
// what it was asked to open, and the built programs' folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/HelpBook.h"
#include "platform/RegistryFile.h"
#include "platform/Shell.h"
#include "prefs/AppContext.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold::testing {

class RecordingShell : public ShellLauncher {
 public:
  int Execute(const std::string& target, std::string_view) override {
    opened.push_back(target);
    return result;
  }
  int result = ShellResult::Done;
  std::vector<std::string> opened;
};

// A context whose writable folder and registry are temporary and whose data folder is the
// programs' own (pictures and help book).
struct GuiContext {
  explicit GuiContext(Product product)
      : context(product, ProgramFolders{folder.path(), std::string(PAGEHOLD_PROGRAM_DIR) + "/"},
                std::make_unique<RegistryFile>(folder.Child("registry.reg"))),
        help(std::string(PAGEHOLD_PROGRAM_DIR) + "/help/pagehold.hhp") {}

  TempFolder folder;
  AppContext context;
  ScriptedInteraction ui;
  RecordingShell shell;
  HelpBook help;
};

}  // namespace pagehold::testing
