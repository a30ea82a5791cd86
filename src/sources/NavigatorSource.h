// The Navigator product's cache source: the cache index file read from disk, items removed by
// deleting their cached files, ages offered in hours, days and weeks, archived copies named
// after their URLs.
#pragma once

#include <string>
#include <vector>

#include "cache/MimeTable.h"
#include "sources/CacheSource.h"

namespace pagehold {

class NavigatorSource : public CacheSource {
 public:
  // indexPath: the full path of the cache index file ("Fat.db" or an older text index); the
  // cached files lie in the same folder.
  NavigatorSource(std::string indexPath, TMimeTable& mimeTable);

  // Reads the index. When it cannot be opened, the user is asked to close the browser first.
  CacheReading ReadCache(Interaction& ui) override;

  // Deletes the items' cached files; the index itself is never changed (nor deleted, should an
  // entry name it), so an entry is dropped by the next reading because its file is gone.
  void RemoveFromCache(const ItemRefs& items, Interaction& ui, RemovalReport& report) override;

  std::vector<int> AgeNumbers(AgeUnit unit) const override;
  NamingRule FileNamingRule() const override { return NamingRule::FromUrl; }

  const std::string& IndexPath() const { return indexPath_; }

 private:
  std::string indexPath_;
  TMimeTable& mimeTable_;
};

}  // namespace pagehold
