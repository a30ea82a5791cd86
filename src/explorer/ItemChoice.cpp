#include "explorer/ItemChoice.h"

#include "cache/Text.h"

namespace pagehold {

bool KindBoxes::Checks(std::int32_t contentKind) const {
  switch (contentKind) {
    case Text:
      return text;
    case Media:
      return media;
    case Other:
      return other;
    default:
      return false;
  }
}

ItemChoice::ItemChoice(AgeWindow window, const std::vector<std::string>& domains, KindBoxes kinds)
    : window_(window), kinds_(kinds) {
  for (const std::string& domain : domains)
    lowerDomains_.insert(LowerCase(domain));
}

bool ItemChoice::IsChosen(const TCacheItem& item) const {
  return window_.Contains(item.Date) && kinds_.Checks(item.ContentKind) &&
         lowerDomains_.count(LowerCase(item.Domain)) != 0;
}

ItemRefs ItemChoice::ChosenItems(const CacheList& list) const {
  ItemRefs chosen;
  for (const auto& item : list) {
    if (IsChosen(*item))
      chosen.push_back(item.get());
  }
  return chosen;
}

}  // namespace pagehold
