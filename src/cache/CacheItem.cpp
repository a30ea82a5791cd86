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

namespace pagehold {
namespace {

constexpr std::size_t kHeadSize = 16;
constexpr std::size_t kLengthsSize = 12;

void AppendUint32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((value >> shift) & 0xff));
}

void AppendUint64(std::string& out, std::uint64_t value) {
  for (int shift = 0; shift < 64; shift += 8)
    out.push_back(static_cast<char>((value >> shift) & 0xff));
}

std::uint32_t Uint32At(const unsigned char* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | bytes[i];
  return value;
}

std::uint64_t Uint64At(const unsigned char* bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i)
    value = (value << 8) | bytes[i];
  return value;
}

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
  auto* bytes = static_cast<unsigned char*>(destination);
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
  AppendUint32(out, static_cast<std::uint32_t>(item.MimeIndex));
  AppendUint32(out, static_cast<std::uint32_t>(item.ContentKind));
  AppendUint64(out, DateBits(item.Date));
  AppendUint32(out, storedLength(item.Url));
  AppendUint32(out, storedLength(item.Title));
  AppendUint32(out, storedLength(item.FileName));
  AppendStoredString(out, item.Url);
  AppendStoredString(out, item.Title);
  AppendStoredString(out, item.FileName);
}

bool ReadRecord(TCacheItem& item, ByteReader& in) {
  unsigned char head[kHeadSize];
  if (ReadUpTo(in, head, kHeadSize) < kHeadSize)
    return true;

  // A cut length block is the end of the input: the record keeps its head and empty strings.
  unsigned char lengthBytes[kLengthsSize] = {};
  if (ReadUpTo(in, lengthBytes, kLengthsSize) < kLengthsSize)
    std::fill(std::begin(lengthBytes), std::end(lengthBytes), 0);
  const std::uint32_t lengths[3] = {Uint32At(lengthBytes), Uint32At(lengthBytes + 4),
                                    Uint32At(lengthBytes + 8)};
  const std::uint64_t left = in.Remaining();
  if (std::any_of(std::begin(lengths), std::end(lengths),
                  [left](std::uint32_t length) { return length > left; }))
    return true;

  item.MimeIndex = static_cast<std::int32_t>(Uint32At(head));
  item.ContentKind = static_cast<std::int32_t>(Uint32At(head + 4));
  item.Date = DateFromBits(Uint64At(head + 8));
  item.Url = ReadStoredString(in, lengths[0]);
  item.Title = ReadStoredString(in, lengths[1]);
  item.FileName = ReadStoredString(in, lengths[2]);
  item.CacheKey.reset();
  item.Domain.clear();
  item.CacheFile.clear();
  return false;
}

}  // namespace pagehold
