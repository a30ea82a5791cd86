#include "explorer/DomainList.h"

#include <algorithm>
#include <iterator>

#include "cache/Text.h"

namespace pagehold {

namespace {

bool NameBefore(const std::string& a, const std::string& b) {
  return CompareText(a, b) < 0;
}

}  // namespace

std::vector<std::string> DomainList::Names() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const Entry& entry : entries_)
    names.push_back(entry.name);
  return names;
}

int DomainList::FirstSelection() const {
  for (int i = 0; i < Count(); ++i) {
    if (entries_[i].selected)
      return i;
  }
  return -1;
}

int DomainList::IndexOfText(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(entries_[i].name, name))
      return i;
  }
  return -1;
}

void DomainList::Assign(std::vector<std::string> sortedNames) {
  entries_.clear();
  entries_.reserve(sortedNames.size());
  for (std::string& name : sortedNames)
    entries_.push_back({std::move(name), false});
}

void DomainList::AddAll(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), NameBefore);
  std::vector<Entry> added;
  added.reserve(names.size());
  for (std::string& name : names)
    added.push_back({std::move(name), false});
  std::vector<Entry> merged;
  merged.reserve(entries_.size() + added.size());
  // Existing entries come first among equals: a new name goes after the entries equal to it.
  std::merge(std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
             std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()),
             std::back_inserter(merged),
             [](const Entry& a, const Entry& b) { return NameBefore(a.name, b.name); });
  entries_ = std::move(merged);
}

std::vector<std::string> DomainList::TakeSelected() {
  std::vector<std::string> taken;
  for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
    if (entry->selected)
      taken.push_back(entry->name);
  }
  std::erase_if(entries_, [](const Entry& entry) { return entry.selected; });
  return taken;
}

std::vector<std::string> DomainList::TakeAll() {
  std::vector<std::string> taken = Names();
  entries_.clear();
  return taken;
}

void DomainList::SelectClamped(int index) {
  for (Entry& entry : entries_)
    entry.selected = false;
  if (entries_.empty())
    return;
  entries_[std::clamp(index, 0, Count() - 1)].selected = true;
}

}  // namespace pagehold
