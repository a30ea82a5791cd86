#include "explorer/DomainSummaries.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "cache/Text.h"

namespace pagehold {

namespace {

void AddSaturating(std::uint16_t& counter, int amount) {
  constexpr int kLargest = std::numeric_limits<std::uint16_t>::max();
  counter = static_cast<std::uint16_t>(std::min(kLargest, counter + amount));
}

}  // namespace

void KindCounts::Count(std::int32_t contentKind) {
  switch (contentKind) {
    case Text:
      AddSaturating(text, 1);
      break;
    case Media:
      AddSaturating(media, 1);
      break;
    case Other:
      AddSaturating(other, 1);
      break;
    default:
      break;
  }
}

void KindCounts::Add(const KindCounts& counts) {
  AddSaturating(text, counts.text);
  AddSaturating(media, counts.media);
  AddSaturating(other, counts.other);
}

void DomainSummaries::Clear() {
  summaries_.clear();
  indexOfName_.clear();
}

void DomainSummaries::Collect(const CacheList& list, const AgeWindow& window) {
  for (const auto& item : list) {
    if (window.Contains(item->Date))
      SummaryOf(item->Domain).counts.Count(item->ContentKind);
  }
}

TDomainSummary& DomainSummaries::SummaryOf(const std::string& domain) {
  const auto [found, added] = indexOfName_.try_emplace(domain, summaries_.size());
  if (added)
    summaries_.push_back({domain, {}});
  return summaries_[found->second];
}

std::vector<std::string> DomainSummaries::SortedNames() const {
  std::vector<std::string> names;
  names.reserve(summaries_.size());
  for (const TDomainSummary& summary : summaries_)
    names.push_back(summary.Name);
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  });
  return names;
}

KindCounts DomainSummaries::TotalsFor(const std::vector<std::string>& names) const {
  std::unordered_set<std::string> lowerNames;
  for (const std::string& name : names)
    lowerNames.insert(LowerCase(name));
  KindCounts totals;
  for (const TDomainSummary& summary : summaries_) {
    if (lowerNames.count(LowerCase(summary.Name)) != 0)
      totals.Add(summary.counts);
  }
  return totals;
}

}  // namespace pagehold
