#include "search/ResultSort.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string>

namespace pagehold {

std::locale UserCollationLocale() {
  try {
    return std::locale("");
  } catch (const std::runtime_error&) {
    return std::locale::classic();
  }
}

void SortByUrl(std::vector<SearchResult>& rows, const std::locale& collation) {
  // Each address is turned once into its collation key (whose plain byte order is the locale's
  // order), instead of collating both texts again in every comparison.
  const auto& collate = std::use_facet<std::collate<char>>(collation);
  std::vector<std::string> keys;
  keys.reserve(rows.size());
  for (const SearchResult& row : rows)
    keys.push_back(collate.transform(row.Url.data(), row.Url.data() + row.Url.size()));

  std::vector<size_t> order(rows.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });

  std::vector<SearchResult> sorted;
  sorted.reserve(rows.size());
  for (size_t position : order)
    sorted.push_back(std::move(rows[position]));
  rows = std::move(sorted);
}

}  // namespace pagehold
