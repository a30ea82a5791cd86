// What the Properties window does with each change of its controls, without the window: which
// controls are enabled, whether Apply is, what the preview shows, and which current settings
// follow the controls at once. The two programs differ in one rule: in the Internet Explorer
// program a change of a folder field or of the folder choice moves the archive folder at once
// and leaves Apply as it is.
//
// The three link options are never current settings while the window is open: the link
// rewriting reads them from the current settings, which the window sets only when it loads.
//
// Storing a cache location that the person edited ends the use of a cache given for the run:
// the cache named last is the one read.
#pragma once

#include <string>
#include <utility>

#include "prefs/AppContext.h"
#include "prefs/PropertiesValues.h"

namespace pagehold {

struct PropertiesEnabling {
  bool defaultFolder = true;     // the default folder's field and Browse button
  bool secondaryFolder = false;  // the secondary folder's field and Browse button
  bool styles = false;           // the four emphasis style buttons
  bool customTags = false;       // both tag fields; the preview is in black exactly then
  bool apply = false;
};

class PropertiesEditing {
 public:
  PropertiesEditing(AppContext& context, NavigatorIndexFinder findNavigatorIndex)
      : context_(context), findNavigatorIndex_(std::move(findNavigatorIndex)) {}

  // FillInText: the values and the current settings from the store; Apply disabled.
  void Load();
  // WriteSettingsToIni (Apply and OK); Apply disabled when every value was stored. False when
  // the store refused a value.
  bool Store();

  const PropertiesValues& Values() const { return values_; }
  const PropertiesEnabling& Enabling() const { return enabling_; }
  // "<" + emphasizing tag + ">Link Here<" + de-emphasizing tag + ">".
  std::string Preview() const;
  // The index path names no file: the window opens on its Browser page.
  bool IndexPathNamesNoFile() const;
  // The window edits the IE cache folder: in the IE program, where the cache is read from the
  // folder's index.dat.
  bool EditsUrlCacheFolder() const;

  void ChooseFolder(bool secondary);       // the folder choice buttons
  void SetEmphasizeLinks(bool emphasize);  // and the style buttons follow
  void ChooseStyle(EmphasisStyle style);
  void SetCustomTags(const std::string& open, const std::string& close);
  void SetShowOriginalUrls(bool show);
  void SetStrikeoutLinks(bool strikeout);
  void SetDetailedIndex(bool detailed);
  void SetFolderText(bool secondary, const std::string& text);    // typed into a folder field
  void FolderBrowsed(bool secondary, const std::string& folder);  // chosen with Browse
  void SetIndexPath(const std::string& path);
  void SetUrlCacheFolder(const std::string& folder);

 private:
  void FolderRule();
  void StyleRule();

  AppContext& context_;
  NavigatorIndexFinder findNavigatorIndex_;
  PropertiesValues values_;
  PropertiesEnabling enabling_;
  bool cacheChanged_ = false;  // the index path or cache folder was edited since the last load
};

}  // namespace pagehold
