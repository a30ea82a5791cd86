#include "sources/NavigatorIndexPage.h"

#include <algorithm>
#include <array>

#include "cache/Text.h"
#include "platform/LittleEndian.h"

namespace pagehold {

namespace {

// The index's own bookkeeping keys. They are stored data first, so at a data start the value
// (a number or the cache's name) comes before the key name, and the entry after them begins
// right behind the name.
constexpr std::array<std::string_view, 3> kBookkeepingKeys = {
    "INT_ExternalCacheNameString", "INT_DiskCacheNumber", "INT_DiskCacheSize"};

constexpr int kBookkeepingWindow = 101;
constexpr int kMaxWalkSweeps = 501;
constexpr int kMaxWalkSteps = 500;

// Length limits of the entry fields: a longer field is not taken at all, a taken one is cut.
constexpr int kFileNameLengthLimit = 50;
constexpr int kContentTypeLengthLimit = 100;
constexpr size_t kContentTypeCut = 50;
constexpr int kUrlLengthLimit = 512;
constexpr size_t kUrlCut = 255;

// The string of a length field that counts a terminating zero byte: nothing when the length is
// 1 or less, nothing when it is not below the limit.
std::string LimitedString(const IndexPageView& page, int lengthAt, int limit, int& length) {
  length = page.Length(lengthAt);
  if (length <= 1 || length >= limit)
    return {};
  return page.String(lengthAt + 4, length - 1);
}

}  // namespace

IndexPageView::IndexPageView(std::string_view bytes, int pageSize)
    : bytes_(bytes.substr(0, static_cast<size_t>(std::max(pageSize, 0)))),
      size_(std::max(pageSize, 0)) {}

unsigned char IndexPageView::Byte(int at) const {
  return static_cast<size_t>(at) < bytes_.size() ? static_cast<unsigned char>(bytes_[at]) : 0;
}

// The bounds are P-3 and P-5 rather than P-2 and P-4: the last byte of the page is never part
// of a number.
unsigned IndexPageView::Word(int at) const {
  if (at < 0 || at > size_ - 3)
    return 0;
  const char bytes[2] = {static_cast<char>(Byte(at)), static_cast<char>(Byte(at + 1))};
  return ReadU16(std::string_view(bytes, sizeof bytes), 0);
}

std::uint32_t IndexPageView::Long(int at) const {
  if (at < 0 || at > size_ - 5)
    return 0;
  // Bytes past the end of a short page read as zero.
  const char bytes[4] = {static_cast<char>(Byte(at)), static_cast<char>(Byte(at + 1)),
                         static_cast<char>(Byte(at + 2)), static_cast<char>(Byte(at + 3))};
  return ReadU32(std::string_view(bytes, sizeof bytes), 0);
}

std::string IndexPageView::String(int at, int length) const {
  if (at < 0 || length <= 0 || length > size_ - at)
    return {};
  std::string text(length, '\0');
  for (int i = 0; i < length; ++i)
    text[i] = static_cast<char>(Byte(at + i));
  // The stored strings are zero-terminated; a zero inside the counted length ends the text,
  // so that no name ever carries a zero byte into a file system call.
  const size_t zero = text.find('\0');
  if (zero != std::string::npos)
    text.resize(zero);
  return text;
}

std::string_view IndexPageView::Window(int at, int length) const {
  const int begin = std::clamp(at, 0, size_);
  const int end = std::clamp(at + std::max(length, 0), begin, size_);
  const int present = static_cast<int>(bytes_.size());
  const int presentEnd = std::min(end, present);
  if (begin >= presentEnd)
    return {};
  return bytes_.substr(begin, presentEnd - begin);
}

int FindDataStart(const IndexPageView& page) {
  int i = 4;
  unsigned last = 65535;
  unsigned prev = 65535;
  unsigned cur = page.Word(i);
  for (int sweep = 0; sweep < kMaxWalkSweeps; ++sweep) {
    // Run down the decreasing offset words. On a well-formed page the run passes the free-area
    // size (smaller than every offset) and stops at the data-start word, which repeats the last
    // offset. An overflow link breaks the run early; stepping over the link's two words and
    // sweeping on finds the same place.
    for (int steps = 0; last > cur && steps < kMaxWalkSteps; ++steps) {
      prev = last;
      last = cur;
      i += 2;
      cur = page.Word(i);
    }
    if (cur != prev) {
      i += 4;
      cur = page.Word(i);
    }
    if (cur == prev)
      break;
  }
  return static_cast<int>((static_cast<unsigned>(i) + 2 + last) & 0xFFFF);
}

int DataStart(const IndexPageView& page) {
  const int walked = FindDataStart(page);
  const int count = static_cast<int>(page.Word(0));
  const int tableEnd = 2 * count + 6;
  const int recorded = static_cast<int>(page.Word(tableEnd - 2));
  if (recorded != walked && recorded >= tableEnd && recorded <= page.Size())
    return recorded;
  return walked;
}

int FirstEntryStart(const IndexPageView& page, int dataStart) {
  const std::string_view window = page.Window(dataStart, kBookkeepingWindow);
  int start = dataStart;
  for (std::string_view key : kBookkeepingKeys) {
    const size_t found = window.find(key);
    if (found != std::string_view::npos)
      start = std::max(start, dataStart + static_cast<int>(found + key.size()));
  }
  return start;
}

int ReadEntry(const IndexPageView& page, int at, NavigatorEntryFields& entry) {
  const int keyAt = at + 4 + page.Length(at);
  entry.time = static_cast<std::int32_t>(page.Long(at + 12));

  int nameLength = 0;
  entry.cacheFileName = LimitedString(page, at + 29, kFileNameLengthLimit, nameLength);

  const int skippedLength = page.Length(at + 62 + nameLength);
  const int typeAt = at + 66 + nameLength + skippedLength;
  int typeLength = 0;
  entry.contentType = LimitedString(page, typeAt, kContentTypeLengthLimit, typeLength);
  if (entry.contentType.size() > kContentTypeCut)
    entry.contentType.resize(kContentTypeCut);

  int urlLength = 0;
  entry.url = LimitedString(page, keyAt, kUrlLengthLimit, urlLength);
  if (entry.url.size() > kUrlCut)
    entry.url.resize(kUrlCut);

  const int trailingLength = page.Length(keyAt + 4 + urlLength);
  return keyAt + 8 + urlLength + trailingLength;
}

IndexPageEntries ReadIndexPageEntries(std::string_view bytes, int pageSize) {
  IndexPageEntries result;
  const IndexPageView page(bytes, pageSize);
  const unsigned count = page.Word(0);
  if (count == 0 || count >= static_cast<unsigned>(page.Size()))
    return result;

  std::vector<NavigatorEntryFields>& entries = result.entries;
  // A page cut short by the end of the file reads as zeros past that end; what would be read
  // there is no entry of the index.
  const bool cut = bytes.size() < static_cast<std::size_t>(page.Size());
  int at = FirstEntryStart(page, DataStart(page));
  while (at < page.Size() && static_cast<int>(entries.size()) < kMaxEntriesPerPage) {
    NavigatorEntryFields entry;
    const int next = ReadEntry(page, at, entry);
    if (cut && static_cast<std::size_t>(next) > bytes.size())
      break;
    at = next;
    entry.cacheFileName = LowerCase(entry.cacheFileName);
    entry.contentType = LowerCase(entry.contentType);
    entries.push_back(std::move(entry));
  }
  const unsigned firstDataOffset = page.Word(4);
  const bool holdsLongEntry = count >= 2 && firstDataOffset >= 1 && firstDataOffset <= 3;
  result.damaged = at != page.Size() && !holdsLongEntry;
  return result;
}

std::vector<NavigatorEntryFields> ParseIndexPage(std::string_view bytes, int pageSize) {
  return ReadIndexPageEntries(bytes, pageSize).entries;
}

}  // namespace pagehold
