#include "archive/ArchiveFile.h"
#include "archive/ArchiveFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Paths.h"
#include "prefs/AppContext.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;

TCacheItem Item(const std::string& url, int mimeIndex, const std::string& fileName,
                const std::string& title = "") {
  TCacheItem item;
  item.MimeIndex = mimeIndex;
  item.ContentKind = mimeIndex == 1 ? Text : Media;
  item.Date = 36526.5;
  item.Url = url;
  item.Title = title;
  item.FileName = fileName;
  item.Domain = "stale";  // Domain is recomputed from Url when an archive is read
  item.CacheFile = "/cache/" + fileName;
  return item;
}

class ArchiveFileTest : public ::testing::Test {
 protected:
  ArchiveFileTest() : context(Product::Navigator, program.path()) {
    testing::WriteFile(program.Child("images/text.gif"), "text picture");
    testing::WriteFile(program.Child("images/Pagehold.gif"), "logo");
  }

  // Puts an archived file where a record of that domain, type folder and name points.
  void PutFile(const std::string& relative) { testing::WriteFile(archive.Child(relative), "x"); }

  std::string DatPath() const { return archive.Child("archive.dat"); }

  void WriteDat(const std::vector<TCacheItem>& records, std::string_view tail = "") {
    std::string bytes;
    for (const TCacheItem& record : records)
      WriteRecord(record, bytes);
    testing::WriteFile(DatPath(), bytes + std::string(tail));
  }

  ArchiveList Load() {
    Result<LoadedArchive> loaded = LoadArchive(context, archive.path(), usedNames);
    EXPECT_TRUE(loaded);
    return loaded ? std::move(loaded->archive) : ArchiveList();
  }

  std::vector<std::string> Urls(const ArchiveList& list) {
    std::vector<std::string> urls;
    for (const auto& record : list.Items())
      urls.push_back(record->Url);
    return urls;
  }

  testing::TempFolder program;
  testing::TempFolder archive;
  AppContext context;
  UsedNames usedNames;
};

TEST_F(ArchiveFileTest, SavesAndLoadsRecordsInOrder) {
  PutFile("a.com/text/index.htm");
  PutFile("a.com/image/logo.gif");
  PutFile("b.org/text/b.htm");
  ArchiveList list;
  MergeIntoArchive(list, Item("http://a.com:80/", 1, "index.htm", "Home"));
  MergeIntoArchive(list, Item("http://B.org:8080/b", 1, "b.htm"));
  MergeIntoArchive(list, Item("http://a.com:80/logo.gif", 2, "logo.gif"));
  ASSERT_TRUE(SaveArchive(archive.path(), list));
  EXPECT_TRUE(FileExists(DatPath()));
  EXPECT_FALSE(fs::exists(archive.Child("archive.tmp")));

  const ArchiveList loaded = Load();
  ASSERT_EQ(loaded.Size(), 3u);
  EXPECT_EQ(Urls(loaded), (std::vector<std::string>{"http://a.com:80/", "http://B.org:8080/b",
                                                    "http://a.com:80/logo.gif"}));
  EXPECT_EQ(loaded[0].Title, "Home");
  EXPECT_EQ(loaded[0].Date, 36526.5);
  EXPECT_EQ(loaded[1].Domain, "b.org");
  EXPECT_EQ(loaded[2].Domain, "a.com");
  EXPECT_EQ(loaded[2].MimeIndex, 2);
  EXPECT_EQ(loaded[2].CacheFile, "");
  EXPECT_EQ(usedNames.Size(), 3u);
  EXPECT_TRUE(usedNames.Contains("A.COM\\IMAGE\\LOGO.GIF"));
  EXPECT_TRUE(usedNames.Contains(UsedNames::Key("b.org", "text", "b.htm")));
}

TEST_F(ArchiveFileTest, DropsRecordsWhoseFilesAreGoneAndFreesTheirNames) {
  PutFile("a.com/text/kept.htm");
  WriteDat({Item("http://a.com:80/gone", 1, "gone.htm"),
            Item("http://a.com:80/kept", 1, "kept.htm"),
            Item("http://a.com:80/gone2", 2, "gone.gif")});
  const ArchiveList loaded = Load();
  EXPECT_EQ(Urls(loaded), std::vector<std::string>{"http://a.com:80/kept"});
  EXPECT_FALSE(usedNames.Contains("a.com\\text\\gone.htm"));
  EXPECT_TRUE(usedNames.Contains("a.com\\text\\kept.htm"));
  EXPECT_EQ(FindArchivedName(loaded, "http://a.com:80/kept"), "kept.htm");
  EXPECT_EQ(FindArchivedName(loaded, "http://a.com:80/gone"), std::nullopt);
}

