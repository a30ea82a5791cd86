// What differs between the two products: where the cache comes from, how one item leaves the
// browser cache, which ages the Cache Explorer offers, and how the archive run names a new
// archived copy.
#pragma once

#include <vector>

#include "cache/CacheItem.h"
#include "platform/Interaction.h"
#include "sources/CacheReading.h"
#include "sources/CacheRemoval.h"

namespace pagehold {

enum class AgeUnit { Hours, Days, Weeks };

// How the archive run derives the base name of a new archived copy.
enum class NamingRule {
  FromUrl,        // last path segment of the URL, filtered, with an extension from the MIME row
  FromCacheFile,  // the name of the cached copy as it is
};

class CacheSource {
 public:
  virtual ~CacheSource() = default;

  // Reads the cache: the items in reading order, without merging duplicates, and the report of
  // the reading. Progress is shown through ui, pending events run at least every 100 ms of
  // work, and a stop asked for through ui ends the reading with the items read so far. An
  // index that cannot be opened or is not a cache index of the source's kind gives no items
  // and a report that says why (after telling the user through ui where the product does).
  virtual CacheReading ReadCache(Interaction& ui) = 0;

  // Removes the items from the browser cache in one pass, filling the report as it goes (see
  // RemoveEach). The cache's own index files are never removed: such an item fails.
  virtual void RemoveFromCache(const ItemRefs& items, Interaction& ui, RemovalReport& report) = 0;

  // The numbers the age choice offers for a unit.
  virtual std::vector<int> AgeNumbers(AgeUnit unit) const = 0;

  virtual NamingRule FileNamingRule() const = 0;
};

}  // namespace pagehold
