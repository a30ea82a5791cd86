// Builds small archive folders for tests: archive.dat written record by record in its stored
// form, and the archived copies where the archive run would have put them.
#pragma once

#include <string>
#include <string_view>

#include "cache/CacheItem.h"
#include "cache/MimeTable.h"
#include "cache/Url.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold::testing {

// MIME table rows used by the tests.
namespace Row {
inline constexpr int Html = 1;
inline constexpr int Gif = 2;
inline constexpr int Jpeg = 3;
inline constexpr int PlainText = 4;
inline constexpr int Mpeg = 24;
inline constexpr int Wav = 26;
inline constexpr int Word = 33;
}  // namespace Row

// A folder path as a user would type it: without the final separator.
inline std::string AsTyped(const std::string& folder) {
  return folder.substr(0, folder.size() - (!folder.empty() && IsPathSeparator(folder.back())));
}

class ArchiveMaker {
 public:
  ArchiveMaker(std::string folder, const TMimeTable& mimeTable)
      : folder_(WithTrailingSeparator(folder)), mimeTable_(mimeTable) {}

  // Records an entry with its stored canonical Url and writes its archived copy (unless
  // present is false). Returns the copy's path.
  std::string Add(const std::string& url, int mimeIndex, const std::string& fileName,
                  std::string_view content = "content", bool present = true) {
    TCacheItem item;
    item.MimeIndex = mimeIndex;
    item.ContentKind = mimeIndex == Row::Html || mimeIndex == Row::PlainText ? Text : Media;
    item.Date = 45000.5;
    item.Url = url;
    item.Title = "title of " + fileName;
    item.FileName = fileName;
    WriteRecord(item, records_);
    const std::string copy = CopyPath(url, mimeIndex, fileName);
    if (present)
      WriteFile(copy, content);
    return copy;
  }

  // Where the archived copy of an entry lies.
  std::string CopyPath(const std::string& url, int mimeIndex, const std::string& fileName) const {
    std::string rest = url;
    const std::string domain = DomainFromHost(HostFromKey(rest));
    return JoinPath(JoinPath(JoinPath(folder_, domain), mimeTable_.MimeTypeFolder(mimeIndex)),
                    fileName);
  }

  // Writes archive.dat with every record added so far, plus extra trailing bytes.
  void Save(std::string_view trailingBytes = {}) const {
    WriteFile(InfoFile(), records_ + std::string(trailingBytes));
  }

  std::string InfoFile() const { return folder_ + "archive.dat"; }
  const std::string& folder() const { return folder_; }
  const std::string& records() const { return records_; }

 private:
  std::string folder_;
  const TMimeTable& mimeTable_;
  std::string records_;
};

}  // namespace pagehold::testing
