// Finds the Navigator cache index file without asking the user: in the cache folder of the
// current Navigator 4 profile (named by the registry and the profile's prefs.js) and in the
// older per-user "Cache Dir" registry setting.
//
// Registry values read (a missing key or value reads as empty text):
//   local machine  Software\Netscape\Netscape Navigator\Users               "CurrentUser"
//   local machine  Software\Netscape\Netscape Navigator\Users\<profile>     "DirRoot"
//   current user   Software\Netscape\Netscape Navigator\Cache               "Cache Dir"
//
// Folders from the registry and prefs.js may be written with backslashes or slashes; the paths
// built from them use this platform's separator. Every failure reads as "not found".
#pragma once

#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace pagehold {

// Reads one profile's preferences. The prefs.js text is loaded on the first FindPref and kept
// for the object's life; a failed load keeps nothing.
class TNavigator4 {
 public:
  explicit TNavigator4(const Registry& registry) : registry_(registry) {}

  // The "CurrentUser" value, or empty.
  std::string ProfileName() const;

  // The current profile's "DirRoot", tidied: trailing spaces and semicolons removed, then a
  // separator added when the text is not empty and does not end with one. Empty when there is
  // no current profile.
  std::string UserDirectory() const;

  // True at once when already loaded; otherwise loads UserDirectory() + "prefs.js" whole.
  // False, holding nothing, when there is no profile folder or the file cannot be read.
  bool LoadPrefs();

  // Takes text as the loaded prefs.js, in place of anything loaded before.
  void UsePrefsText(std::string text);

  // Reads the next line of the loaded text into line. Returns true when the text had already
  // ended, so there was no line to read. Carriage returns and line feeds are never part of a
  // line; the line end is whichever of them the text meets first, and the other one is
  // dropped wherever it appears.
  bool ReadPrefsLine(std::string& line);

  // The value of user_pref("name", value) from the first line that gives a non-empty one. The
  // name matches without regard to the case of A-Z; escapes in the value are not undone.
  bool FindPref(std::string_view name, std::string& value);

 protected:
  const Registry& registry_;

 private:
  std::string prefs_;
  bool loaded_ = false;
  size_t position_ = 0;
  char lineEnd_ = '\0';  // none until the first carriage return or line feed
};

class TNavigator4Paths : public TNavigator4 {
 public:
  using TNavigator4::TNavigator4;

  // The profile's cache folder: the "browser.cache.directory" preference when that folder
  // holds an index, else the profile folder's "Cache" subfolder when it holds one, else empty.
  std::string CacheDirectory();
};

// The value of the preference in one line, for the pattern user_pref("name" (lower case); empty
// when the line gives none.
std::string PrefValueInLine(std::string_view line, std::string_view pattern);

// folder + "Fat.db" when that file exists, else folder + "Fat" when that exists, else empty.
// Empty for an empty folder: the search never looks in the current folder.
std::string CacheIndexInFolder(std::string_view folder);

// True when the folder holds "Fat" or "Fat.db".
bool FolderHasCacheIndex(std::string_view folder);

// The full path of the Navigator cache index, or empty. When both the profile's cache and the
// "Cache Dir" cache hold one, the later written wins and a tie goes to the profile's.
std::string FindNavigatorCacheIndex(const Registry& registry);

}  // namespace pagehold
