// One of the Cache Explorer's two domain lists ("Available Domains", "Archive/Delete"): a
// sorted multi-selection list of names, kept as plain data so the window only mirrors it.
#pragma once

#include <string>
#include <vector>

namespace pagehold {

class DomainList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  const std::string& Name(int index) const { return entries_[index].name; }
  std::vector<std::string> Names() const;

  bool IsSelected(int index) const { return entries_[index].selected; }
  void SetSelected(int index, bool selected) { entries_[index].selected = selected; }
  // The first selected index, or -1 when nothing is selected.
  int FirstSelection() const;
  // Index of the first entry equal to the name without regard to case, or -1.
  int IndexOfText(const std::string& name) const;

  void Clear() { entries_.clear(); }
  // Replaces the entries with names already sorted without regard to case; nothing selected.
  void Assign(std::vector<std::string> sortedNames);
  // Adds the names, unselected, each at its sorted place (without regard to case, after equal
  // entries), as a sorted list box does. One merge for the lot, so moving every domain of a large
  // cache stays n log n.
  void AddAll(std::vector<std::string> names);
  // Removes the selected entries and returns their names, last entry first (the order in which
  // the move walks the list).
  std::vector<std::string> TakeSelected();
  // Removes every entry and returns the names first to last.
  std::vector<std::string> TakeAll();

  // Selects the entry at the index alone: -1 becomes 0 and an index past the end the last one;
  // an empty list selects nothing.
  void SelectClamped(int index);

 private:
  struct Entry {
    std::string name;
    bool selected = false;
  };
  std::vector<Entry> entries_;
};

}  // namespace pagehold
