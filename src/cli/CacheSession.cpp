#include "cli/CacheSession.h"

#include <algorithm>
#include <ostream>
#include <unordered_map>

#include "cache/Dates.h"
#include "cache/Text.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// The file the source reads first: the index file itself, or the index.dat of the IE folder.
std::string IndexFileOf(const SourceOptions& options) {
  return options.product == Product::Navigator ? options.sourcePath
                                               : JoinPath(options.sourcePath, "index.dat");
}

}  // namespace

CacheSession::CacheSession(const SourceOptions& options)
    : options_(options),
      context_(MakeAppContext(options)),
      source_(MakeCacheSource(options_, context_)),
      explorer_(list_, *source_, Now) {}

bool CacheSession::Load(Interaction& ui, std::ostream& err, std::string& reason) {
  if (!CheckAgeOffered(options_, *source_, reason) || !ReadCache(ui, reason))
    return false;
  ChooseAge();
  ChooseDomains(err);
  explorer_.SetKinds(options_.kinds);
  return true;
}

bool CacheSession::ReadCache(Interaction& ui, std::string& reason) {
  const std::string indexFile = IndexFileOf(options_);
  if (!FileExists(indexFile)) {
    reason = "cannot find the cache index " + indexFile;
    return false;
  }
  explorer_.Reset();
  // The IE source also answers false for a cache that holds no usable item: an empty choice,
  // not an unreadable cache.
  if (!explorer_.ReadCache(ui) && options_.product == Product::Navigator) {
    reason = "cannot read the cache index " + indexFile;
    return false;
  }
  return true;
}

void CacheSession::ChooseAge() {
  explorer_.SetUnit(options_.ageUnit);
  const std::vector<int>& numbers = explorer_.AgeNumbers();
  const auto number = std::find(numbers.begin(), numbers.end(), options_.ageNumber);
  if (number != numbers.end())
    explorer_.SetAgeNumberIndex(static_cast<int>(number - numbers.begin()));
  explorer_.SetAge(options_.age);
}

// Every domain starts in "Archive/Delete"; naming domains keeps only those there. Names match
// without regard to case, as the choice itself does.
void CacheSession::ChooseDomains(std::ostream& err) {
  if (options_.domains.empty())
    return;
  explorer_.ExcludeAll();
  DomainList& available = explorer_.Available();
  std::unordered_map<std::string, bool> found;  // lower-cased name -> matched an entry
  for (const std::string& domain : options_.domains)
    found.emplace(LowerCase(domain), false);
  for (int i = 0; i < available.Count(); ++i) {
    const auto name = found.find(LowerCase(available.Name(i)));
    available.SetSelected(i, name != found.end());
    if (name != found.end())
      name->second = true;
  }
  for (const std::string& domain : options_.domains) {
    if (!found[LowerCase(domain)])
      err << "pagehold: no item of domain '" << domain << "' inside the age window\n";
  }
  explorer_.Include();
}

}  // namespace pagehold
