// archive.dat replaced on Windows, where the new file takes the old one's place through
// MoveFileEx: a hidden file is replaced and left hidden, and a failure in the middle of a save
// (a refused rename, a temporary file that cannot be written, the process ended at any moment)
// leaves either the old file or the new one, whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "archive/ArchiveFile.h"
#include "support/TestFiles.h"
#include "windows/HelperProcess.h"

namespace pagehold {
namespace {

ArchiveList MakeArchive(const std::string& site, int records) {
  ArchiveList archive;
  for (int i = 0; i < records; ++i) {
    auto record = std::make_unique<TCacheItem>();
    record->MimeIndex = 1;
    record->Date = 40000 + i;
    record->Url = "http://" + site + ":80/page" + std::to_string(i) + ".html";
    record->FileName = "page" + std::to_string(i) + ".htm";
    archive.Append(std::move(record));
  }
  return archive;
}

// Opens a file the way another program may hold it: no one else may write, rename or delete it.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path, DWORD disposition)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            disposition, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { Release(); }
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held())
      CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

// The attributes of a file as far as the system keeps them: Wine reports the archive attribute
// for every file, whatever was set.
DWORD AttributesOf(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !testing::RunningUnderWine())
    return attributes;
  return attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
}

class ArchiveReplaceTest : public ::testing::Test {
 protected:
  std::string InfoFile() const { return folder_.Child("archive.dat"); }
  std::string TemporaryFile() const { return folder_.Child("archive.tmp"); }

  testing::TempFolder folder_;
  const ArchiveList old_ = MakeArchive("old.test", 50);
  const ArchiveList new_ = MakeArchive("new.test", 80);
};

// A save refused at its rename (another program holds archive.dat) or at its temporary file
// leaves the old file, hidden; the next save replaces it and leaves it hidden only.
TEST_F(ArchiveReplaceTest, ARefusedSaveKeepsTheOldFileAndTheNextReplacesIt) {
  for (const std::string& refused : {InfoFile(), TemporaryFile()}) {
    SCOPED_TRACE(refused);
    ASSERT_TRUE(SaveArchive(folder_.path(), old_));
    HeldFile held(refused, refused == InfoFile() ? OPEN_EXISTING : CREATE_ALWAYS);
    ASSERT_TRUE(held.Held());
    const Status saved = SaveArchive(folder_.path(), new_);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.failure().subject, refused);
    held.Release();
    if (refused == InfoFile()) {  // the saver removes its temporary file
      EXPECT_EQ(AttributesOf(TemporaryFile()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(testing::ReadFile(InfoFile()), SerializeRecords(old_));
    EXPECT_EQ(AttributesOf(InfoFile()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SaveArchive(folder_.path(), new_));
    EXPECT_EQ(testing::ReadFile(InfoFile()), SerializeRecords(new_));
    EXPECT_EQ(AttributesOf(InfoFile()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(AttributesOf(TemporaryFile()), INVALID_FILE_ATTRIBUTES);
  }
}

// The saver ends wherever it is: after it, archive.dat is one of the two lists, whole (a
// leftover archive.tmp is allowed: the next save replaces it).
TEST(ArchiveReplaceEndedTest, AProcessEndedInTheMiddleLeavesTheOldOrTheNewFile) {
  constexpr char kSaving[] = "Pagehold archive saver saving";
  const ArchiveList first = MakeArchive("first.test", 3000);
  const ArchiveList second = MakeArchive("second.test", 2000);
  if (const std::string folder = testing::HelperRole(); !folder.empty()) {
    const HANDLE saving = OpenEventA(EVENT_MODIFY_STATE, FALSE, kSaving);
    for (int round = 0;; ++round) {
      ASSERT_TRUE(SaveArchive(folder, round % 2 == 0 ? second : first));
      if (round == 0)
        SetEvent(saving);
    }
  }
  const testing::TempFolder folder;
  const std::string infoFile = folder.Child("archive.dat");
  const std::string firstBytes = SerializeRecords(first);
  const std::string secondBytes = SerializeRecords(second);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<DWORD> delay(0, 150);
  const HANDLE saving = CreateEventA(nullptr, TRUE, FALSE, kSaving);
  ASSERT_TRUE(saving);
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(SaveArchive(folder.path(), first));
    ResetEvent(saving);
    testing::HelperProcess saver(folder.path());
    ASSERT_TRUE(saver.Started());
    ASSERT_EQ(WaitForSingleObject(saving, 60'000), WAIT_OBJECT_0);
    Sleep(delay(random));
    saver.Kill();
    const std::string left = testing::ReadFile(infoFile);
    EXPECT_TRUE(left == firstBytes || left == secondBytes) << left.size() << " bytes";
  }
  CloseHandle(saving);
}

}  // namespace
}  // namespace pagehold
