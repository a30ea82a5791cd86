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

std::string ItemCount(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " item" : " items");
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

Message DeletionReportMessage(const DeletionOutcome& outcome) {
  constexpr std::size_t kShownFailures = 20;
  Message message;
  message.caption = "Pagehold";
  message.text = "Deleted " + ItemCount(outcome.removed) + " from the cache.";
  if (outcome.alreadyGone != 0)
    message.text += "\r\n" + ItemCount(outcome.alreadyGone) + " had already left the cache.";
  if (!outcome.failures.empty())
    message.text += "\r\n\r\nThese items could not be deleted:";
  for (std::size_t i = 0; i < outcome.failures.size() && i < kShownFailures; ++i)
    message.text += "\r\n" + outcome.failures[i].Describe();
  if (outcome.failures.size() > kShownFailures)
    message.text +=
        "\r\n... and " + std::to_string(outcome.failures.size() - kShownFailures) + " more";
  if (outcome.cancelled)
    message.text += "\r\n\r\nStopped before every chosen item was tried.";
  const bool whole = outcome.failures.empty() && !outcome.cancelled;
  message.icon = whole ? MessageIcon::Information : MessageIcon::Warning;
  message.buttons = MessageButtons::Ok;
  return message;
}

}  // namespace pagehold
