#include "sources/NavigatorFileLookup.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "cache/Text.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

std::vector<std::string_view> SplitName(std::string_view name) {
  std::vector<std::string_view> steps;
  size_t begin = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || IsPathSeparator(name[i])) {
      if (i > begin)
        steps.push_back(name.substr(begin, i - begin));
      begin = i + 1;
    }
  }
  return steps;
}

}  // namespace

bool IsSafeRelativeName(std::string_view name) {
  if (name.empty() || IsPathSeparator(name.front()) || name.find(':') != std::string_view::npos)
    return false;
  for (std::string_view step : SplitName(name)) {
    if (step == "." || step == "..")
      return false;
  }
  return true;
}

CachedFileLookup::CachedFileLookup(std::string folder) : folder_(std::move(folder)) {}

std::optional<std::string> CachedFileLookup::Find(std::string_view relativeName) {
  if (!IsSafeRelativeName(relativeName))
    return std::nullopt;
  const std::string exact = JoinPath(folder_, NativeSeparators(relativeName));
  if (FileExists(exact))
    return exact;

  std::string path = folder_;
  for (std::string_view step : SplitName(relativeName)) {
    const NameIndex& names = IndexOf(path);
    const auto found = names.find(LowerCase(step));
    if (found == names.end())
      return std::nullopt;
    path = JoinPath(path, found->second);
  }
  if (!FileExists(path))
    return std::nullopt;
  return path;
}

const CachedFileLookup::NameIndex& CachedFileLookup::IndexOf(const std::string& folder) {
  const auto known = folders_.find(folder);
  if (known != folders_.end())
    return known->second;
  NameIndex& names = folders_[folder];
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    // Of names that differ only in case, the smallest wins, whatever order the listing has.
    auto [slot, added] = names.emplace(LowerCase(name), name);
    if (!added && name < slot->second)
      slot->second = name;
  }
  return names;
}

}  // namespace pagehold
