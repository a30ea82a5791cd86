// One command's view of a cache: the program context, the cache source, the cache list read
// from it, and a Cache Explorer set up from the filters, so that the command chooses exactly
// what the window would with the same choices.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "cli/SourceOptions.h"
#include "explorer/CacheExplorer.h"
#include "platform/Interaction.h"

namespace pagehold {

class CacheSession {
 public:
  explicit CacheSession(const SourceOptions& options);

  // Reads the cache and applies the filters: the age choice, the domains (every other domain
  // moved to "Available Domains"; a named domain with no item inside the age window is
  // reported on err) and the kinds. Returns false with a one-line reason when the source does
  // not exist or cannot be read, or when the source does not offer the age.
  bool Load(Interaction& ui, std::ostream& err, std::string& reason);

  AppContext& Context() { return context_; }
  CacheSource& Source() { return *source_; }
  CacheExplorer& Explorer() { return explorer_; }

 private:
  bool ReadCache(Interaction& ui, std::string& reason);
  void ChooseAge();
  void ChooseDomains(std::ostream& err);

  SourceOptions options_;
  AppContext context_;
  std::unique_ptr<CacheSource> source_;
  CacheList list_;
  CacheExplorer explorer_;
};

}  // namespace pagehold
