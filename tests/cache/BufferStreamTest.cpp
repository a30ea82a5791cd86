#include "cache/BufferStream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::TempFolder;
using testing::WriteFile;

// Bytes that differ from their neighbours, so that a lost or repeated stretch shows.
std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
  return bytes;
}

class BufferStreamTest : public ::testing::Test {
 protected:
  std::string FileOf(const std::string& bytes) {
    const std::string path = folder_.Child("data.bin");
    WriteFile(path, bytes);
    return path;
  }

  TempFolder folder_;
};

TEST_F(BufferStreamTest, SmallReadsDeliverWhatIsAskedThenWhatIsLeft) {
  struct Case {
    std::size_t fileSize;
    std::vector<std::size_t> asked;
    std::vector<std::size_t> delivered;
  } cases[] = {
      {40, {16, 12, 12, 16}, {16, 12, 12, 0}},
      {26, {16, 16, 16}, {16, 10, 0}},
      {0, {16, 16}, {0, 0}},
      {16, {0, 16, 0, 1}, {0, 16, 0, 0}},
  };
  for (const Case& c : cases) {
    const std::string bytes = Pattern(c.fileSize);
    TSimpleBufferFileStream stream(FileOf(bytes));
    EXPECT_EQ(stream.FileSize(), c.fileSize);
    std::string got;
    for (std::size_t i = 0; i < c.asked.size(); ++i) {
      char destination[64];
      const std::size_t delivered = stream.Read(destination, c.asked[i]);
      EXPECT_EQ(delivered, c.delivered[i]) << "file of " << c.fileSize << ", read " << i;
      got.append(destination, delivered);
    }
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(stream.Remaining(), 0u);
  }
}

TEST_F(BufferStreamTest, ReadsAcrossRefillsKeepFileOrder) {
  const std::string bytes = Pattern(100000);
  TSimpleBufferFileStream stream(FileOf(bytes));
  const std::size_t sizes[] = {16, 12, 13, 1, 500, 7};
  std::string got;
  std::vector<char> destination(600);
  for (std::size_t i = 0;; ++i) {
    const std::size_t asked = sizes[i % std::size(sizes)];
    EXPECT_EQ(stream.Remaining(), bytes.size() - got.size());
    const std::size_t delivered = stream.Read(destination.data(), asked);
    if (delivered == 0)
      break;
    got.append(destination.data(), delivered);
  }
  EXPECT_EQ(got.size(), bytes.size());
  EXPECT_EQ(got, bytes);
  // One refill per 32768 bytes and a last one that finds the end, not one per read.
  EXPECT_LE(stream.RefillCount(), 6u);
}

TEST_F(BufferStreamTest, ALargeReadDeliversOneBuffer) {
  const std::string bytes = Pattern(80000);
  TSimpleBufferFileStream stream(FileOf(bytes));
  std::vector<char> destination(40000);
  const std::size_t expected[] = {32768, 32768, 14464, 0};
  std::size_t offset = 0;
  for (std::size_t want : expected) {
    const std::size_t delivered = stream.Read(destination.data(), destination.size());
    ASSERT_EQ(delivered, want);
    EXPECT_EQ(std::string(destination.data(), delivered), bytes.substr(offset, delivered));
    offset += delivered;
  }
}

TEST_F(BufferStreamTest, UnreadBytesAreReadAgainAfterALargeRequest) {
  const std::string bytes = Pattern(50000);
  TSimpleBufferFileStream stream(FileOf(bytes));
  std::vector<char> destination(40000);
  ASSERT_EQ(stream.Read(destination.data(), 10), 10u);
  // 32758 bytes are unread in the buffer; asking for more refills from byte 10.
  ASSERT_EQ(stream.Read(destination.data(), 40000), 32768u);
  EXPECT_EQ(std::string(destination.data(), 32768), bytes.substr(10, 32768));
  EXPECT_EQ(stream.Remaining(), 50000u - 10u - 32768u);
}

TEST_F(BufferStreamTest, AMissingFileCannotBeOpened) {
  EXPECT_THROW(TSimpleBufferFileStream(folder_.Child("missing.dat")), std::runtime_error);
}

TEST_F(BufferStreamTest, FillBufferCopiesWhatIsLeftOrTheWholeFile) {
  const std::string bytes = Pattern(200000);  // more than three copy steps
  std::FILE* file = std::fopen(FileOf(bytes).c_str(), "rb");
  ASSERT_NE(file, nullptr);

  std::string buffer = "kept";
  EXPECT_EQ(FillBuffer(buffer, file, 100), 100u);
  EXPECT_EQ(buffer, "kept" + bytes.substr(0, 100));

  ASSERT_EQ(std::fseek(file, 199990, SEEK_SET), 0);
  buffer.clear();
  EXPECT_EQ(FillBuffer(buffer, file, 100), 10u);
  EXPECT_EQ(buffer, bytes.substr(199990));

  buffer.clear();
  EXPECT_EQ(FillBuffer(buffer, file, 0), bytes.size());  // 0: the whole file from its start
  EXPECT_EQ(buffer, bytes);
  EXPECT_EQ(FillBuffer(buffer, file, 100), 0u);
  std::fclose(file);
}

}  // namespace
}  // namespace pagehold
