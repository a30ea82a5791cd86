// Buffered reading for files of many small records.
//
// The buffer holds a copy of one stretch of the file and the file's own position stands at the
// end of that stretch. A read that wants more than the buffer still holds moves the file back
// by the unread bytes and refills the buffer from there with up to 32768 bytes: the few unread
// bytes are read again rather than moved, and a read never delivers more than one buffer. The
// caller compares what it got with what it asked for.
#include "cache/BufferStream.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace pagehold {
namespace {

// 64-bit file positions on every platform: archive files are small, but nothing here should
// break at 2 GB.
int SeekFile(std::FILE* file, std::int64_t offset, int origin) {
#ifdef _WIN32
  return _fseeki64(file, offset, origin);
#else
  return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}

std::int64_t TellFile(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<std::int64_t>(ftello(file));
#endif
}

// The file's size, leaving its position where it was; 0 when it cannot be told.
std::uint64_t SizeOfFile(std::FILE* file) {
  const std::int64_t position = TellFile(file);
  if (position < 0 || SeekFile(file, 0, SEEK_END) != 0)
    return 0;
  const std::int64_t size = TellFile(file);
  SeekFile(file, position, SEEK_SET);
  return size < 0 ? 0 : static_cast<std::uint64_t>(size);
}

}  // namespace

std::size_t MemoryByteReader::Read(void* destination, std::size_t count) {
  const std::size_t delivered = std::min(count, bytes_.size() - position_);
  if (delivered > 0)
    std::memcpy(destination, bytes_.data() + position_, delivered);
  position_ += delivered;
  return delivered;
}

TSimpleBufferFileStream::TSimpleBufferFileStream(const std::string& path) {
  Result<FileHandle> file = FileHandle::Open(path, "rb");
  if (!file)
    throw std::runtime_error("Cannot open file " + path + ": " + file.failure().reason);
  file_ = std::move(*file);
  // The stream's own buffer would only copy the bytes twice: each refill is one read.
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
  fileSize_ = SizeOfFile(file_.get());
}

TSimpleBufferFileStream::~TSimpleBufferFileStream() = default;

std::size_t TSimpleBufferFileStream::Read(void* destination, std::size_t count) {
  const std::size_t unread = buffer_.size() - bufferPosition_;
  if (unread < count) {
    SeekFile(file_.get(), -static_cast<std::int64_t>(unread), SEEK_CUR);
    filePosition_ -= unread;
    buffer_.clear();
    filePosition_ += FillBuffer(buffer_, file_.get(), kRefillSize);
    bufferPosition_ = 0;
    ++refills_;
    if (buffer_.empty())
      return 0;
  }
  const std::size_t delivered = std::min(count, buffer_.size() - bufferPosition_);
  std::memcpy(destination, buffer_.data() + bufferPosition_, delivered);
  bufferPosition_ += delivered;
  return delivered;
}

std::uint64_t TSimpleBufferFileStream::Remaining() const {
  const std::uint64_t unread = buffer_.size() - bufferPosition_;
  return (filePosition_ < fileSize_ ? fileSize_ - filePosition_ : 0) + unread;
}

std::size_t FillBuffer(std::string& buffer, std::FILE* file, std::size_t count) {
  const std::uint64_t size = SizeOfFile(file);
  if (count == 0) {
    SeekFile(file, 0, SEEK_SET);
    count = static_cast<std::size_t>(size);
  }
  const std::int64_t position = TellFile(file);
  const std::uint64_t left =
      position < 0 || static_cast<std::uint64_t>(position) > size ? 0 : size - position;
  if (left < count)
    count = static_cast<std::size_t>(left);

  std::size_t copied = 0;
  while (copied < count) {
    const std::size_t step = std::min(count - copied, TSimpleBufferFileStream::kCopyChunk);
    const std::size_t start = buffer.size();
    buffer.resize(start + step);
    const std::size_t got = std::fread(buffer.data() + start, 1, step, file);
    buffer.resize(start + got);
    copied += got;
    if (got < step)
      break;  // a read error or a file that shrank: keep what came
  }
  return copied;
}

}  // namespace pagehold
