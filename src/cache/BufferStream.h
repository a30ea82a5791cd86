// Buffered reading of files made of many small records (archive.dat): reads are served from a
// memory buffer refilled from the file in 32768-byte blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace pagehold {

// Anything records can be read from: a buffered file or, in tests, bytes in memory.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Delivers up to count bytes; 0 at the end.
  virtual std::size_t Read(void* destination, std::size_t count) = 0;
  // Bytes not yet delivered.
  virtual std::uint64_t Remaining() const = 0;
};

class MemoryByteReader : public ByteReader {
 public:
  explicit MemoryByteReader(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Read(void* destination, std::size_t count) override;
  std::uint64_t Remaining() const override { return bytes_.size() - position_; }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

class TSimpleBufferFileStream : public ByteReader {
 public:
  static constexpr std::size_t kRefillSize = 32768;
  static constexpr std::size_t kCopyChunk = 61440;

  // Opens the file for reading; throws std::runtime_error when it cannot be opened.
  explicit TSimpleBufferFileStream(const std::string& path);
  ~TSimpleBufferFileStream() override;
  TSimpleBufferFileStream(const TSimpleBufferFileStream&) = delete;
  TSimpleBufferFileStream& operator=(const TSimpleBufferFileStream&) = delete;

  // Buffered read: at most min(count, 32768) bytes, 0 at the end of the file.
  std::size_t Read(void* destination, std::size_t count) override;
  std::uint64_t Remaining() const override;

  std::uint64_t FileSize() const { return fileSize_; }
  // How many times the buffer was refilled from the file (for tests of the refill rule).
  std::size_t RefillCount() const { return refills_; }

 private:
  FileHandle file_;
  std::uint64_t fileSize_ = 0;
  std::uint64_t filePosition_ = 0;  // where the file stands: the end of the buffered stretch
  std::string buffer_;
  std::size_t bufferPosition_ = 0;
  std::size_t refills_ = 0;
};

// Appends up to count bytes from the file's current position to buffer, copying in steps of at
// most 61440 bytes; a count of 0 means the whole file from its start. Returns the bytes copied.
std::size_t FillBuffer(std::string& buffer, std::FILE* file, std::size_t count);

}  // namespace pagehold
