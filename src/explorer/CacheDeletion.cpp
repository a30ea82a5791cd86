#include "explorer/CacheDeletion.h"

namespace pagehold {

namespace {

// Removes the chosen items in one pass. The survivors slide down over the removed ones, so
// the walk is linear however many items go, and the list is compacted on every way out.
std::size_t RemoveChosen(CacheList& list, const ItemChoice& choice, CacheSource& source) {
  std::size_t kept = 0;
  std::size_t next = 0;
  const auto compact = [&] {
    for (; next < list.size(); ++next)
      list[kept++] = std::move(list[next]);
    list.resize(kept);
  };
  try {
    for (; next < list.size(); ++next) {
      std::unique_ptr<TCacheItem>& item = list[next];
      if (choice.IsChosen(*item)) {
        source.RemoveFromCache(*item);  // a failed removal still takes the item off the list
        item.reset();
      } else {
        list[kept++] = std::move(item);
      }
    }
  } catch (...) {
    compact();
    throw;
  }
  const std::size_t removed = list.size() - kept;
  list.resize(kept);
  return removed;
}

}  // namespace

bool ChoiceCoversWholeCache(const CacheExplorer& explorer) {
  return explorer.Age() == AgeChoice::AllAges && explorer.Available().Empty() &&
         explorer.CheckedTotal() == explorer.Counts().Sum();
}

std::string DeletionQuestion(const CacheExplorer& explorer) {
  return ChoiceCoversWholeCache(explorer) ? kDeleteWholeCacheQuestion : kDeleteQuestion;
}

DeletionOutcome DeleteChosenItems(CacheExplorer& explorer, Interaction& ui) {
  DeletionOutcome outcome;
  if (explorer.CheckedTotal() == 0) {
    ui.Ask({kNothingToDelete, "Information", MessageIcon::Information, MessageButtons::OkHelp,
            kNothingToDoHelpContext});
    return outcome;
  }
  const Message question{DeletionQuestion(explorer), "Confirmation", MessageIcon::Confirmation,
                         MessageButtons::YesNoCancel};
  if (ui.Ask(question) != MessageAnswer::Yes) {
    outcome.result = DeletionResult::NotConfirmed;
    return outcome;
  }
  ui.ShowStatus(kDeletingCaption);
  ui.ProcessPendingEvents();
  outcome.removed = RemoveChosen(explorer.List(), explorer.CurrentChoice(), explorer.Source());
  outcome.result = DeletionResult::Deleted;
  ui.ProcessPendingEvents();
  explorer.RefreshDomains();
  return outcome;
}

}  // namespace pagehold
