#include "cli/CacheSession.h"

#include <algorithm>
#include <ostream>
#include <unordered_map>

#include "cache/Dates.h"
#include "cache/Text.h"
#include "cli/CommandArguments.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// The file the source reads first: the index file itself, or the index.dat of the IE folder.
std::string IndexFileOf(const SourceOptions& options) {
  return options.product == Product::Navigator ? options.sourcePath
                                               : JoinPath(options.sourcePath, "index.dat");
}

}  // namespace

CacheSession::CacheSession(const SourceOptions& options, std::string command)
    : options_(options),
      command_(std::move(command)),
      context_(MakeAppContext(options)),
      source_(MakeCacheSource(options_, context_)),
      explorer_(list_, *source_, Now) {}

bool CacheSession::Load(Interaction& ui, std::ostream& err, std::string& reason) {
  if (!ReadCache(ui, err, reason))
    return false;
  ChooseAge();
  ChooseDomains(err);
  explorer_.SetKinds(options_.kinds);
  return true;
}

bool CacheSession::ReadCache(Interaction& ui, std::ostream& err, std::string& reason) {
  const std::string indexFile = IndexFileOf(options_);
  if (!FileExists(indexFile)) {
    reason = "cannot find the cache index " + indexFile;
    return false;
  }
  explorer_.Reset();
  reading_ = explorer_.ReadCache(ui);
  if (reading_.Failed()) {
    reason = reading_.reason;
    return false;
  }
  err << "pagehold " << command_ << ": " << DescribeReading(reading_) << '\n';
  for (const std::string& notice : reading_.mimeTableNotices)
    err << "pagehold " << command_ << ": " << notice << '\n';
  return true;
}

int CacheSession::Finish(int status, std::ostream& err) const {
  if (status != kExitDone || !reading_.Partial() || options_.partialOk)
    return status;
  err << "pagehold " << command_ << ": only part of the cache index could be read; "
      << "--partial-ok accepts that\n";
  return kExitRefused;
}

// The age bounds given; without any, every age.
void CacheSession::ChooseAge() {
  if (!options_.newer && !options_.older)
    return;
  const auto days = [](const std::optional<AgeBound>& bound) -> std::optional<double> {
    return bound ? std::optional<double>(bound->Days()) : std::nullopt;
  };
  explorer_.SetAgeWindow(options_.newer ? AgeChoice::NewerThan : AgeChoice::OlderThan,
                         MakeAgeWindowBetween(days(options_.newer), days(options_.older), Now()));
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
