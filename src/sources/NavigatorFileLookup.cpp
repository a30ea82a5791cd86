#include "sources/NavigatorFileLookup.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/Paths.h"

namespace pagehold {

namespace {

// True when a step between separators is "." or "..".
bool HasDotStep(std::string_view name) {
  size_t begin = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || IsPathSeparator(name[i])) {
      const std::string_view step = name.substr(begin, i - begin);
      if (step == "." || step == "..")
        return true;
      begin = i + 1;
    }
  }
  return false;
}

// True when the entry is a file (last step) or a folder (any other step). A link, or a kind
// the listing did not tell, is asked about where it points.
bool IsOfKind(const FolderListing::Entry& entry, const std::string& path, bool last) {
  if (entry.kind == FolderListing::Kind::Other) {
    std::error_code error;
    return last ? FileExists(path) : std::filesystem::is_directory(path, error);
  }
  return (entry.kind == FolderListing::Kind::File) == last;
}

}  // namespace

bool IsSafeRelativeName(std::string_view name) {
  if (name.empty() || IsPathSeparator(name.front()) || name.find(':') != std::string_view::npos)
    return false;
  return !HasDotStep(name);
}

CachedFileLookup::CachedFileLookup(std::string folder) : folder_(std::move(folder)) {}

std::optional<std::string> CachedFileLookup::Find(std::string_view relativeName) {
  std::optional<Found> found = FindListed(relativeName);
  if (!found)
    return std::nullopt;
  return std::move(found->path);
}

std::optional<CachedFileLookup::Found> CachedFileLookup::FindListed(std::string_view relativeName) {
  if (!IsSafeRelativeName(relativeName))
    return std::nullopt;
  std::string path = folder_;
  std::size_t begin = 0;
  while (begin < relativeName.size()) {
    std::size_t end = begin;
    while (end < relativeName.size() && !IsPathSeparator(relativeName[end]))
      ++end;
    if (end == begin) {  // an empty step between two separators
      ++begin;
      continue;
    }
    const std::optional<FolderListing::Entry> entry =
        ListingOf(path).Find(relativeName.substr(begin, end - begin));
    if (!entry)
      return std::nullopt;
    path = JoinPath(path, entry->name);
    const bool last = relativeName.find_first_not_of("/\\", end) == std::string_view::npos;
    if (!IsOfKind(*entry, path, last))
      return std::nullopt;
    if (last)
      return Found{std::move(path), entry->kind};
    begin = end + 1;
  }
  return std::nullopt;
}

FolderListing& CachedFileLookup::ListingOf(const std::string& folder) {
  auto known = folders_.find(folder);
  if (known == folders_.end())
    known = folders_.emplace(folder, FolderListing(folder)).first;
  return known->second;
}

}  // namespace pagehold
