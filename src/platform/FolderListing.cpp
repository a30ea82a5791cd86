#include "platform/FolderListing.h"

#include <filesystem>
#include <system_error>

#include "platform/Paths.h"

namespace pagehold {

namespace {

std::string LowerLetters(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

// The kind as the listing itself gave it (the directory entry's type, which the standard
// library keeps), so that no entry costs a query of its own; a link is never followed here.
FolderListing::Kind KindOf(const std::filesystem::directory_entry& entry) {
  std::error_code error;
  if (entry.is_symlink(error) || error)
    return FolderListing::Kind::Other;
  if (entry.is_regular_file(error))
    return FolderListing::Kind::File;
  if (!error && entry.is_directory(error))
    return FolderListing::Kind::Folder;
  return FolderListing::Kind::Other;
}

}  // namespace

FolderListing::FolderListing(const std::string& folder) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end;
       !error && it != end; it.increment(error))
    byName_.emplace(it->path().filename().string(), KindOf(*it));
}

void FolderListing::IndexLowerNames() {
  byLowerName_.emplace();
  byLowerName_->reserve(byName_.size());
  for (const Names::value_type& entry : byName_) {
    auto [slot, added] = byLowerName_->emplace(LowerLetters(entry.first), &entry);
    if (!added && entry.first < slot->second->first)
      slot->second = &entry;
  }
}

std::optional<FolderListing::Entry> FolderListing::FindExact(std::string_view name) const {
  const auto exact = byName_.find(name);
  if (exact == byName_.end())
    return std::nullopt;
  return Entry{exact->first, exact->second};
}

std::optional<FolderListing::Entry> FolderListing::Find(std::string_view name) {
  if (std::optional<Entry> exact = FindExact(name))
    return exact;
  if (!byLowerName_)
    IndexLowerNames();
  const auto folded = byLowerName_->find(LowerLetters(name));
  if (folded == byLowerName_->end())
    return std::nullopt;
  return Entry{folded->second->first, folded->second->second};
}

std::optional<FolderListing::Kind> ListedFiles::KindOf(const std::string& path) {
  const std::string folder = FolderPart(path);
  auto listing = folders_.find(folder);
  if (listing == folders_.end())
    listing = folders_.emplace(folder, FolderListing(folder)).first;
  const std::string name = FileNamePart(path);
#ifdef _WIN32
  // The system matches names without regard to letter case.
  const std::optional<FolderListing::Entry> entry = listing->second.Find(name);
#else
  const std::optional<FolderListing::Entry> entry = listing->second.FindExact(name);
#endif
  if (!entry)
    return std::nullopt;
  return entry->kind;
}

bool ListedFiles::Exists(const std::string& path) {
  const std::optional<FolderListing::Kind> kind = KindOf(path);
  if (kind == FolderListing::Kind::Other)
    return FileExists(path);
  return kind == FolderListing::Kind::File;
}

}  // namespace pagehold
