// What the Cache Explorer window shows and does, without the window: the age choice and its
// window, the domain summaries, the "Available Domains" and "Archive/Delete" lists with their
// moves, the kind check boxes and the three counters. The window binds its controls to this
// class and calls the operations from its event handlers; the command line drives it the same
// way, so both choose the same items.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cache/CacheItem.h"
#include "explorer/AgeWindow.h"
#include "explorer/DomainList.h"
#include "explorer/DomainSummaries.h"
#include "explorer/ItemChoice.h"
#include "platform/Interaction.h"
#include "sources/CacheSource.h"

namespace pagehold {

// The captions of the wait panel.
inline constexpr const char* kReadingCaption = "Processing cache index. Please wait.";
inline constexpr const char* kDeletingCaption = "Deleting items. Please wait";

inline constexpr int kNothingToDoHelpContext = 11;

class CacheExplorer {
 public:
  using Clock = std::function<double()>;

  // The cache list is the main window's; the explorer reads it and deletion removes from it.
  // now gives the local date and time as a day count.
  CacheExplorer(CacheList& list, CacheSource& source, Clock now);

  // What a new showing starts from: "All ages", the first number, "Hour(s)"; both lists empty,
  // counters 0, every kind checked.
  void Reset();

  // Reads the cache through the source and appends the items to the list. Unless the reading
  // failed (the index could not be opened or is not a cache index), the window becomes "all
  // ages" and the domains are refreshed; a stopped reading keeps what it read. Returns the
  // reading's report.
  ReadingReport ReadCache(Interaction& ui);

  // The age choice; each change recomputes the age window and refreshes the domains, which puts
  // every domain back into "Archive/Delete".
  AgeChoice Age() const { return age_; }
  void SetAge(AgeChoice age);
  // The numbers offered for the current unit, and the index of the chosen one.
  const std::vector<int>& AgeNumbers() const { return ageNumbers_; }
  int AgeNumberIndex() const { return ageNumberIndex_; }
  void SetAgeNumberIndex(int index);
  // A unit change refills the numbers and chooses the first of them.
  AgeUnit Unit() const { return unit_; }
  void SetUnit(AgeUnit unit);
  // An age window of any bounds, which the window's fixed numbers need not offer (the command
  // line's --newer and --older). choice says which bound the person set: it is not "All ages"
  // then. Refreshes the domains.
  void SetAgeWindow(AgeChoice choice, const AgeWindow& window);
  // The number and unit boxes are only of use when an age bound is set.
  bool AgeBoxesEnabled() const { return age_ != AgeChoice::AllAges; }
  const AgeWindow& Window() const { return window_; }

  // Rebuilds the summaries from the items inside the age window, empties "Available Domains",
  // puts every domain into "Archive/Delete", and recounts.
  void RefreshDomains();
  // Recomputes the counters from the summaries of the "Archive/Delete" domains.
  void UpdateCounts();

  const std::vector<TDomainSummary>& Summaries() const { return summaries_.Summaries(); }
  DomainList& Available() { return available_; }
  DomainList& ArchiveDelete() { return archiveDelete_; }
  const DomainList& Available() const { return available_; }
  const DomainList& ArchiveDelete() const { return archiveDelete_; }

  // The move buttons: ">" and "<" move the selected domains, ">>" and "<<" every domain.
  void Include();
  void Exclude();
  void IncludeAll();
  void ExcludeAll();
  bool IncludeEnabled() const { return !available_.Empty(); }
  bool ExcludeEnabled() const { return !archiveDelete_.Empty(); }
  // The list a move last gave the focus to (the window mirrors it).
  const DomainList* FocusedList() const { return focused_; }

  // The kind check boxes. They decide which items are chosen, but not the counters: an
  // unchecked kind's counter keeps its number and is only shown greyed.
  const KindBoxes& Kinds() const { return kinds_; }
  void SetKinds(KindBoxes kinds) { kinds_ = kinds; }

  const KindCounts& Counts() const { return counts_; }
  // The sum of the counters whose kind is checked.
  int CheckedTotal() const;

  // The chosen items as of now, and the rule that chose them.
  ItemChoice CurrentChoice() const;
  ItemRefs ChosenItems() const;

  // Says "No files to archive." and returns false when the checked counters hold nothing.
  bool ConfirmSomethingToArchive(Interaction& ui) const;

  CacheList& List() { return list_; }
  CacheSource& Source() { return source_; }

 private:
  void ApplyAgeChoice();
  void MoveSelected(DomainList& from, DomainList& to);
  void MoveAll(DomainList& from, DomainList& to);
  void SetItem(DomainList& list, int index);

  CacheList& list_;
  CacheSource& source_;
  Clock now_;

  AgeChoice age_ = AgeChoice::AllAges;
  AgeUnit unit_ = AgeUnit::Hours;
  std::vector<int> ageNumbers_;
  int ageNumberIndex_ = 0;
  AgeWindow window_;

  DomainSummaries summaries_;
  DomainList available_;
  DomainList archiveDelete_;
  const DomainList* focused_ = nullptr;

  KindBoxes kinds_;
  KindCounts counts_;
};

}  // namespace pagehold