TEST_F(ArchiveFileTest, NeverFollowsANameOutOfItsFolder) {
  // Each of these names would reach a file that exists, but not as one path component.
  PutFile("outside.htm");
  PutFile("a.com/text/inside.htm");
  PutFile("a.com/text/sub/deeper.htm");
  WriteDat({Item("http://a.com:80/1", 1, "../../outside.htm"),
            Item("http://a.com:80/2", 1, "..\\..\\outside.htm"),
            Item("http://a.com:80/3", 1, "sub/deeper.htm"), Item("http://a.com:80/4", 1, ".."),
            Item("http://a.com:80/5", 1, ""), Item("http://a.com:80/6", 1, "inside.htm")});
  const ArchiveList loaded = Load();
  EXPECT_EQ(Urls(loaded), std::vector<std::string>{"http://a.com:80/6"});
  EXPECT_EQ(usedNames.Size(), 1u);
}

TEST_F(ArchiveFileTest, SafePathComponents) {
  struct Case {
    const char* name;
    bool safe;
  } cases[] = {
      {"a.com", true}, {"index(1).htm", true}, {"...", true},  {".hidden", true}, {"", false},
      {".", false},    {"..", false},          {"a/b", false}, {"a\\b", false},   {"/", false}};
  for (const Case& c : cases)
    EXPECT_EQ(IsSafePathComponent(c.name), c.safe) << c.name;
  EXPECT_EQ(ArchivedFilePath("/r/", "a.com", "text", "x.htm"),
            "/r/" + NativeSeparators("a.com/text/x.htm"));
  EXPECT_EQ(ArchivedFilePath("/r/", "a.com", "..", "x.htm"), std::nullopt);
}

TEST_F(ArchiveFileTest, ACutOffLastRecordEndsTheList) {
  PutFile("a.com/text/1.htm");
  PutFile("a.com/text/2.htm");
  std::string third;
  WriteRecord(Item("http://a.com:80/3", 1, "3.htm"), third);
  WriteDat({Item("http://a.com:80/1", 1, "1.htm"), Item("http://a.com:80/2", 1, "2.htm")},
           third.substr(0, 10));
  Result<LoadedArchive> loaded = LoadArchive(context, archive.path(), usedNames);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->archive.Size(), 2u);
  EXPECT_TRUE(loaded->state.Damaged());
  EXPECT_EQ(loaded->state.recordsRead, 2u);
}

TEST_F(ArchiveFileTest, MergeOverwritesTheFirstRecordInPlaceOrAppends) {
  for (const char* name : {"a.htm", "b.htm", "a2.htm"})
    PutFile(std::string("a.com/text/") + name);
  // An older file holds the same Url twice.
  WriteDat({Item("http://a.com:80/a", 1, "a.htm", "old"), Item("http://a.com:80/b", 1, "b.htm"),
            Item("http://a.com:80/a", 1, "a2.htm", "second")});
  ArchiveList list = Load();
  ASSERT_EQ(list.Size(), 3u);

  TCacheItem item = Item("http://a.com:80/a", 1, "a.htm", "new");
  item.Date = 40000.25;
  MergeIntoArchive(list, item);
  item.Title = "changed by its owner later";
  MergeIntoArchive(list, Item("http://a.com:80/A", 1, "upper.htm"));  // case matters
  ASSERT_EQ(list.Size(), 4u);
  EXPECT_EQ(list[0].Title, "new");
  EXPECT_EQ(list[0].Date, 40000.25);
  EXPECT_EQ(list[0].CacheFile, "/cache/a.htm");
  EXPECT_EQ(list[0].Domain, "stale");  // copied from the item, as merged
  EXPECT_EQ(list[2].Title, "second");
  EXPECT_EQ(list[3].Url, "http://a.com:80/A");
  EXPECT_EQ(FindArchivedName(list, "http://a.com:80/a"), "a.htm");
  EXPECT_EQ(FindArchivedName(list, "http://a.com:80/A"), "upper.htm");
  EXPECT_EQ(FindArchivedName(list, "http://a.com:80/a "), std::nullopt);

  ASSERT_TRUE(SaveArchive(archive.path(), list));
  PutFile("a.com/text/upper.htm");
  const ArchiveList reloaded = Load();
  ASSERT_EQ(reloaded.Size(), 4u);
  EXPECT_EQ(reloaded[0].Title, "new");
  EXPECT_EQ(reloaded[1].FileName, "b.htm");
  EXPECT_EQ(reloaded[2].Title, "second");
  EXPECT_EQ(reloaded[2].FileName, "a2.htm");
}

