#include "search/StoredFolders.h"

#include "prefs/Settings.h"
#include "prefs/SettingsKeys.h"
#include "prefs/SettingsStore.h"

namespace pagehold {

namespace {

constexpr size_t kFieldLimit = 255;

}  // namespace

void StoredFolderMemory::Remember(RememberedFolder which, const std::string& typedFolder) {
  if (which == RememberedFolder::Search)
    WriteSearchDirectory(store_, typedFolder);
  else
    WriteReindexDirectory(store_, typedFolder);
}

std::string FolderFieldAtStart(RememberedFolder which, const SettingsStore& store,
                               std::string_view programFolder) {
  const std::string folder = which == RememberedFolder::Search
                                 ? ReadSearchDirectory(store, programFolder)
                                 : ReadReindexDirectory(store, programFolder);
  return folder.substr(0, kFieldLimit);
}

std::string DefaultLocationField(const SettingsStore& store, std::string_view programFolder) {
  return ReadDefaultDirectory(store, programFolder);
}

std::string SecondaryLocationField(const SettingsStore& store) {
  return store.ReadString(settings_keys::kExport, settings_keys::kSecondaryDirectory, "");
}

}  // namespace pagehold
