#include "explorer/CacheDeletion.h"

namespace pagehold {

namespace {

// Takes the chosen items that left the cache (removed now, or gone already) off the list in one
// pass: the chosen items lie in list order, so list and report are walked side by side, and the
// survivors slide down over the ones that go.
void DropGoneItems(CacheList& list, const ItemRefs& chosen, const RemovalReport& report) {
  std::size_t kept = 0;
  std::size_t next = 0;
  for (std::unique_ptr<TCacheItem>& item : list) {
    bool gone = false;
    if (next < chosen.size() && item.get() == chosen[next]) {
      const RemovalState state =
          next < report.states.size() ? report.states[next] : RemovalState::NotTried;
      gone = state == RemovalState::Removed || state == RemovalState::AlreadyGone;
      ++next;
    }
    if (!gone)
      list[kept++] = std::move(item);
  }
  list.resize(kept);
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
  const ItemRefs chosen = explorer.ChosenItems();
  RemovalReport report;
  try {
    explorer.Source().RemoveFromCache(chosen, ui, report);
  } catch (...) {
    // What was removed before the error stays removed, and leaves the list.
    DropGoneItems(explorer.List(), chosen, report);
    throw;
  }
  DropGoneItems(explorer.List(), chosen, report);
  outcome.result = DeletionResult::Deleted;
  outcome.removed = report.Count(RemovalState::Removed);
  outcome.alreadyGone = report.Count(RemovalState::AlreadyGone);
  outcome.failures = std::move(report.failures);
  outcome.cancelled = report.cancelled;
  ui.ProcessPendingEvents();
  explorer.RefreshDomains();
  return outcome;
}

}  // namespace pagehold
