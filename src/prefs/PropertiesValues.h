// The values the Properties window edits, without the window, and the two operations that move
// them between the settings store and the program: FillInText (load) and WriteSettingsToIni
// (store). The window only binds its controls to a PropertiesValues.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "prefs/AppContext.h"
#include "prefs/CurrentSettings.h"
#include "prefs/Settings.h"
#include "prefs/SettingsStore.h"

namespace pagehold {

struct PropertiesValues {
  std::string NavigatorIndexPath;   // "FAT Path"; Navigator program only
  std::string DefaultFolder;        // "Default directory"
  std::string SecondaryFolder;      // "export directory name"
  bool UseSecondaryFolder = false;  // "Export directory" 1 (otherwise 0)
  bool ShowOriginalUrls = kDefaultShowOriginalUrls;
  bool EmphasizeLinks = kDefaultEmphasizeLinks;
  bool StrikeoutLinks = kDefaultStrikeoutLinks;
  bool DetailedIndex = kDefaultDetailedIndex;
  EmphasisStyle Emphasis = EmphasisStyle::BoldFace;
  std::string CustomOpenTag{kDefaultCustomOpenTag};    // "EmphasizeTag", kept whatever the style
  std::string CustomCloseTag{kDefaultCustomCloseTag};  // "DeEmphasizeTag"
  // The Internet Explorer cache folder: the system's "Cache" shell folder, which the cache
  // reader follows. Edited only by the Properties window (PropertiesEditing), and only where
  // the cache is read from its index.dat; never a current setting.
  std::string UrlCacheFolder;
};

// The folder that the folder choice names: the secondary folder or the default one.
const std::string& ChosenArchiveFolder(const PropertiesValues& values);

// Finds the default of "FAT Path" when none is stored: the Navigator cache index that the
// location discovery finds, or empty. Asked only when the value is absent.
using NavigatorIndexFinder = std::function<std::string()>;

// Loads the values from the store in this order: "FAT Path" (Navigator program only), "Default
// directory", "Show original URLS", "Emphasize links", "Strikeout links", "Detailed index",
// "EmphasizeTag", "DeEmphasizeTag", "Emphasize Type", "Export directory", "export directory
// name". Sets every current setting from them: NavigatorIndexPath (Navigator program only),
// CurrentArchiveFolder, DetailedIndexFlag, the emphasis tags and the three link options.
// Reads only; missing values give their defaults.
void FillInText(const SettingsStore& store, Product product, std::string_view programFolder,
                CurrentSettings& settings, PropertiesValues& values,
                const NavigatorIndexFinder& findNavigatorIndex);

// Stores the values in the same order as FillInText reads them. The custom tags are written
// whatever the style; "Export directory" receives 1 for the secondary folder and 0 otherwise.
// The Navigator program also copies "FAT Path" into NavigatorIndexPath and the chosen folder
// into CurrentArchiveFolder; the Internet Explorer program changes no current setting (its
// archive run stores the settings at the end of every run, which must not move the folder a
// re-index has set). Writes every value even after a failure; false when any was refused.
bool WriteSettingsToIni(SettingsStore& store, Product product, CurrentSettings& settings,
                        const PropertiesValues& values);

// The same over the program's context and its store.
inline void FillInText(AppContext& context, PropertiesValues& values,
                       const NavigatorIndexFinder& findNavigatorIndex) {
  FillInText(context.store, context.product, context.programFolder, context.settings, values,
             findNavigatorIndex);
}

inline bool WriteSettingsToIni(AppContext& context, const PropertiesValues& values) {
  return WriteSettingsToIni(context.store, context.product, context.settings, values);
}

}  // namespace pagehold
