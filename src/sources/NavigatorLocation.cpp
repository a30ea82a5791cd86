#include "sources/NavigatorLocation.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "cache/Text.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "sources/NavigatorFileLookup.h"

namespace pagehold {

namespace {

constexpr std::string_view kUsersKey = "Software\\Netscape\\Netscape Navigator\\Users";
constexpr std::string_view kCacheKey = "Software\\Netscape\\Netscape Navigator\\Cache";
constexpr std::string_view kCacheDirectoryPref = "browser.cache.directory";

std::string ReadValue(const Registry& registry, RegistryRoot root, std::string_view key,
                      std::string_view name) {
  return registry.ReadString(root, key, name).value_or(std::string());
}

// The file in the folder whatever the letter case of its name on disk, as the file system of
// the browser's own platform would find it.
std::optional<std::string> FileInFolder(std::string_view folder, std::string_view name) {
  if (folder.empty())
    return std::nullopt;
  CachedFileLookup lookup(WithTrailingSeparator(NativeSeparators(folder)));
  return lookup.Find(name);
}

std::filesystem::file_time_type LastWriteTime(const std::string& path) {
  std::error_code error;
  const auto time = std::filesystem::last_write_time(path, error);
  return error ? std::filesystem::file_time_type::min() : time;
}

}  // namespace

std::string TNavigator4::ProfileName() const {
  return ReadValue(registry_, RegistryRoot::LocalMachine, kUsersKey, "CurrentUser");
}

std::string TNavigator4::UserDirectory() const {
  const std::string profile = ProfileName();
  if (profile.empty())
    return {};
  std::string folder = ReadValue(registry_, RegistryRoot::LocalMachine,
                                 std::string(kUsersKey) + "\\" + profile, "DirRoot");
  // Profile folders were written with a trailing "space semicolon" by some installers.
  while (!folder.empty() && (folder.back() == ' ' || folder.back() == ';'))
    folder.pop_back();
  return WithTrailingSeparator(NativeSeparators(folder));
}

bool TNavigator4::LoadPrefs() {
  if (loaded_)
    return true;
  const std::optional<std::string> path = FileInFolder(UserDirectory(), "prefs.js");
  if (!path)
    return false;
  Result<std::string> text = ReadWholeFile(*path);
  if (!text)
    return false;
  UsePrefsText(std::move(*text));
  return true;
}

void TNavigator4::UsePrefsText(std::string text) {
  prefs_ = std::move(text);
  position_ = 0;
  lineEnd_ = '\0';
  loaded_ = true;
}

bool TNavigator4::ReadPrefsLine(std::string& line) {
  line.clear();
  if (position_ >= prefs_.size())
    return true;
  while (position_ < prefs_.size()) {
    const char c = prefs_[position_++];
    if (c == '\r' || c == '\n') {
      if (lineEnd_ == '\0')
        lineEnd_ = c;
      if (c == lineEnd_)
        break;
      continue;  // the other line-end character belongs to no line
    }
    line += c;
  }
  return false;
}

bool TNavigator4::FindPref(std::string_view name, std::string& value) {
  value.clear();
  if (!LoadPrefs())
    return false;
  const std::string pattern = "user_pref(\"" + LowerCase(name) + "\"";
  position_ = 0;
  std::string line;
  while (!ReadPrefsLine(line)) {
    value = PrefValueInLine(line, pattern);
    if (!value.empty())
      return true;
  }
  return false;
}

std::string PrefValueInLine(std::string_view line, std::string_view pattern) {
  const size_t found = LowerCase(line).find(LowerCase(pattern));
  if (found == std::string::npos)
    return {};
  // The value starts after the comma that follows the name, past spaces, quotes and commas.
  size_t start = line.find(',', found + pattern.size());
  if (start == std::string_view::npos)
    start = line.size();
  while (start < line.size() && (line[start] == ' ' || line[start] == '"' || line[start] == ','))
    ++start;
  if (start + 1 >= line.size())
    return {};
  // It ends before the last ")" and the quotes and parentheses just before it.
  const size_t close = line.rfind(')');
  if (close == std::string_view::npos)
    return {};
  size_t end = close + 1;  // one past the value's last character
  while (end > 0 && (line[end - 1] == '"' || line[end - 1] == ')'))
    --end;
  if (end <= start)
    return {};
  return std::string(line.substr(start, end - start));
}

std::string TNavigator4Paths::CacheDirectory() {
  std::string preference;
  if (FindPref(kCacheDirectoryPref, preference)) {
    std::string folder = NativeSeparators(preference);
    if (FolderHasCacheIndex(folder))
      return folder;
  }
  const std::string profileFolder = UserDirectory();
  if (!profileFolder.empty()) {
    std::string folder = NativeSeparators(profileFolder + "Cache");
    if (FolderHasCacheIndex(folder))
      return folder;
  }
  return {};
}

std::string CacheIndexInFolder(std::string_view folder) {
  if (std::optional<std::string> index = FileInFolder(folder, "Fat.db"))
    return std::move(*index);
  if (std::optional<std::string> index = FileInFolder(folder, "Fat"))
    return std::move(*index);
  return {};
}

bool FolderHasCacheIndex(std::string_view folder) {
  return !CacheIndexInFolder(folder).empty();
}

std::string FindNavigatorCacheIndex(const Registry& registry) {
  const std::string profileIndex = CacheIndexInFolder(TNavigator4Paths(registry).CacheDirectory());
  const std::string registryIndex =
      CacheIndexInFolder(ReadValue(registry, RegistryRoot::CurrentUser, kCacheKey, "Cache Dir"));
  if (!profileIndex.empty() && !registryIndex.empty())
    return LastWriteTime(registryIndex) > LastWriteTime(profileIndex) ? registryIndex
                                                                      : profileIndex;
  return profileIndex.empty() ? registryIndex : profileIndex;
}

}  // namespace pagehold
