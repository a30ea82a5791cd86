#include "prefs/Settings.h"

#include "platform/Paths.h"
#include "prefs/SettingsKeys.h"

namespace pagehold {

namespace keys = settings_keys;

namespace {

// Tags are fixed-size texts in the pages' markup code.
constexpr size_t kMaxTagLength = 255;

std::string CutTag(std::string_view tag) {
  return std::string(tag.substr(0, kMaxTagLength));
}

// A remembered folder, or the default archive folder when none is stored.
std::string ReadFolder(const SettingsStore& store, std::string_view section, std::string_view name,
                       std::string_view programFolder) {
  if (std::optional<std::string> folder = store.Read(section, name))
    return std::move(*folder);
  return ReadDefaultDirectory(store, programFolder);
}

}  // namespace

EmphasisStyle EmphasisStyleFromStored(int stored) {
  const int style = LowByte(stored);
  return style <= static_cast<int>(EmphasisStyle::Custom) ? static_cast<EmphasisStyle>(style)
                                                          : EmphasisStyle::BoldFace;
}

std::pair<std::string, std::string> EmphasisTags(EmphasisStyle style, std::string_view customOpen,
                                                 std::string_view customClose) {
  switch (style) {
    case EmphasisStyle::Italicized:
      return {"I", "/I"};
    case EmphasisStyle::LargerText:
      return {"FONT SIZE=+1", "/FONT"};
    case EmphasisStyle::Custom:
      return {CutTag(customOpen), CutTag(customClose)};
    case EmphasisStyle::BoldFace:
      break;
  }
  return {"B", "/B"};
}

bool SecondaryFolderChosen(int stored) {
  return LowByte(stored) == 1;
}

std::string DefaultArchiveFolder(std::string_view programFolder) {
  return WithTrailingSeparator(JoinPath(programFolder, "ARCHIVE"));
}

std::string ReadDefaultDirectory(const SettingsStore& store, std::string_view programFolder) {
  if (std::optional<std::string> folder = store.Read(keys::kExport, keys::kDefaultDirectory))
    return std::move(*folder);
  return DefaultArchiveFolder(programFolder);
}

std::string ReadSearchDirectory(const SettingsStore& store, std::string_view programFolder) {
  return ReadFolder(store, keys::kSearch, keys::kSearchDirectory, programFolder);
}

bool WriteSearchDirectory(SettingsStore& store, std::string_view folder) {
  return store.WriteString(keys::kSearch, keys::kSearchDirectory, folder);
}

std::string ReadReindexDirectory(const SettingsStore& store, std::string_view programFolder) {
  return ReadFolder(store, keys::kGeneral, keys::kReindexDirectory, programFolder);
}

bool WriteReindexDirectory(SettingsStore& store, std::string_view folder) {
  return store.WriteString(keys::kGeneral, keys::kReindexDirectory, folder);
}

}  // namespace pagehold
