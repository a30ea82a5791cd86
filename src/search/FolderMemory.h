// Where the search and the delete-from-archive actions remember the folder the user typed, so
// that the next time starts from it. The program stores it in the settings; tests record it.
#pragma once

#include <string>

namespace pagehold {

enum class RememberedFolder {
  Search,   // the folder last searched
  Reindex,  // the folder last explored or re-indexed
};

class FolderMemory {
 public:
  virtual ~FolderMemory() = default;
  // Keeps the folder text exactly as typed (no separator added, not cut).
  virtual void Remember(RememberedFolder which, const std::string& typedFolder) = 0;
};

// For callers that keep nothing.
class NoFolderMemory : public FolderMemory {
 public:
  void Remember(RememberedFolder, const std::string&) override {}
};

}  // namespace pagehold
