// The names in one folder, listed once: a pass that tests many names in the same folder costs
// one listing of it rather than one query of the file system per name.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pagehold {

class FolderListing {
 public:
  // What the listing tells of an entry without asking the system again. Other: a symbolic
  // link, or a kind the listing did not tell; only the system can say what lies behind it.
  enum class Kind { File, Folder, Other };

  struct Entry {
    std::string_view name;  // as on disk; valid as long as the listing
    Kind kind;
  };

  // Lists the folder; a folder that cannot be listed holds nothing.
  explicit FolderListing(const std::string& folder);

  // The entry named exactly name.
  std::optional<Entry> FindExact(std::string_view name) const;

  // The entry named exactly name, or else the one whose name differs from it only in the
  // letter case of A to Z (of several such, the smallest name, whatever order the listing had).
  std::optional<Entry> Find(std::string_view name);

  std::size_t Size() const { return byName_.size(); }

 private:
  // Looked up by string_view without building a string for each name asked about.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
      return std::hash<std::string_view>()(name);
    }
  };
  using Names = std::unordered_map<std::string, Kind, NameHash, std::equal_to<>>;
  void IndexLowerNames();

  Names byName_;
  // Lower-cased name -> the entry it stands for; built when an exact name is first missed.
  std::optional<std::unordered_map<std::string, Names::const_pointer>> byLowerName_;
};

// Existence tests of many files in few folders, each folder listed once when first asked
// about. Answers as FileExists does (the path names something that is not a folder, a link
// followed), for files that do not change while it is used.
class ListedFiles {
 public:
  bool Exists(const std::string& path);

  // What the listing of the path's folder tells of the name; nothing when the folder holds no
  // such name.
  std::optional<FolderListing::Kind> KindOf(const std::string& path);

 private:
  std::unordered_map<std::string, FolderListing> folders_;
};

}  // namespace pagehold
