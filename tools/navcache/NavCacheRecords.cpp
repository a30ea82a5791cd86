#include "navcache/NavCacheRecords.h"

namespace pagehold::testgen {

namespace {

// The in-memory size of the cache object that the browser adds to every data record's size;
// the record ends in that many zero bytes beyond its fields, plus the (unstored) URL.
constexpr std::uint32_t kObjectSize3 = 96;
constexpr std::uint32_t kObjectSize5 = 92;

class RecordWriter {
 public:
  void Long(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
      bytes_ += static_cast<char>(value >> shift & 0xFF);
  }
  void Byte(unsigned char value) { bytes_ += static_cast<char>(value); }
  void Blob(std::string_view blob) {
    Long(static_cast<std::uint32_t>(blob.size()));
    bytes_ += blob;
  }
  // A zero-terminated string; an empty one is stored as no string at all.
  void String(std::string_view text) {
    if (text.empty()) {
      Long(0);
      return;
    }
    Long(static_cast<std::uint32_t>(text.size() + 1));
    bytes_ += text;
    bytes_ += '\0';
  }
  void PatchLong(size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
      bytes_[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
  }
  std::string& Bytes() { return bytes_; }

 private:
  std::string bytes_;
};

std::uint32_t StoredLength(std::string_view text) {
  return text.empty() ? 0 : static_cast<std::uint32_t>(text.size() + 1);
}

}  // namespace

std::string CacheKeyRecord(const NavCacheEntry& entry) {
  RecordWriter key;
  key.Long(0);  // patched below
  key.String(entry.url);
  key.Blob(entry.postDigest);
  key.PatchLong(0, static_cast<std::uint32_t>(key.Bytes().size()));
  return key.Bytes();
}

std::string CacheDataRecord(const NavCacheEntry& entry) {
  const bool v5 = entry.recordVersion == 5;
  RecordWriter data;
  data.Long(0);  // the record size, patched below
  data.Long(static_cast<std::uint32_t>(entry.recordVersion));
  data.Long(static_cast<std::uint32_t>(entry.lastModified));
  data.Long(static_cast<std::uint32_t>(entry.lastAccessed));
  data.Long(static_cast<std::uint32_t>(entry.expires));
  data.Long(static_cast<std::uint32_t>(entry.body.size()));
  data.Byte(0);  // server flag
  data.Long(0);  // lock date
  data.String(entry.fileName);
  data.Long(0);  // in-memory name length
  data.Byte(1);  // the name is relative to the cache folder
  const bool secure = !entry.cipher.empty() || !entry.certificate.empty();
  data.Long(secure ? 1 : 0);
  if (v5) {
    data.Blob(entry.cipher + entry.certificate);  // the SSL status blob
  } else {
    data.Long(secure ? 128 : 0);
    data.Long(secure ? 128 : 0);
    data.String(entry.cipher);
    data.Blob(entry.certificate);
  }
  data.Long(entry.postHeaders.empty() ? 0 : 1);
  data.String(entry.postHeaders);
  data.String(entry.contentType);
  data.String(entry.contentEncoding);
  data.String(entry.charset);
  data.Byte(0);  // complete file
  data.Long(static_cast<std::uint32_t>(entry.body.size()));
  if (v5)
    data.String("");  // page services URL

  std::uint32_t size = (v5 ? kObjectSize5 : kObjectSize3) + StoredLength(entry.url) +
                       StoredLength(entry.postHeaders) + StoredLength(entry.contentType) +
                       StoredLength(entry.contentEncoding) + StoredLength(entry.charset) +
                       StoredLength(entry.fileName) + 1 + 4 +
                       static_cast<std::uint32_t>(entry.certificate.size());
  if (!v5)
    size += StoredLength(entry.cipher);
  else
    size += static_cast<std::uint32_t>(entry.cipher.size());
  if (size < data.Bytes().size())
    size = static_cast<std::uint32_t>(data.Bytes().size());
  data.Bytes().resize(size, '\0');
  data.PatchLong(0, size);
  return data.Bytes();
}

std::string NumberRecord(std::uint32_t value) {
  RecordWriter data;
  data.Long(value);
  return data.Bytes();
}

std::string CacheNameRecord() {
  return std::string("Netscape Internal Disk Cache", 29);
}

}  // namespace pagehold::testgen
