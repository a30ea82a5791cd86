#include "archive/ArchiveFile.h"

#include "cache/Folders.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "prefs/AppContext.h"

namespace pagehold {

namespace {

constexpr char kArchiveFileName[] = "archive.dat";
constexpr char kTemporaryFileName[] = "archive.tmp";

}  // namespace

std::string SerializeRecords(const ArchiveList& archive) {
  std::string bytes;
  for (const auto& record : archive.Items())
    WriteRecord(*record, bytes);
  return bytes;
}

std::string UsedNames::Key(std::string_view domain, std::string_view typeFolder,
                           std::string_view fileName) {
  std::string key;
  key.reserve(domain.size() + typeFolder.size() + fileName.size() + 2);
  key.append(domain).append("\\").append(typeFolder).append("\\").append(fileName);
  return key;
}

void UsedNames::Add(std::string_view key) {
  keys_.insert(LowerCase(key));
}

bool UsedNames::Contains(std::string_view key) const {
  return keys_.count(LowerCase(key)) != 0;
}

const TCacheItem* ArchiveList::Find(std::string_view url) const {
  const auto& firstPosition = FirstPositions();
  const auto found = firstPosition.find(url);
  return found == firstPosition.end() ? nullptr : records_[found->second].get();
}

const ArchiveList::Positions& ArchiveList::FirstPositions() const {
  if (!firstPosition_) {
    firstPosition_.emplace();
    firstPosition_->reserve(records_.size());
    // emplace keeps an existing entry: the index always names the first record with a Url.
    for (std::size_t position = 0; position < records_.size(); ++position)
      firstPosition_->emplace(records_[position]->Url, position);
  }
  return *firstPosition_;
}

void ArchiveList::Append(std::unique_ptr<TCacheItem> record) {
  if (firstPosition_)
    firstPosition_->emplace(record->Url, records_.size());
  records_.push_back(std::move(record));
}

void ArchiveList::Merge(const TCacheItem& item) {
  const auto found = FirstPositions().find(item.Url);
  if (found != firstPosition_->end()) {
    // Same Url, so the index stays right.
    Assign(*records_[found->second], item);
    return;
  }
  auto record = std::make_unique<TCacheItem>();
  Assign(*record, item);
  Append(std::move(record));
}

ArchiveList::Records ArchiveList::TakeAll() {
  firstPosition_.reset();
  Records taken = std::move(records_);
  records_.clear();
  return taken;
}

bool IsSafePathComponent(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return false;
  for (const char c : name) {
    if (IsPathSeparator(c))
      return false;
  }
  return true;
}

std::optional<std::string> ArchivedFilePath(std::string_view archiveFolder, std::string_view domain,
                                            std::string_view typeFolder,
                                            std::string_view fileName) {
  if (!IsSafePathComponent(domain) || !IsSafePathComponent(typeFolder) ||
      !IsSafePathComponent(fileName))
    return std::nullopt;
  return JoinPath(JoinPath(JoinPath(archiveFolder, domain), typeFolder), fileName);
}

std::optional<std::string> FindArchivedName(const ArchiveList& archive, std::string_view url) {
  const TCacheItem* record = archive.Find(url);
  if (!record)
    return std::nullopt;
  return record->FileName;
}

void MergeIntoArchive(ArchiveList& archive, const TCacheItem& item) {
  archive.Merge(item);
}

Status SaveArchive(const std::string& archiveFolder, const ArchiveList& archive) {
  const std::string folder = WithTrailingSeparator(archiveFolder);
  const std::string path = folder + kArchiveFileName;
  const std::string temporary = folder + kTemporaryFileName;
  if (archive.Empty()) {
    if (Status removed = RemoveFile(path); !removed)
      return removed;
    return RemoveFile(temporary);
  }
  if (Status replaced = ReplaceFileAtomically(path, SerializeRecords(archive), temporary);
      !replaced)
    return replaced;
  MarkHidden(path);
  return {};
}

const std::vector<std::string>& IndexImageNames() {
  // Spelled as the pages name them, so that the pages find them where letter case matters.
  static const std::vector<std::string> names = {
      "audio",   "text",    "video",  "other",  "image",    "uAudio",   "utext",
      "uVideo",  "uOther",  "uImage", "dAudio", "dtext",    "dVideo",   "dOther",
      "dImage",  "gAudio",  "gtext",  "gVideo", "gOther",   "gImage",   "folder",
      "lfolder", "ofolder", "ftext",  "ltext",  "notfound", "Pagehold", "CorvaneLogo"};
  return names;
}

Status CopyIndexImages(const AppContext& context, const std::string& archiveFolder) {
  const std::string images = JoinPath(archiveFolder, "images");
  const std::string sources = JoinPath(context.dataFolder, "images");
  if (Status made = ForceFolder(images); !made)
    return made;
  Status copied;
  for (const std::string& name : IndexImageNames()) {
    const std::string target = JoinPath(images, name + ".gif");
    if (!FileExists(target)) {
      Status one = CopyOver(JoinPath(sources, name + ".gif"), target);
      if (copied)
        copied = std::move(one);
    }
  }
  return copied;
}

}  // namespace pagehold
