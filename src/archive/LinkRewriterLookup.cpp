#include "archive/LinkRewriter.h"

#include <string>

#include "cache/Url.h"

namespace pagehold {

ArchivedLinks::ArchivedLinks(const ItemRefs& selection, const ArchiveList& archive,
                             const TMimeTable& mimeTable)
    : mimeTable_(mimeTable) {
  byStem_.reserve(selection.size() + archive.Size());
  std::size_t rank = 0;
  for (const TCacheItem* item : selection)
    Add(item, rank++);
  for (const auto& record : archive.Items())
    Add(record.get(), rank++);
}

// Items arrive in rank order, so the first one to fill a slot keeps it.
void ArchivedLinks::Add(const TCacheItem* item, std::size_t rank) {
  std::string_view stem = item->Url;
  const bool slashed = !stem.empty() && stem.back() == '/';
  if (slashed)
    stem.remove_suffix(1);
  auto found = byStem_.find(stem);
  if (found == byStem_.end())
    found = byStem_.emplace(std::string(stem), StemItems{}).first;
  Ranked& slot = slashed ? found->second.slashed : found->second.bare;
  if (slot.item == nullptr)
    slot = {item, rank};
}

const ArchivedLinks::StemItems* ArchivedLinks::ItemsOfStem(std::string_view stem) const {
  const auto found = byStem_.find(stem);
  return found == byStem_.end() ? nullptr : &found->second;
}

const TCacheItem* ArchivedLinks::Find(std::string_view url) const {
  // url + "/" is the slashed form of the stem url; url itself is the bare form of url, or,
  // when url ends with "/", the slashed form of url without it.
  const StemItems* asStem = ItemsOfStem(url);
  const Ranked withSlash = asStem != nullptr ? asStem->slashed : Ranked{};
  Ranked asWritten;
  if (!url.empty() && url.back() == '/') {
    if (const StemItems* shorter = ItemsOfStem(url.substr(0, url.size() - 1)))
      asWritten = shorter->slashed;
  } else if (asStem != nullptr) {
    asWritten = asStem->bare;
  }
  return asWritten.rank <= withSlash.rank ? asWritten.item : withSlash.item;
}

const std::string& ArchivedLinks::TypeFolder(int mimeIndex) const {
  auto found = typeFolders_.find(mimeIndex);
  if (found == typeFolders_.end())
    found = typeFolders_.emplace(mimeIndex, mimeTable_.MimeTypeFolder(mimeIndex)).first;
  return found->second;
}

std::string ArchivedLinks::LookUpArchivedLink(std::string_view url) const {
  const TCacheItem* item = Find(url);
  if (item == nullptr)
    return std::string(kNotFoundPage);
  const std::string& typeFolder = TypeFolder(item->MimeIndex);
  const std::string fileName = FileNameInLink(item->FileName);
  std::string target;
  target.reserve(8 + item->Domain.size() + typeFolder.size() + fileName.size());
  target.append("../../").append(item->Domain).append("/").append(typeFolder).append("/");
  target.append(fileName);
  return target;
}

}  // namespace pagehold
