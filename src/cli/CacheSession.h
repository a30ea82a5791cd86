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
#include "sources/CacheReading.h"

namespace pagehold {

class CacheSession {
 public:
  // command: the command's name, for the lines it prints.
  CacheSession(const SourceOptions& options, std::string command);

  // Reads the cache, prints the reading's summary line on err, and applies the filters: the
  // age window, the domains (every other domain moved to "Available Domains"; a named domain
  // with no item inside the age window is reported on err) and the kinds. Returns false with a
  // one-line reason when the source does not exist, cannot be read, or is not a cache index of
  // the kind asked for.
  bool Load(Interaction& ui, std::ostream& err, std::string& reason);

  // The exit status of a command that did its work with status: 1 instead of 0 when only part
  // of the index could be read (it ended early, or pages or records in it are damaged), unless
  // --partial-ok was given; that is then said on err.
  int Finish(int status, std::ostream& err) const;

  const ReadingReport& Reading() const { return reading_; }
  AppContext& Context() { return context_; }
  CacheSource& Source() { return *source_; }
  CacheExplorer& Explorer() { return explorer_; }

 private:
  bool ReadCache(Interaction& ui, std::ostream& err, std::string& reason);
  void ChooseAge();
  void ChooseDomains(std::ostream& err);

  SourceOptions options_;
  std::string command_;
  AppContext context_;
  std::unique_ptr<CacheSource> source_;
  CacheList list_;
  CacheExplorer explorer_;
  ReadingReport reading_;
};

}  // namespace pagehold
