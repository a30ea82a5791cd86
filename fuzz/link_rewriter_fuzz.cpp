// Link rewriting of a whole cached page, under each combination of the three link options,
// against a few archived items that the page's links may name.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "archive/ArchiveFile.h"
#include "archive/LinkRewriter.h"
#include "cache/MimeTable.h"
#include "prefs/CurrentSettings.h"

using namespace pagehold;

namespace {

// The run's items and the archive's records, built once: lookups only read them.
struct Links {
  Links() : mimeTable("/nonexistent-pagehold-fuzz/") {
    for (TCacheItem& item : items)
      selection.push_back(&item);
    archive.Append(
        std::make_unique<TCacheItem>(TCacheItem{.MimeIndex = 1,
                                                .Url = "http://old.test:80/kept/page.htm",
                                                .FileName = "page(1).htm",
                                                .Domain = "old.test"}));
    archive.Append(std::make_unique<TCacheItem>(TCacheItem{.MimeIndex = 2,
                                                           .Url = "http://host:8080/%20#?/",
                                                           .FileName = "odd%#?.gif",
                                                           .Domain = "host"}));
  }

  TMimeTable mimeTable;
  std::array<TCacheItem, 4> items = {
      TCacheItem{
          .MimeIndex = 1, .Url = "http://host:80/dir/a.htm", .FileName = "a.htm", .Domain = "host"},
      TCacheItem{
          .MimeIndex = 2, .Url = "http://host:80/dir/p.gif", .FileName = "p.gif", .Domain = "host"},
      TCacheItem{.MimeIndex = 1,
                 .Url = "http://host:80/dir/sub/",
                 .FileName = "sub.htm",
                 .Domain = "host"},
      TCacheItem{.MimeIndex = 1,
                 .Url = "http://other:80/x/y.htm",
                 .FileName = "y.htm",
                 .Domain = "other"}};
  ItemRefs selection;
  ArchiveList archive;
};

constexpr std::array<std::string_view, 4> kPageUrls = {
    "http://host:80/dir/a.htm", "http://other:80/x/y.htm", "http://host:80/", "http://h:1"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Links links;
  static ArchivedLinks archived(links.selection, links.archive, links.mimeTable);

  FuzzedDataProvider input(data, size);
  const auto options = input.ConsumeIntegral<std::uint8_t>();
  CurrentSettings settings;
  settings.ShowOriginalUrls = options & 1;
  settings.EmphasizeLinks = options & 2;
  settings.StrikeoutLinks = options & 4;
  if (options & 8) {
    settings.EmphasisOpenTag.clear();
    settings.EmphasisCloseTag.clear();
  }
  const std::string_view pageUrl = input.PickValueInArray(kPageUrls);
  const std::string page = input.ConsumeRemainingBytesAsString();

  LinkRewriter rewriter(settings, archived);
  const std::string out = rewriter.RewritePage(page, pageUrl);
  // Text outside tags is copied byte for byte: a page without a tag comes out as it went in.
  if (page.find('<') == std::string::npos)
    FUZZ_CHECK(out == page);
  return 0;
}
