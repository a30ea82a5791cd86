#include "prefs/PropertiesValues.h"

#include <optional>
#include <tuple>

#include "prefs/SettingsKeys.h"

namespace pagehold {

namespace keys = settings_keys;

const std::string& ChosenArchiveFolder(const PropertiesValues& values) {
  return values.UseSecondaryFolder ? values.SecondaryFolder : values.DefaultFolder;
}

void FillInText(const SettingsStore& store, Product product, std::string_view programFolder,
                CurrentSettings& settings, PropertiesValues& values,
                const NavigatorIndexFinder& findNavigatorIndex) {
  if (product == Product::Navigator) {
    std::optional<std::string> indexPath = store.Read(keys::kBrowserOptions, keys::kFatPath);
    if (!indexPath)
      indexPath = findNavigatorIndex ? findNavigatorIndex() : std::string();
    values.NavigatorIndexPath = std::move(*indexPath);
    settings.NavigatorIndexPath = values.NavigatorIndexPath;
  }
  values.DefaultFolder = ReadDefaultDirectory(store, programFolder);
  values.ShowOriginalUrls =
      store.ReadBool(keys::kExport, keys::kShowOriginalUrls, kDefaultShowOriginalUrls);
  values.EmphasizeLinks =
      store.ReadBool(keys::kExport, keys::kEmphasizeLinks, kDefaultEmphasizeLinks);
  values.StrikeoutLinks =
      store.ReadBool(keys::kExport, keys::kStrikeoutLinks, kDefaultStrikeoutLinks);
  values.DetailedIndex = store.ReadBool(keys::kExport, keys::kDetailedIndex, kDefaultDetailedIndex);
  values.CustomOpenTag =
      store.ReadString(keys::kExport, keys::kEmphasizeTag, kDefaultCustomOpenTag);
  values.CustomCloseTag =
      store.ReadString(keys::kExport, keys::kDeEmphasizeTag, kDefaultCustomCloseTag);
  values.Emphasis = EmphasisStyleFromStored(store.ReadInteger(
      keys::kExport, keys::kEmphasizeType, static_cast<int>(EmphasisStyle::BoldFace)));
  values.UseSecondaryFolder =
      SecondaryFolderChosen(store.ReadInteger(keys::kExport, keys::kExportDirectory, 0));
  values.SecondaryFolder = store.ReadString(keys::kExport, keys::kSecondaryDirectory, "");

  settings.CurrentArchiveFolder = ChosenArchiveFolder(values);
  settings.DetailedIndexFlag = values.DetailedIndex;
  std::tie(settings.EmphasisOpenTag, settings.EmphasisCloseTag) =
      EmphasisTags(values.Emphasis, values.CustomOpenTag, values.CustomCloseTag);
  settings.ShowOriginalUrls = values.ShowOriginalUrls;
  settings.EmphasizeLinks = values.EmphasizeLinks;
  settings.StrikeoutLinks = values.StrikeoutLinks;
}

bool WriteSettingsToIni(SettingsStore& store, Product product, CurrentSettings& settings,
                        const PropertiesValues& values) {
  bool stored = true;
  const auto keep = [&stored](bool written) { stored = stored && written; };
  if (product == Product::Navigator) {
    keep(store.WriteString(keys::kBrowserOptions, keys::kFatPath, values.NavigatorIndexPath));
    settings.NavigatorIndexPath = values.NavigatorIndexPath;
  }
  keep(store.WriteString(keys::kExport, keys::kDefaultDirectory, values.DefaultFolder));
  keep(store.WriteBool(keys::kExport, keys::kShowOriginalUrls, values.ShowOriginalUrls));
  keep(store.WriteBool(keys::kExport, keys::kEmphasizeLinks, values.EmphasizeLinks));
  keep(store.WriteBool(keys::kExport, keys::kStrikeoutLinks, values.StrikeoutLinks));
  keep(store.WriteBool(keys::kExport, keys::kDetailedIndex, values.DetailedIndex));
  keep(store.WriteString(keys::kExport, keys::kEmphasizeTag, values.CustomOpenTag));
  keep(store.WriteString(keys::kExport, keys::kDeEmphasizeTag, values.CustomCloseTag));
  keep(store.WriteInteger(keys::kExport, keys::kEmphasizeType, static_cast<int>(values.Emphasis)));
  keep(
      store.WriteInteger(keys::kExport, keys::kExportDirectory, values.UseSecondaryFolder ? 1 : 0));
  keep(store.WriteString(keys::kExport, keys::kSecondaryDirectory, values.SecondaryFolder));
  if (product == Product::Navigator)
    settings.CurrentArchiveFolder = ChosenArchiveFolder(values);
  return stored;
}

}  // namespace pagehold
