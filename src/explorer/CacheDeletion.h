// Deleting the chosen items from the browser cache: after a confirmation, every chosen item is
// removed through the cache source and leaves the cache list, and the explorer is refreshed from
// what remains.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "explorer/CacheExplorer.h"
#include "platform/Failure.h"
#include "platform/Interaction.h"

namespace pagehold {

inline constexpr const char* kDeleteQuestion =
    "Are you sure you want to delete these\r\nitems from the cache?\r\n";
inline constexpr const char* kDeleteWholeCacheQuestion =
    "Are you sure you want to delete these\r\nitems from the cache?\r\n\r\nWARNING : This "
    "selection will delete\r\nthe entire cache. Continue?";
inline constexpr const char* kNothingToDelete = "No files to delete.";

enum class DeletionResult { NothingToDelete, NotConfirmed, Deleted };

struct DeletionOutcome {
  DeletionResult result = DeletionResult::NothingToDelete;
  std::size_t removed = 0;        // chosen items this deletion removed from the cache
  std::size_t alreadyGone = 0;    // chosen items the cache no longer held
  std::vector<Failure> failures;  // chosen items the cache still holds, each with the reason
  bool cancelled = false;         // stopped on request before every chosen item was tried
};

// True when the choice covers the whole cache: all ages, no domain left out, and no unchecked
// kind with anything counted.
bool ChoiceCoversWholeCache(const CacheExplorer& explorer);

// The confirmation question for the current choice.
std::string DeletionQuestion(const CacheExplorer& explorer);

// Asks, then removes the chosen items from the browser cache, showing progress and stopping
// when asked to, and refreshes the domains. The items that left the cache (removed, or gone
// already) leave the cache list, the rest keeping their order; an item whose removal failed, or
// that was not tried, stays listed because the cache still holds it, and each failure is in
// the outcome for the caller to show. When a removal throws, the items removed so far leave the
// list and the error is passed on without a refresh.
DeletionOutcome DeleteChosenItems(CacheExplorer& explorer, Interaction& ui);

// What a deletion did, for the person who asked for it: how many items it removed, how many
// the cache no longer held, each item that could not be removed with the reason (the first 20,
// then how many more), and whether it was stopped early. A warning when anything was left.
Message DeletionReportMessage(const DeletionOutcome& outcome);

}  // namespace pagehold
