// What the window tests share: a program context over temporary folders and the built
// programs' data.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/HelpBook.h"
#include "platform/RegistryFile.h"
#include "platform/Shell.h"
#include "prefs/AppContext.h"
#include "support/RecordingShell.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold::testing {

// A context whose writable folder and registry are temporary and whose data folder is the
// programs' own (pictures and help book).
struct GuiContext {
  explicit GuiContext(Product product)
      : context(
            product,
            ProgramFolders{folder.path(), std::string(PAGEHOLD_PROGRAM_DIR) + "/", folder.path()},
            std::make_unique<RegistryFile>(folder.Child("registry.reg"))),
        help(std::string(PAGEHOLD_PROGRAM_DIR) + "/help/pagehold.hhp") {}

  TempFolder folder;
  AppContext context;
  ScriptedInteraction ui;
  RecordingShell shell;
  HelpBook help;
};

}  // namespace pagehold::testing
