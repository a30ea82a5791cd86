#include "archive/LinkRewriter.h"

#include <algorithm>
#include <string>

#include "cache/Url.h"

namespace pagehold {

ArchivedLinks::ArchivedLinks(const ItemRefs& selection, const ArchiveList& archive,
                             const TMimeTable& mimeTable)
    : selection_(selection), archive_(archive), mimeTable_(mimeTable) {
  selectionPosition_.reserve(selection.size());
  for (std::size_t position = 0; position < selection.size(); ++position)
    selectionPosition_.try_emplace(selection[position]->Url, position);
}

const TCacheItem* ArchivedLinks::FindInSelection(std::string_view url) const {
  const auto exact = selectionPosition_.find(url);
  const auto folder = selectionPosition_.find(std::string(url) + "/");
  if (exact == selectionPosition_.end() && folder == selectionPosition_.end())
    return nullptr;
  if (folder == selectionPosition_.end())
    return selection_[exact->second];
  if (exact == selectionPosition_.end())
    return selection_[folder->second];
  return selection_[std::min(exact->second, folder->second)];
}

const TCacheItem* ArchivedLinks::FindInArchive(std::string_view url) const {
  const TCacheItem* exact = archive_.Find(url);
  const TCacheItem* folder = archive_.Find(std::string(url) + "/");
  if (exact == nullptr || folder == nullptr)
    return exact != nullptr ? exact : folder;
  // Both forms are recorded, which is rare: the one stored first wins.
  for (const auto& record : archive_.Items()) {
    if (record.get() == exact || record.get() == folder)
      return record.get();
  }
  return exact;
}

std::string ArchivedLinks::LookUpArchivedLink(std::string_view url) const {
  const TCacheItem* item = FindInSelection(url);
  if (item == nullptr)
    item = FindInArchive(url);
  if (item == nullptr)
    return std::string(kNotFoundPage);
  return "../../" + item->Domain + "/" + mimeTable_.MimeTypeFolder(item->MimeIndex) + "/" +
         FileNameInLink(item->FileName);
}

}  // namespace pagehold
