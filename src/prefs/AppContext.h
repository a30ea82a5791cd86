// The process-wide values of one running program, created once and passed by reference: which
// product this is, the program folder, the folder of its read-only data, the MIME table (kept
// where the program's folders say), the settings store, the current settings and a cache named
// for this run only.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "cache/MimeTable.h"
#include "platform/ProgramFolders.h"
#include "platform/Registry.h"
#include "prefs/CurrentSettings.h"
#include "prefs/SettingsStore.h"

namespace pagehold {

struct AppContext {
  // The settings live in the user's registry (outside Windows: the file that PAGEHOLD_REGISTRY
  // or the configuration folder names).
  AppContext(Product product, std::string programFolder)
      : AppContext(product, std::move(programFolder), OpenRegistry()) {}

  // The settings live in the given registry (tests pass a registry file of their own); every
  // file of the program, MIMETYPE.DAT included, is in programFolder.
  AppContext(Product product, std::string programFolder, std::unique_ptr<Registry> registry)
      : AppContext(product, ProgramFolders{programFolder, programFolder, programFolder},
                   std::move(registry)) {}

  // An installed program reads its data from one folder and writes into another.
  AppContext(Product product, const ProgramFolders& folders,
             std::unique_ptr<Registry> registry = OpenRegistry())
      : product(product),
        programFolder(folders.program),
        dataFolder(folders.data),
        mimeTable(folders.mimeTable),
        registry(std::move(registry)),
        store(*this->registry) {}

  Product product;
  std::string programFolder;  // with a trailing separator; the default archive
  std::string dataFolder;     // with a trailing separator; the pictures and the help book
  TMimeTable mimeTable;
  std::unique_ptr<Registry> registry;
  SettingsStore store;  // over *registry, which stays put when the context moves
  CurrentSettings settings;
  // A cache the person named for this run (on the command line or by dropping it on the main
  // window), already judged to be one: the Navigator index file or the IE cache folder. It is
  // read instead of the one the settings name, and never stored. Empty: none.
  std::string givenCache;
};

}  // namespace pagehold
