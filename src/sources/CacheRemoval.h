// Removing a batch of items from the browser cache: one pass over the items that keeps the
// screen alive, shows how far it got, stops when asked to, and records what became of each
// item, so that the caller can take exactly the removed items off the cache list and name
// every failure with its reason.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "cache/CacheItem.h"
#include "platform/Failure.h"
#include "platform/Interaction.h"

namespace pagehold {

enum class RemovalState {
  NotTried,     // the pass stopped before it (cancel, or an error that ended the pass)
  Removed,      // this pass removed it from the cache
  AlreadyGone,  // the cache no longer held it
  Failed,       // the cache still holds it; its failure says why
};

struct RemovalReport {
  std::vector<RemovalState> states;  // one per item handed in, in the same order
  std::vector<Failure> failures;     // one per Failed item, in the same order
  bool cancelled = false;            // the person stopped the pass

  std::size_t Count(RemovalState state) const;
};

// Removes one item: Removed or AlreadyGone, or the failure that kept the item in the cache.
using RemoveOneItem = std::function<Result<RemovalState>(const TCacheItem&)>;

// Runs removeOne over the items in order. The report is sized first and filled as the pass
// goes, so that it tells what was done also when removeOne throws. Pending events run at
// least every 100 ms of work; the pass stops before the next item once a cancel is requested.
void RemoveEach(const ItemRefs& items, Interaction& ui, const RemoveOneItem& removeOne,
                RemovalReport& report);

// Deletes a cached file (a symbolic link itself, never what it points to). AlreadyGone when
// nothing is there.
Result<RemovalState> RemoveCachedFile(const std::string& path);

}  // namespace pagehold
