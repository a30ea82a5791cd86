// Deleting the chosen items from the browser cache: after a confirmation, every chosen item is
// removed through the cache source and leaves the cache list, and the explorer is refreshed from
// what remains.
#pragma once

#include <cstddef>
#include <string>

#include "explorer/CacheExplorer.h"
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
  std::size_t removed = 0;  // items that left the cache list
};

// True when the choice covers the whole cache: all ages, no domain left out, and no unchecked
// kind with anything counted.
bool ChoiceCoversWholeCache(const CacheExplorer& explorer);

// The confirmation question for the current choice.
std::string DeletionQuestion(const CacheExplorer& explorer);

// Asks, then removes every chosen item from the browser cache and from the cache list (keeping
// the order of the rest), then refreshes the domains. A removal that fails is not reported: the
// item leaves the list all the same. When a removal throws, the items removed so far stay
// removed, the list is left whole, and the error is passed on without a refresh.
DeletionOutcome DeleteChosenItems(CacheExplorer& explorer, Interaction& ui);

}  // namespace pagehold
