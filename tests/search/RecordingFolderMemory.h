// A FolderMemory for tests: keeps every folder remembered, in order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "search/FolderMemory.h"

namespace pagehold::testing {

class RecordingFolderMemory : public FolderMemory {
 public:
  void Remember(RememberedFolder which, const std::string& typedFolder) override {
    remembered.emplace_back(which, typedFolder);
  }
  std::vector<std::pair<RememberedFolder, std::string>> remembered;
};

}  // namespace pagehold::testing
