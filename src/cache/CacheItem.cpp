// The cache item's stored record (layout in CacheItem.h), written and read with explicit
// little-endian byte order so that archive.dat is the same on every machine.
//
// Reading forgives damage: a tail shorter than the 16-byte head is the end of the file, and a
// record whose length block or strings are cut short is read as far as the input goes (its
// strings end at the last byte read). A stored length larger than everything left after the
// length block cannot belong to a real record (no string the program writes is more than a few
// hundred bytes); that record is treated as the end of the file instead of being allocated.
#include "cache/CacheItem.h"

#include <algorithm>
#include <cstring>

#include "cache/BufferStream.h"
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

// Reads until count bytes have come or the input has no more (a buffered file delivers at most
// one buffer per read). Returns the bytes read.
std::size_t ReadUpTo(ByteReader& in, void* destination, std::size_t count) {
  auto* bytes = static_cast<char*>(destination);
  std::size_t total = 0;
  while (total < count) {
    const std::size_t got = in.Read(bytes + total, count - total);
    if (got == 0)
      break;
    total += got;
  }
  return total;
}

// A stored string: its bytes up to the first zero byte, or all that could be read.
std::string ReadStoredString(ByteReader& in, std::uint32_t storedLength) {
  std::string bytes(storedLength, '\0');
  bytes.resize(ReadUpTo(in, bytes.data(), bytes.size()));
  const std::size_t zero = bytes.find('\0');
  if (zero != std::string::npos)
    bytes.resize(zero);
  return bytes;
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

bool ReadRecord(TCacheItem& item, ByteReader& in) {
  char headBytes[kHeadSize];
  if (ReadUpTo(in, headBytes, kHeadSize) < kHeadSize)
    return true;
  const std::string_view head(headBytes, kHeadSize);

  // A cut length block is the end of the input: the record keeps its head and empty strings.
  char lengthBytes[kLengthsSize] = {};
  if (ReadUpTo(in, lengthBytes, kLengthsSize) < kLengthsSize)
    std::fill(std::begin(lengthBytes), std::end(lengthBytes), 0);
  const std::string_view lengthBlock(lengthBytes, kLengthsSize);
  const std::uint32_t lengths[3] = {ReadU32(lengthBlock, 0), ReadU32(lengthBlock, 4),
                                    ReadU32(lengthBlock, 8)};
  const std::uint64_t left = in.Remaining();
  if (std::any_of(std::begin(lengths), std::end(lengths),
                  [left](std::uint32_t length) { return length > left; }))
    return true;

  item.MimeIndex = static_cast<std::int32_t>(ReadU32(head, 0));
  item.ContentKind = static_cast<std::int32_t>(ReadU32(head, 4));
  item.Date = DateFromBits(ReadU64(head, 8));
  item.Url = ReadStoredString(in, lengths[0]);
  item.Title = ReadStoredString(in, lengths[1]);
  item.FileName = ReadStoredString(in, lengths[2]);
  item.CacheKey.reset();
  item.Domain.clear();
  item.CacheFile.clear();
  return false;
}

}  // namespace pagehold
