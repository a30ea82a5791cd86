// The archive info file, archive.dat: everything archived into one archive folder, as records
// back to back in the stored form of TCacheItem (see cache/CacheItem.h), with no header, count or
// trailer. Records keep their order; a record updated by a run keeps its place and new records
// are appended.
//
// A record is identified by its Url, compared byte for byte. The same Url is not meant to occur
// twice; when an older file holds it twice, the first occurrence is the one that lookups and
// merges find, and the second is written back unchanged.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "cache/CacheItem.h"
#include "platform/Failure.h"

namespace pagehold {

struct AppContext;

// The file names taken in an archive folder during the naming of a run. A key is Domain + "\" +
// type folder + "\" + file name; keys are kept lower-cased (A-Z only), so that lookups ignore
// letter case and two names differing only in case collide.
class UsedNames {
 public:
  static std::string Key(std::string_view domain, std::string_view typeFolder,
                         std::string_view fileName);

  void Add(std::string_view key);
  bool Contains(std::string_view key) const;
  void Clear() { keys_.clear(); }
  std::size_t Size() const { return keys_.size(); }

 private:
  std::unordered_set<std::string> keys_;
};

// Hashes std::string and std::string_view alike, so that a map keyed by std::string can be
// searched with a view, without making a string of it first.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

// The records of one archive, owned, in archive.dat order, with an index from Url to the first
// record holding it so that lookups during a run of many items stay cheap. The index is built at
// the first lookup: readers that only walk the records (search, check) never pay for it.
class ArchiveList {
 public:
  using Records = std::vector<std::unique_ptr<TCacheItem>>;

  // The first record whose Url equals url byte for byte, or null.
  const TCacheItem* Find(std::string_view url) const;

  void Append(std::unique_ptr<TCacheItem> record);
  // Overwrites the first record with the item's Url, or appends a copy of the item.
  void Merge(const TCacheItem& item);
  // Hands all records to the caller and leaves the list empty.
  Records TakeAll();

  const Records& Items() const { return records_; }
  std::size_t Size() const { return records_.size(); }
  bool Empty() const { return records_.empty(); }
  const TCacheItem& operator[](std::size_t position) const { return *records_[position]; }

 private:
  using Positions = std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>>;
  const Positions& FirstPositions() const;

  Records records_;
  mutable std::optional<Positions> firstPosition_;
};

// True when a Domain, type folder or FileName may be used as one component of a path inside the
// archive folder: not empty, not "." or "..", and without a slash or backslash.
bool IsSafePathComponent(std::string_view name);

// archiveFolder + domain + separator + typeFolder + separator + fileName, or nothing when one of
// the three pieces is not a safe path component.
std::optional<std::string> ArchivedFilePath(std::string_view archiveFolder, std::string_view domain,
                                            std::string_view typeFolder, std::string_view fileName);

// FileName of the first record whose Url equals url byte for byte.
std::optional<std::string> FindArchivedName(const ArchiveList& archive, std::string_view url);

// Merges one archived item: overwrites the first record with the same Url in place (all of
// Assign's fields), or appends a copy. The item itself stays with its owner.
void MergeIntoArchive(ArchiveList& archive, const TCacheItem& item);

// Writes the list to archive.dat of archiveFolder. The records go to archive.tmp, which is
// flushed to disk and then renamed over archive.dat in one step, so archive.dat is at every
// moment either the old file or the new one, whole. An empty list deletes archive.dat. On
// failure archive.dat is left as it was.
[[nodiscard]] Status SaveArchive(const std::string& archiveFolder, const ArchiveList& archive);

// The stored form of every record, in list order: what SaveArchive writes.
std::string SerializeRecords(const ArchiveList& archive);

// Puts the 28 index pictures into the archive's "images" folder (made with its parents when
// missing), copying each missing one from the "images" folder beside the program. Existing
// pictures are never replaced. Every picture is tried; the first failure is returned.
[[nodiscard]] Status CopyIndexImages(const AppContext& context, const std::string& archiveFolder);

// The picture stems, in copying order; each file is the stem + ".gif".
const std::vector<std::string>& IndexImageNames();

}  // namespace pagehold
