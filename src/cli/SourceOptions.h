// The options every cache command shares: where the cache is (SOURCE), which of its items
// the command works on (FILTERS), and whether a partial reading of a damaged index is
// accepted. The filters choose what the Cache Explorer would choose with the same age window,
// the named domains in its "Archive/Delete" list and the same kinds checked; the age may be
// any number of hours, days or weeks, and both bounds may be given.
//
//   SOURCE:  --nav INDEX_FILE | --ie CACHE_FOLDER
//   FILTERS: --newer N{h|d|w} and/or --older N{h|d|w}  (default: all ages)
//            --domain NAME, repeatable                  (default: every domain)
//            --kinds text,media,other                   (default: all three)
//   --partial-ok: a damaged or cut index is no failure (exit status 0)
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "explorer/AgeWindow.h"
#include "explorer/ItemChoice.h"
#include "prefs/AppContext.h"
#include "sources/CacheSource.h"

namespace pagehold {

// One bound of the age window: a number of hours, days or weeks.
struct AgeBound {
  int number = 0;
  AgeUnit unit = AgeUnit::Hours;
  std::string text;  // as given ("6h"), for messages

  double Days() const { return AgeSpanDays(number, unit); }
};

struct SourceOptions {
  Product product = Product::Navigator;
  std::string sourcePath;  // the Navigator index file or the IE cache folder

  std::optional<AgeBound> newer;  // items newer than this
  std::optional<AgeBound> older;  // items older than this

  std::vector<std::string> domains;  // empty: every domain inside the age window
  KindBoxes kinds;
  bool partialOk = false;

  Arguments rest;  // the arguments left for the command's own flags, in their order
};

// Parses SOURCE, FILTERS and --partial-ok out of the arguments. Returns false with a one-line
// reason for bad usage: a missing or repeated source, a missing value, a malformed age or kind
// list, a bound given twice, or --newer and --older that leave no age between them.
bool ParseSourceOptions(const Arguments& args, SourceOptions& options, std::string& reason);

// The program's context for the product the source belongs to: the folder of the running
// program, MIMETYPE.DAT where the platform keeps it.
AppContext MakeAppContext(const SourceOptions& options);

// The cache source for the options, reading through the context's MIME table.
std::unique_ptr<CacheSource> MakeCacheSource(const SourceOptions& options, AppContext& context);

}  // namespace pagehold
