#include "prefs/PropertiesEditing.h"

#include <tuple>

#include "platform/Paths.h"
#include "platform/UrlCacheFolder.h"

namespace pagehold {

void PropertiesEditing::Load() {
  FillInText(context_, values_, findNavigatorIndex_);
  if (EditsUrlCacheFolder())
    values_.UrlCacheFolder = StoredUrlCacheFolder(*context_.registry);
  cacheChanged_ = false;
  FolderRule();
  enabling_.styles = values_.EmphasizeLinks;
  StyleRule();
  enabling_.apply = false;
}

bool PropertiesEditing::Store() {
  bool stored = WriteSettingsToIni(context_, values_);
  if (EditsUrlCacheFolder())
    stored = StoreUrlCacheFolder(*context_.registry, values_.UrlCacheFolder) && stored;
  if (stored && cacheChanged_) {
    context_.givenCache.clear();
    cacheChanged_ = false;
  }
  enabling_.apply = !stored;
  return stored;
}

std::string PropertiesEditing::Preview() const {
  return "<" + values_.CustomOpenTag + ">Link Here<" + values_.CustomCloseTag + ">";
}

bool PropertiesEditing::IndexPathNamesNoFile() const {
  return context_.product == Product::Navigator &&
         !FileExists(context_.settings.NavigatorIndexPath);
}

bool PropertiesEditing::EditsUrlCacheFolder() const {
  return context_.product == Product::InternetExplorer && kUrlCacheReadFromIndexFile;
}

void PropertiesEditing::FolderRule() {
  enabling_.defaultFolder = !values_.UseSecondaryFolder;
  enabling_.secondaryFolder = values_.UseSecondaryFolder;
}

void PropertiesEditing::StyleRule() {
  enabling_.customTags = enabling_.styles && values_.Emphasis == EmphasisStyle::Custom;
  std::tie(context_.settings.EmphasisOpenTag, context_.settings.EmphasisCloseTag) =
      EmphasisTags(values_.Emphasis, values_.CustomOpenTag, values_.CustomCloseTag);
}

void PropertiesEditing::ChooseFolder(bool secondary) {
  values_.UseSecondaryFolder = secondary;
  FolderRule();
  enabling_.apply = true;
  if (context_.product == Product::InternetExplorer)
    context_.settings.CurrentArchiveFolder = ChosenArchiveFolder(values_);
}

void PropertiesEditing::SetEmphasizeLinks(bool emphasize) {
  values_.EmphasizeLinks = emphasize;
  enabling_.styles = emphasize;
  StyleRule();
  enabling_.apply = true;
}

void PropertiesEditing::ChooseStyle(EmphasisStyle style) {
  values_.Emphasis = style;
  StyleRule();
  enabling_.apply = true;
}

void PropertiesEditing::SetCustomTags(const std::string& open, const std::string& close) {
  values_.CustomOpenTag = open;
  values_.CustomCloseTag = close;
  // The tags follow the fields whatever the style; the fields can change only while the custom
  // style is chosen.
  std::tie(context_.settings.EmphasisOpenTag, context_.settings.EmphasisCloseTag) =
      EmphasisTags(EmphasisStyle::Custom, open, close);
}

void PropertiesEditing::SetShowOriginalUrls(bool show) {
  values_.ShowOriginalUrls = show;
  enabling_.apply = true;
}

void PropertiesEditing::SetStrikeoutLinks(bool strikeout) {
  values_.StrikeoutLinks = strikeout;
  enabling_.apply = true;
}

void PropertiesEditing::SetDetailedIndex(bool detailed) {
  values_.DetailedIndex = detailed;
  context_.settings.DetailedIndexFlag = detailed;
}

void PropertiesEditing::SetFolderText(bool secondary, const std::string& text) {
  (secondary ? values_.SecondaryFolder : values_.DefaultFolder) = text;
  if (context_.product == Product::InternetExplorer)
    context_.settings.CurrentArchiveFolder = text;
  else
    enabling_.apply = true;
}

void PropertiesEditing::FolderBrowsed(bool secondary, const std::string& folder) {
  SetFolderText(secondary, folder);
  context_.settings.CurrentArchiveFolder = folder;
}

void PropertiesEditing::SetIndexPath(const std::string& path) {
  values_.NavigatorIndexPath = path;
  enabling_.apply = true;
  cacheChanged_ = true;
}

void PropertiesEditing::SetUrlCacheFolder(const std::string& folder) {
  values_.UrlCacheFolder = folder;
  enabling_.apply = true;
  cacheChanged_ = true;
}

}  // namespace pagehold
