// The folder fields of the search and delete-from-archive windows, read from and remembered in
// the settings store.
#pragma once

#include <string>
#include <string_view>

#include "search/FolderMemory.h"

namespace pagehold {

class SettingsStore;

// Remembers in "Search directory" (section "Search properties") or "Reindex directory"
// (section "General"). A value the store refuses is not reported: the next window then starts
// from the previous folder.
class StoredFolderMemory : public FolderMemory {
 public:
  explicit StoredFolderMemory(SettingsStore& store) : store_(store) {}
  void Remember(RememberedFolder which, const std::string& typedFolder) override;

 private:
  SettingsStore& store_;
};

// The folder field when the window opens: the remembered folder, or else "Default directory",
// or else the program folder's ARCHIVE folder; cut to 255 characters.
std::string FolderFieldAtStart(RememberedFolder which, const SettingsStore& store,
                               std::string_view programFolder);

// The field after "Use Default location": "Default directory", with the same fallback as the
// archive run's (the program folder's ARCHIVE folder). After "Use Secondary location": "export
// directory name", empty when absent.
std::string DefaultLocationField(const SettingsStore& store, std::string_view programFolder);
std::string SecondaryLocationField(const SettingsStore& store);

}  // namespace pagehold
