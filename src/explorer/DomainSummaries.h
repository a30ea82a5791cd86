// The per-domain counts of the Cache Explorer: one summary per distinct Domain among the items
// inside the age window, with the number of items of each kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "cache/CacheItem.h"
#include "explorer/AgeWindow.h"

namespace pagehold {

// The counters are 16-bit, as the window shows them. They stop at 65535 instead of wrapping
// around: a wrapped counter could read 0 for a domain full of items and make archive and delete
// believe there is nothing to do.
struct KindCounts {
  std::uint16_t text = 0;
  std::uint16_t media = 0;
  std::uint16_t other = 0;

  // Adds one to the counter of the kind; other kind values count nowhere.
  void Count(std::int32_t contentKind);
  void Add(const KindCounts& counts);
  int Sum() const { return text + media + other; }
};

struct TDomainSummary {
  std::string Name;
  KindCounts counts;
};

class DomainSummaries {
 public:
  void Clear();

  // Counts every item inside the window, in list order, under its exact Domain (letter case
  // counts here: "Example" and "example" are two summaries).
  void Collect(const CacheList& list, const AgeWindow& window);

  const std::vector<TDomainSummary>& Summaries() const { return summaries_; }

  // The domain names, sorted without regard to case (equal names keep their order).
  std::vector<std::string> SortedNames() const;

  // The sum over the summaries whose Name equals one of the names, letter case aside.
  KindCounts TotalsFor(const std::vector<std::string>& names) const;

 private:
  TDomainSummary& SummaryOf(const std::string& domain);

  std::vector<TDomainSummary> summaries_;
  std::unordered_map<std::string, std::size_t> indexOfName_;
};

}  // namespace pagehold