TEST_F(ArchiveFileTest, TheUrlIndexStaysRightOverManyMerges) {
  ArchiveList list;
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 2000; ++i) {
      const std::string url = "http://h.com:80/" + std::to_string(i);
      MergeIntoArchive(list, Item(url, 2, std::to_string(i) + "-" + std::to_string(round)));
    }
  }
  ASSERT_EQ(list.Size(), 2000u);
  EXPECT_EQ(list[1234].Url, "http://h.com:80/1234");
  EXPECT_EQ(FindArchivedName(list, "http://h.com:80/1234"), "1234-2");
  EXPECT_EQ(list.Find("http://h.com:80/1999"), &list[1999]);
}

TEST_F(ArchiveFileTest, SavingNothingRemovesTheFile) {
  PutFile("a.com/text/a.htm");
  WriteDat({Item("http://a.com:80/a", 1, "a.htm")});
  testing::WriteFile(archive.Child("archive.tmp"), "left by a crash");
  ArchiveList empty;
  EXPECT_TRUE(SaveArchive(archive.path(), empty));
  EXPECT_FALSE(fs::exists(DatPath()));
  EXPECT_FALSE(fs::exists(archive.Child("archive.tmp")));
}

TEST_F(ArchiveFileTest, WritesManyRecordsAcrossBlocks) {
  ArchiveList list;
  std::string expected;
  for (int i = 0; i < 25; ++i) {
    const TCacheItem item = Item("http://a.com:80/" + std::to_string(i), 2, std::to_string(i));
    WriteRecord(item, expected);
    MergeIntoArchive(list, item);
  }
  ASSERT_TRUE(SaveArchive(archive.path(), list));
  EXPECT_EQ(testing::ReadFile(DatPath()), expected);
}

// archive.dat is replaced only by a complete archive.tmp. A folder named archive.tmp makes the
// temporary file impossible to write (this works for root too, unlike permissions).
TEST_F(ArchiveFileTest, AFailedSaveLeavesTheOldFileWhole) {
  PutFile("a.com/text/a.htm");
  WriteDat({Item("http://a.com:80/a", 1, "a.htm", "kept")});
  const std::string before = testing::ReadFile(DatPath());
  fs::create_directory(archive.Child("archive.tmp"));

  ArchiveList list = Load();
  MergeIntoArchive(list, Item("http://a.com:80/new", 1, "new.htm"));
  EXPECT_FALSE(SaveArchive(archive.path(), list));
  EXPECT_EQ(testing::ReadFile(DatPath()), before);
}

TEST_F(ArchiveFileTest, AFirstLoadWritesNothingAndThePicturesMakeTheFolder) {
  // Loading writes nothing; the run puts the pictures in place once it knows it may write.
  Result<LoadedArchive> loaded = LoadArchive(context, archive.Child("new/archive"), usedNames);
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(loaded->archive.Empty());
  EXPECT_FALSE(loaded->state.Damaged());
  EXPECT_FALSE(fs::exists(archive.Child("new")));
  EXPECT_FALSE(CopyIndexImages(context, archive.Child("new/archive")));
  EXPECT_EQ(testing::ReadFile(archive.Child("new/archive/images/text.gif")), "text picture");
  EXPECT_EQ(testing::ReadFile(archive.Child("new/archive/images/Pagehold.gif")), "logo");
  // Pictures missing beside the program are reported (above) and skipped.
  EXPECT_FALSE(fs::exists(archive.Child("new/archive/images/video.gif")));
}

TEST_F(ArchiveFileTest, CopyingPicturesNeverReplacesOne) {
  testing::WriteFile(archive.Child("images/text.gif"), "the archive's own");
  // The pictures missing beside the program are reported; the others are still copied.
  EXPECT_FALSE(CopyIndexImages(context, archive.path()));
  EXPECT_EQ(testing::ReadFile(archive.Child("images/text.gif")), "the archive's own");
  EXPECT_EQ(testing::ReadFile(archive.Child("images/Pagehold.gif")), "logo");
}

}  // namespace
}  // namespace pagehold
