// One stored record of archive.dat, read at an offset chosen by the input.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "cache/CacheItem.h"

using namespace pagehold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  // The first byte is where reading starts, counted from the byte after it (possibly past the
  // end, which must read as the end).
  const std::size_t offset = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  TCacheItem item;
  item.Url = "untouched";
  const RecordParse parse = ParseRecord(bytes, offset, item);
  if (parse.outcome != RecordParse::Whole) {
    FUZZ_CHECK(item.Url == "untouched");
    FUZZ_CHECK(parse.outcome == RecordParse::Damaged || offset >= bytes.size());
    return 0;
  }
  FUZZ_CHECK(parse.size >= 31 && offset + parse.size <= bytes.size());
  for (const std::string* text : {&item.Url, &item.Title, &item.FileName})
    FUZZ_CHECK(text->find('\0') == std::string::npos);

  // Written back, the record reads as the same item; and unless a string was cut at a zero byte
  // before its end, it is written as the very bytes it was read from.
  std::string written;
  WriteRecord(item, written);
  TCacheItem reread;
  const RecordParse again = ParseRecord(written, 0, reread);
  FUZZ_CHECK(again.outcome == RecordParse::Whole && again.size == written.size());
  FUZZ_CHECK(reread.MimeIndex == item.MimeIndex && reread.ContentKind == item.ContentKind);
  FUZZ_CHECK(std::memcmp(&reread.Date, &item.Date, sizeof item.Date) == 0);
  FUZZ_CHECK(reread.Url == item.Url && reread.Title == item.Title &&
             reread.FileName == item.FileName);
  if (written.size() == parse.size)
    FUZZ_CHECK(written == bytes.substr(offset, parse.size));
  return 0;
}
