// A damaged archive.dat is never written over by archive, reindex or search, each of which says
// so and exits 1; --salvage keeps the damaged file and goes on with every readable record. A run
// whose copies fail names each failed item and leaves it out of archive.dat.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "archive/ArchiveFileReader.h"
#include "cli/Commands.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::ReadFile;
using testing::WriteFile;

int Pagehold(Arguments args, std::string* err = nullptr) {
  std::ostringstream out;
  std::ostringstream errors;
  const int status = RunPagehold(args, out, errors);
  if (err)
    *err = errors.str();
  return status;
}

class DamagedArchiveCommandTest : public ::testing::Test {
 protected:
  DamagedArchiveCommandTest() {
    EXPECT_EQ(Pagehold(ArchiveArgs({"--yes"})), 0);
    clean = ReadFile(Dat());
  }

  Arguments ArchiveArgs(Arguments extra) const {
    Arguments args = {"archive", "--ie", JoinPath(testing::SamplesDir(), "ie"), "--to", folder};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }
  std::string Dat() const { return JoinPath(folder, "archive.dat"); }
  // The offset of record n of the clean file.
  std::size_t RecordOffset(std::size_t n) const {
    std::size_t offset = 0;
    TCacheItem record;
    for (std::size_t i = 0; i < n; ++i)
      offset += ParseRecord(clean, offset, record).size;
    return offset;
  }
  std::vector<std::string> KeptCopies() const {
    std::vector<std::string> kept;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().filename().string().starts_with("archive.dat.damaged-"))
        kept.push_back(entry.path().string());
    }
    return kept;
  }

  testing::TempFolder temp;
  std::string folder = temp.Child("archive");
  std::string clean;
};

TEST_F(DamagedArchiveCommandTest, NothingIsWrittenOverWithoutSalvageAndEveryReadableRecordWith) {
  ASSERT_EQ(ParseArchiveBytes(clean).records.Size(), 8u);
  std::string random(600, '\0');
  std::mt19937 generator(11);
  for (char& c : random)
    c = static_cast<char>(generator());
  const std::size_t third = RecordOffset(3);
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"a length overwritten",
       clean.substr(0, third + 16) + "\xff\xff\xff\x7f" + clean.substr(third + 20)},
      {"8 bytes of record 3 overwritten",
       clean.substr(0, third + 12) + std::string(8, '\xab') + clean.substr(third + 20)},
      {"cut in the middle", clean.substr(0, clean.size() / 2)},
      {"zero bytes", ""},
      {"random bytes", random},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& kept : KeptCopies())
      fs::remove(kept);
    WriteFile(Dat(), c.bytes);
    const ArchiveFileReading salvageable = ParseArchiveBytes(c.bytes);
    ASSERT_TRUE(salvageable.state.Damaged());

    std::string err;
    EXPECT_EQ(Pagehold(ArchiveArgs({})), 1);
    EXPECT_EQ(Pagehold({"reindex", folder}, &err), 1);
    EXPECT_THAT(err, HasSubstr(Dat() + ": "));
    EXPECT_EQ(Pagehold({"search", folder, "--url", "example"}, &err), 1);
    EXPECT_THAT(err, HasSubstr("archive.dat is damaged"));
    EXPECT_EQ(ReadFile(Dat()), c.bytes);
    EXPECT_TRUE(fs::exists(JoinPath(folder, "1st_page.htm")));

    const bool readable = salvageable.state.RecordsReadable() > 0;
    EXPECT_EQ(Pagehold({"reindex", folder, "--salvage"}, &err), 1) << err;
    if (readable) {
      // Every record the salvaging reader finds, and nothing else, is in the new archive.dat.
      EXPECT_EQ(ReadFile(Dat()), SerializeRecords(salvageable.records));
      ASSERT_EQ(KeptCopies().size(), 1u);
      EXPECT_EQ(ReadFile(KeptCopies()[0]), c.bytes);
    } else {
      EXPECT_EQ(ReadFile(Dat()), c.bytes) << "nothing readable is left as it is";
      EXPECT_TRUE(KeptCopies().empty());
      // An archive run may go on: the damaged file is kept, the new one holds this run's items.
      EXPECT_EQ(Pagehold(ArchiveArgs({"--salvage"}), &err), 1) << err;
      ASSERT_EQ(KeptCopies().size(), 1u);
      EXPECT_EQ(ReadFile(KeptCopies()[0]), c.bytes);
      EXPECT_EQ(ParseArchiveBytes(ReadFile(Dat())).records.Size(), 8u);
    }
  }
}

TEST_F(DamagedArchiveCommandTest, AKeptCopyIsNeverWrittenOver) {
  WriteFile(Dat(), "first damage");
  const std::string one = KeepDamagedArchive(folder, 0).value();
  WriteFile(Dat(), "second damage");
  const std::string two = KeepDamagedArchive(folder, 0).value();
  EXPECT_EQ(two, one + "-2");
  EXPECT_EQ(ReadFile(one), "first damage");
  EXPECT_EQ(ReadFile(two), "second damage");
}

TEST_F(DamagedArchiveCommandTest, ItemsThatCannotBeCopiedAreNamedAndNotRecorded) {
  // A file where the picture folder of one domain must go: its pictures cannot be written.
  fs::remove_all(folder);
  WriteFile(JoinPath(folder, "www.example-garden.test/image"), "not a folder");
  std::string err;
  EXPECT_EQ(Pagehold(ArchiveArgs({}), &err), 1);
  const std::string rose = "http://www.example-garden.test:80/images/rose.gif";
  EXPECT_THAT(
      err, HasSubstr("pagehold archive: could not archive " + rose + ": " +
                     JoinPath(folder, NativeSeparators("www.example-garden.test/image")) + ": "));
  const ArchiveList recorded = std::move(ReadArchiveFile(folder).value().records);
  EXPECT_EQ(recorded.Size(), 7u);
  EXPECT_EQ(recorded.Find(rose), nullptr);
}

}  // namespace
}  // namespace pagehold
