// The rule that decides which cache items the current choice holds. Archive, delete and the
// command line all use it: an item is chosen when it is inside the age window, its Domain is one
// of the "Archive/Delete" domains (letter case aside) and the box of its kind is checked.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "cache/CacheItem.h"
#include "explorer/AgeWindow.h"

namespace pagehold {

// The three kind check boxes.
struct KindBoxes {
  bool text = true;
  bool media = true;
  bool other = true;

  // True when the box of that kind is checked; a kind value outside Text/Media/Other has no box
  // and is never checked.
  bool Checks(std::int32_t contentKind) const;
  bool AllChecked() const { return text && media && other; }
};

class ItemChoice {
 public:
  ItemChoice(AgeWindow window, const std::vector<std::string>& domains, KindBoxes kinds);

  bool IsChosen(const TCacheItem& item) const;

  // The chosen items in cache-list order, borrowed from the list.
  ItemRefs ChosenItems(const CacheList& list) const;

 private:
  AgeWindow window_;
  // The domains lower-cased (A-Z only, the same folding SameText uses), so that one hash lookup
  // replaces a case-blind search of the list for every item.
  std::unordered_set<std::string> lowerDomains_;
  KindBoxes kinds_;
};

}  // namespace pagehold
