#include "explorer/CacheExplorer.h"

#include <algorithm>
#include <iterator>

namespace pagehold {

CacheExplorer::CacheExplorer(CacheList& list, CacheSource& source, Clock now)
    : list_(list), source_(source), now_(std::move(now)) {}

void CacheExplorer::Reset() {
  age_ = AgeChoice::AllAges;
  SetUnit(AgeUnit::Hours);
  available_.Clear();
  archiveDelete_.Clear();
  focused_ = nullptr;
  counts_ = {};
  kinds_ = {};
}

ReadingReport CacheExplorer::ReadCache(Interaction& ui) {
  ui.ShowStatus(kReadingCaption);
  ui.ProcessPendingEvents();
  CacheReading reading = source_.ReadCache(ui);
  list_.insert(list_.end(), std::make_move_iterator(reading.items.begin()),
               std::make_move_iterator(reading.items.end()));
  if (!reading.report.Failed()) {
    window_ = MakeAgeWindow(AgeChoice::AllAges, 0, unit_, now_());
    RefreshDomains();
  }
  return reading.report;
}

void CacheExplorer::SetAge(AgeChoice age) {
  age_ = age;
  ApplyAgeChoice();
}

void CacheExplorer::SetAgeWindow(AgeChoice choice, const AgeWindow& window) {
  age_ = choice;
  window_ = window;
  RefreshDomains();
}

void CacheExplorer::SetAgeNumberIndex(int index) {
  if (index >= 0 && index < static_cast<int>(ageNumbers_.size()))
    ageNumberIndex_ = index;
  ApplyAgeChoice();
}

void CacheExplorer::SetUnit(AgeUnit unit) {
  unit_ = unit;
  ageNumbers_ = source_.AgeNumbers(unit);
  ageNumberIndex_ = 0;
  ApplyAgeChoice();
}

void CacheExplorer::ApplyAgeChoice() {
  const int number = ageNumbers_.empty() ? 0 : ageNumbers_[ageNumberIndex_];
  window_ = MakeAgeWindow(age_, number, unit_, now_());
  RefreshDomains();
}

void CacheExplorer::RefreshDomains() {
  summaries_.Clear();
  summaries_.Collect(list_, window_);
  available_.Clear();
  archiveDelete_.Assign(summaries_.SortedNames());
  UpdateCounts();
}

void CacheExplorer::UpdateCounts() {
  counts_ = summaries_.TotalsFor(archiveDelete_.Names());
}

void CacheExplorer::Include() {
  MoveSelected(available_, archiveDelete_);
}

void CacheExplorer::Exclude() {
  MoveSelected(archiveDelete_, available_);
}

void CacheExplorer::IncludeAll() {
  MoveAll(available_, archiveDelete_);
}

void CacheExplorer::ExcludeAll() {
  MoveAll(archiveDelete_, available_);
}

// The source list keeps the selection near where it was, so that pressing the button again
// moves the next entry.
void CacheExplorer::MoveSelected(DomainList& from, DomainList& to) {
  const int first = from.FirstSelection();
  to.AddAll(from.TakeSelected());
  SetItem(from, first);
  UpdateCounts();
}

void CacheExplorer::MoveAll(DomainList& from, DomainList& to) {
  to.AddAll(from.TakeAll());
  SetItem(from, 0);
  UpdateCounts();
}

void CacheExplorer::SetItem(DomainList& list, int index) {
  focused_ = &list;
  list.SelectClamped(index);
}

int CacheExplorer::CheckedTotal() const {
  return (kinds_.text ? counts_.text : 0) + (kinds_.media ? counts_.media : 0) +
         (kinds_.other ? counts_.other : 0);
}

ItemChoice CacheExplorer::CurrentChoice() const {
  return ItemChoice(window_, archiveDelete_.Names(), kinds_);
}

ItemRefs CacheExplorer::ChosenItems() const {
  return CurrentChoice().ChosenItems(list_);
}

bool CacheExplorer::ConfirmSomethingToArchive(Interaction& ui) const {
  if (CheckedTotal() != 0)
    return true;
  ui.Ask({"No files to archive.", "Information", MessageIcon::Information, MessageButtons::OkHelp,
          kNothingToDoHelpContext});
  return false;
}

}  // namespace pagehold
