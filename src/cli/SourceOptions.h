// The options every cache command shares: where the cache is (SOURCE) and which of its items
// the command works on (FILTERS). The filters choose what the Cache Explorer would choose with
// the same age choice, the named domains in its "Archive/Delete" list and the same kinds checked.
//
//   SOURCE:  --nav INDEX_FILE | --ie CACHE_FOLDER
//   FILTERS: --newer N{h|d|w} | --older N{h|d|w}   (default: all ages)
//            --domain NAME, repeatable              (default: every domain)
//            --kinds text,media,other               (default: all three)
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "explorer/AgeWindow.h"
#include "explorer/ItemChoice.h"
#include "prefs/AppContext.h"
#include "sources/CacheSource.h"

namespace pagehold {

struct SourceOptions {
  Product product = Product::Navigator;
  std::string sourcePath;  // the Navigator index file or the IE cache folder

  AgeChoice age = AgeChoice::AllAges;
  int ageNumber = 0;
  AgeUnit ageUnit = AgeUnit::Hours;
  std::string ageText;  // the age as given ("6h"), for messages

  std::vector<std::string> domains;  // empty: every domain inside the age window
  KindBoxes kinds;

  Arguments rest;  // the arguments left for the command's own flags, in their order
};

// Parses SOURCE and FILTERS out of the arguments. Returns false with a one-line reason for bad
// usage: a missing or repeated source, a missing value, a malformed age or kind list, both
// --newer and --older.
bool ParseSourceOptions(const Arguments& args, SourceOptions& options, std::string& reason);

// The program's context for the product the source belongs to, with the folder of the running
// program (where MIMETYPE.DAT lives).
AppContext MakeAppContext(const SourceOptions& options);

// The cache source for the options, reading through the context's MIME table.
std::unique_ptr<CacheSource> MakeCacheSource(const SourceOptions& options, AppContext& context);

// Checks that the age number is one the Cache Explorer offers for its unit with this source.
// Returns false with a one-line reason otherwise.
bool CheckAgeOffered(const SourceOptions& options, const CacheSource& source, std::string& reason);

}  // namespace pagehold
