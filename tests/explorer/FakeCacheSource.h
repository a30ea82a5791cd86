// A cache source for explorer tests: reads a set list of items, records removals, and can be
// told to fail a removal or to throw.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "sources/CacheSource.h"

namespace pagehold::testing {

inline TCacheItem MakeItem(std::string domain, std::int32_t kind, double date,
                           std::string url = "") {
  TCacheItem item;
  item.Domain = std::move(domain);
  item.ContentKind = kind;
  item.Date = date;
  item.Url = url.empty() ? "http://" + item.Domain + ":80/" : std::move(url);
  return item;
}

// The URLs of items, in order: what tests compare lists by.
template <typename Items>
std::vector<std::string> UrlsOf(const Items& items) {
  std::vector<std::string> urls;
  for (const auto& item : items)
    urls.push_back(item->Url);
  return urls;
}

class FakeCacheSource : public CacheSource {
 public:
  explicit FakeCacheSource(std::vector<TCacheItem> items = {}) : items(std::move(items)) {}

  CacheReading ReadCache(Interaction&) override {
    CacheReading reading;
    for (const TCacheItem& item : items) {
      reading.items.push_back(std::make_unique<TCacheItem>(item));
      reading.report.Keep();
    }
    return reading;
  }

  void RemoveFromCache(const ItemRefs& items, Interaction& ui, RemovalReport& report) override {
    RemoveEach(
        items, ui,
        [this](const TCacheItem& item) -> Result<RemovalState> {
          if (item.Url == throwOnUrl)
            throw std::runtime_error("removal failed");
          if (item.Url == failOnUrl)
            return Failure{item.Url, "in use"};
          removedUrls.push_back(item.Url);
          return RemovalState::Removed;
        },
        report);
  }

  std::vector<int> AgeNumbers(AgeUnit unit) const override {
    if (unit == AgeUnit::Hours)
      return {6, 12, 18};
    return {1, 2, 3, 4, 5, 6};
  }

  NamingRule FileNamingRule() const override { return NamingRule::FromUrl; }

  std::vector<TCacheItem> items;
  std::string failOnUrl;
  std::string throwOnUrl;
  std::vector<std::string> removedUrls;
};

}  // namespace pagehold::testing
