// The cache item's stored record (layout in CacheItem.h), written and read with explicit
// little-endian byte order so that archive.dat is the same on every machine.
//
// Reading tells a whole record from damage and never reads outside the bytes it is given, so a
// stored length larger than the input costs nothing; what to do after damage is the archive
// file's reader's business.
#include "cache/CacheItem.h"

#include <cstring>

#include "platform/LittleEndian.h"

namespace pagehold {
namespace {

constexpr std::size_t kHeadSize = 16;
constexpr std::size_t kLengthsSize = 12;

std::uint64_t DateBits(double date) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &date, sizeof bits);
  return bits;
}

double DateFromBits(std::uint64_t bits) {
  double date = 0;
  std::memcpy(&date, &bits, sizeof date);
  return date;
}

void AppendStoredString(std::string& out, const std::string& text) {
  out.append(text);
  out.push_back('\0');
}

}  // namespace

void Assign(TCacheItem& target, const TCacheItem& source) {
  target.MimeIndex = source.MimeIndex;
  target.ContentKind = source.ContentKind;
  target.Date = source.Date;
  target.Domain = source.Domain;
  target.CacheFile = source.CacheFile;
  target.Url = source.Url;
  target.Title = source.Title;
  target.FileName = source.FileName;
}

void WriteRecord(const TCacheItem& item, std::string& out) {
  const auto storedLength = [](const std::string& text) {
    return static_cast<std::uint32_t>(text.size() + 1);
  };
  out.reserve(out.size() + kHeadSize + kLengthsSize + item.Url.size() + item.Title.size() +
              item.FileName.size() + 3);
  AppendU32(out, static_cast<std::uint32_t>(item.MimeIndex));
  AppendU32(out, static_cast<std::uint32_t>(item.ContentKind));
  AppendU64(out, DateBits(item.Date));
  AppendU32(out, storedLength(item.Url));
  AppendU32(out, storedLength(item.Title));
  AppendU32(out, storedLength(item.FileName));
  AppendStoredString(out, item.Url);
  AppendStoredString(out, item.Title);
  AppendStoredString(out, item.FileName);
}

RecordParse ParseRecord(std::string_view bytes, std::size_t offset, TCacheItem& item) {
  if (offset >= bytes.size())
    return {RecordParse::End, 0};
  const std::string_view rest = bytes.substr(offset);
  if (rest.size() < kHeadSize + kLengthsSize)
    return {RecordParse::Damaged, 0};
  const std::uint32_t lengths[3] = {ReadU32(rest, kHeadSize), ReadU32(rest, kHeadSize + 4),
                                    ReadU32(rest, kHeadSize + 8)};
  // Every stored string holds at least its zero byte, and the three lie inside the input.
  std::uint64_t size = kHeadSize + kLengthsSize;
  for (const std::uint32_t length : lengths) {
    if (length == 0)
      return {RecordParse::Damaged, 0};
    size += length;
  }
  if (size > rest.size())
    return {RecordParse::Damaged, 0};
  std::string_view strings[3];
  std::size_t at = kHeadSize + kLengthsSize;
  for (int i = 0; i < 3; ++i) {
    strings[i] = rest.substr(at, lengths[i]);
    if (strings[i].back() != '\0')
      return {RecordParse::Damaged, 0};
    at += lengths[i];
  }
  item.MimeIndex = static_cast<std::int32_t>(ReadU32(rest, 0));
  item.ContentKind = static_cast<std::int32_t>(ReadU32(rest, 4));
  item.Date = DateFromBits(ReadU64(rest, 8));
  // A string ends at its first zero byte.
  item.Url.assign(strings[0].substr(0, strings[0].find('\0')));
  item.Title.assign(strings[1].substr(0, strings[1].find('\0')));
  item.FileName.assign(strings[2].substr(0, strings[2].find('\0')));
  item.CacheKey.reset();
  item.Domain.clear();
  item.CacheFile.clear();
  return {RecordParse::Whole, static_cast<std::size_t>(size)};
}

}  // namespace pagehold
