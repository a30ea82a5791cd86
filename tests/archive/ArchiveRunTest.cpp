#include "archive/ArchiveRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveFile.h"
#include "archive/ArchiveFileReader.h"
#include "cache/Url.h"
#include "platform/Paths.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::ScriptedInteraction;
using testing::TempFolder;
using testing::WriteFile;

constexpr int kHtml = 1;
constexpr int kGif = 2;
constexpr int kJpeg = 3;
constexpr int kZip = 44;

// A cache, an archive folder and a program folder in one temporary folder, and a context.
class ArchiveRunTest : public ::testing::Test {
 protected:
  explicit ArchiveRunTest(Product product = Product::Navigator)
      : context(product, root.Child("program/")) {
    fs::create_directories(root.Child("program"));
    fs::create_directories(root.Child("archive"));
    archiveFolder = root.Child("archive");
    context.settings.ShowOriginalUrls = false;
    context.settings.StrikeoutLinks = false;
    context.settings.EmphasizeLinks = false;
    interaction.SetDefaultAnswer(MessageAnswer::No);
  }

  // A cached item of http://host + path with the given content, in cache list order.
  TCacheItem& Cached(const std::string& host, const std::string& path, int mimeIndex,
                     const std::string& content) {
    auto item = std::make_unique<TCacheItem>();
    item->Url = CanonicalItemUrl(host, 80, path);
    item->Domain = DomainFromHost(host);
    item->MimeIndex = mimeIndex;
    item->ContentKind = mimeIndex == kHtml ? Text : Media;
    item->CacheFile = root.Child("cache/F" + std::to_string(cache.size()));
    WriteFile(item->CacheFile, content);
    cache.push_back(std::move(item));
    return *cache.back();
  }

  ItemRefs All() const {
    ItemRefs refs;
    for (const auto& item : cache)
      refs.push_back(item.get());
    return refs;
  }

  ArchiveRunReport Run(const ItemRefs& selection) {
    return ArchiveRun(context, interaction, archiveFolder).Run(selection);
  }

  std::string Archived(const std::string& relative) const {
    return ReadFile(root.Child("archive/" + relative));
  }
  bool InArchive(const std::string& relative) const {
    return fs::exists(root.Child("archive/" + relative));
  }

  std::vector<std::string> RecordedNames() const {
    std::vector<std::string> names;
    const ArchiveList archive = std::move(ReadArchiveFile(root.Child("archive/")).value().records);
    for (const auto& record : archive.Items())
      names.push_back(record->FileName);
    return names;
  }

  TempFolder root;
  AppContext context;
  std::string archiveFolder;
  ScriptedInteraction interaction;
  CacheList cache;
};

TEST_F(ArchiveRunTest, ArchivesIntoDomainAndTypeFoldersUnderUniqueNames) {
  fs::create_directories(root.Child("archive"));
  WriteFile(root.Child("archive/host/text/y.htm"), "not recorded, not ours");
  const int charsetHtml = context.mimeTable.MimeIndexOf("text/html; charset=utf-8");
  struct Case {
    const char* path;
    int mimeIndex;
    const char* archivedAs;
  } cases[] = {
      {"/dir/page.html", kHtml, "host/text/page.htm"},
      {"/dir/", kHtml, "host/text/dir.htm"},
      {"/", kHtml, "host/text/host.htm"},
      {"/pic.gif", kGif, "host/image/pic.gif"},
      {"/a/my-photo.jpeg", kJpeg, "host/image/myphoto.jpg"},
      {"/cgi/run.exe?x=1", kHtml, "host/text/run.htm"},
      {"/cgi/page.php?id=2", charsetHtml, "host/text/page(1).htm"},
      {"/get/file.zip", kZip, "host/application/file.zip"},
      {"/get/download", kZip, "host/application/download.zip"},
      {"/-+,;=", kHtml, "host/text/.htm"},
      {"/one/x.html", kHtml, "host/text/x.htm"},
      {"/two/x.html", kHtml, "host/text/x(1).htm"},
      {"/p/A.HTM", kHtml, "host/text/A.htm"},
      {"/q/a.htm", kHtml, "host/text/a(1).htm"},
      {"/y.html", kHtml, "host/text/y(1).htm"},
  };
  for (const Case& c : cases)
    Cached("host", c.path, c.mimeIndex, std::string("content of ") + c.path);

  interaction.QueueAnswer(MessageAnswer::Yes);
  const ArchiveRunReport report = Run(All());

  EXPECT_EQ(report.outcome, ArchiveRunOutcome::Completed);
  EXPECT_EQ(report.result, ArchiveRunResult::OpenIndex);
  EXPECT_EQ(report.archivedItems, std::size(cases));
  std::vector<std::string> expectedNames;
  for (const Case& c : cases) {
    EXPECT_EQ(Archived(c.archivedAs), std::string("content of ") + c.path) << c.archivedAs;
    expectedNames.push_back(FileNamePart(c.archivedAs));
  }
  EXPECT_EQ(Archived("host/text/y.htm"), "not recorded, not ours");
  EXPECT_EQ(RecordedNames(), expectedNames);
  EXPECT_TRUE(InArchive("1st_page.htm"));

  ASSERT_EQ(interaction.messages.size(), 1u);
  const Message& question = interaction.messages[0];
  EXPECT_EQ(question.text, "Archiving completed.\r\nThe index page is located at:\r\n\r\n" +
                               report.indexPage + "\r\n\r\nDo you wish to load this index now?");
  EXPECT_EQ(question.icon, MessageIcon::Information);
  EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(report.indexPage, root.Child("archive/1st_page.htm"));
}

TEST_F(ArchiveRunTest, PendingEventsRunOncePerPercentOfAPass) {
  for (int i = 0; i < 450; ++i)
    Cached("host", "/f" + std::to_string(i) + ".gif", kGif, "x");
  fs::create_directories(root.Child("archive"));
  Run(All());

  ASSERT_GE(interaction.statuses.size(), 2u);
  EXPECT_EQ(interaction.statuses[0], "Creating unique filenames...");
  EXPECT_EQ(interaction.statuses[1], "Archiving files...");
  // Each pass moves through every whole percentage once (0 to 99 for 450 items), then the run
  // sets 100; whatever the index build shows comes after.
  std::vector<int> pass;
  for (int percent = 0; percent < 100; ++percent)
    pass.push_back(percent);
  std::vector<int> expected = pass;
  expected.insert(expected.end(), pass.begin(), pass.end());
  expected.push_back(100);
  ASSERT_GE(interaction.progress.size(), expected.size());
  EXPECT_EQ(std::vector<int>(interaction.progress.begin(),
                             interaction.progress.begin() + static_cast<long>(expected.size())),
            expected);
  EXPECT_GE(interaction.eventRounds, 201);
  EXPECT_LT(interaction.eventRounds, 450);
}

TEST_F(ArchiveRunTest, LinksBetweenPagesOfOneRunResolveBothWays) {
  Cached("host", "/a.html", kHtml, "<a href=\"b.html\">to b</a><img src=pic.gif>");
  Cached("host", "/b.html", kHtml, "<a href=\"a.html#top\">to a</a><a href=gone.html>x</a>");
  Cached("host", "/pic.gif", kGif, "GIF89a");
  Run(All());

  EXPECT_EQ(Archived("host/text/a.htm"),
            "<a href=\"../../host/text/b.htm\">to b</a><img src=../../host/image/pic.gif>");
  EXPECT_EQ(Archived("host/text/b.htm"),
            "<a href=\"../../host/text/a.htm#top\">to a</a><a href=../../notfound.htm>x</a>");
}

TEST_F(ArchiveRunTest, LinksReachRecordsOfAnEarlierRun) {
  Cached("host", "/old.html", kHtml, "<a href=new.html>forward</a>");
  Run(All());
  EXPECT_EQ(Archived("host/text/old.htm"), "<a href=../../notfound.htm>forward</a>");

  cache.clear();
  Cached("host", "/new.html", kHtml, "<a href=old.html>back</a><img src=none.gif>");
  Run(All());
  EXPECT_EQ(Archived("host/text/new.htm"),
            "<a href=../../host/text/old.htm>back</a><img src=../../images/notfound.gif>");
  EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"old.htm", "new.htm"}));
}

TEST_F(ArchiveRunTest, NotFoundFormsAndDecorations) {
  context.settings.ShowOriginalUrls = true;
  context.settings.StrikeoutLinks = true;
  context.settings.EmphasizeLinks = true;
  Cached("host", "/a.html", kHtml,
         "<a href=a.html>self</a> <a href=/missing.html>gone</a> <frame src=f.html>");
  Run(All());
  EXPECT_EQ(Archived("host/text/a.htm"),
            "<a href=../../host/text/a.htm><B>self</B></a> "
            "<a href=http://host/missing.html><STRIKE>gone</STRIKE></a> "
            "<frame src=../../notfound.htm>");
}

TEST_F(ArchiveRunTest, ReArchivingARecordedUrlReplacesItsFileInPlace) {
  Cached("host", "/x.html", kHtml, "first");
  Cached("host", "/z.gif", kGif, "z");
  Run(All());

  cache.clear();
  Cached("host", "/new.gif", kGif, "n");
  Cached("host", "/x.html", kHtml, "second");
  Run(All());

  EXPECT_EQ(Archived("host/text/x.htm"), "second");
  EXPECT_FALSE(InArchive("host/text/x(1).htm"));
  EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"x.htm", "z.gif", "new.gif"}));
}

TEST_F(ArchiveRunTest, ARecordedNameIsNotCarriedIntoAnotherTypeFolder) {
  constexpr int kRichText = 5;  // keeps the extension its URL has
  Cached("host", "/thing", kGif, "picture");
  Cached("host", "/x/thing.gif", kRichText, "rich text");
  Run(All());
  ASSERT_EQ(Archived("host/image/thing.gif"), "picture");
  ASSERT_EQ(Archived("host/text/thing.gif"), "rich text");

  // The same URL now served as a page: its recorded name, thing.gif, belongs to another item in
  // host/text, so the page gets a name of its own there.
  cache.clear();
  Cached("host", "/thing", kHtml, "now a page");
  Run(All());
  EXPECT_EQ(Archived("host/text/thing.gif"), "rich text");
  EXPECT_EQ(Archived("host/text/thing.htm"), "now a page");
  EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"thing.htm", "thing.gif"}));
}

TEST_F(ArchiveRunTest, CancelDuringNamingStillArchivesTheFirstItem) {
  Cached("host", "/one.html", kHtml, "1");
  Cached("host", "/two.html", kHtml, "2");
  Cached("host", "/three.gif", kGif, "3");
  interaction.CancelAfterEvents(1);
  const ArchiveRunReport report = Run(All());

  EXPECT_EQ(report.outcome, ArchiveRunOutcome::Cancelled);
  EXPECT_EQ(report.result, ArchiveRunResult::Cancel);
  EXPECT_EQ(report.archivedItems, 1u);
  EXPECT_TRUE(InArchive("host/text/one.htm"));
  EXPECT_FALSE(InArchive("host/text/two.htm"));
  EXPECT_EQ(RecordedNames(), std::vector<std::string>{"one.htm"});
  EXPECT_FALSE(InArchive("1st_page.htm"));
  EXPECT_TRUE(interaction.messages.empty());
}

TEST_F(ArchiveRunTest, ReindexDropsRecordsWhoseFilesWereDeleted) {
  Cached("host", "/a.html", kHtml, "<title>A</title>");
  Cached("host", "/b.gif", kGif, "b");
  Cached("other", "/c.zip", kZip, "c");
  Run(All());
  ASSERT_EQ(RecordedNames().size(), 3u);

  fs::remove(root.Child("archive/host/image/b.gif"));
  interaction.messages.clear();
  interaction.QueueAnswer(MessageAnswer::Cancel);
  const ArchiveRunReport report = Run({});

  EXPECT_EQ(report.outcome, ArchiveRunOutcome::Completed);
  EXPECT_EQ(report.result, ArchiveRunResult::Cancel);
  EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"a.htm", "c.zip"}));
  EXPECT_TRUE(InArchive("1st_page.htm"));
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].text.substr(0, 22), "Re-indexing completed.");

  // Everything gone: the records and the index page go too.
  fs::remove(root.Child("archive/host/text/a.htm"));
  fs::remove(root.Child("archive/other/application/c.zip"));
  Run({});
  EXPECT_FALSE(InArchive("archive.dat"));
}

TEST_F(ArchiveRunTest, MissingFolderIsCreatedOnlyWhenTheAnswerIsYes) {
  Cached("host", "/a.gif", kGif, "a");
  archiveFolder = root.Child("deep/new/archive");

  interaction.QueueAnswer(MessageAnswer::No);
  ArchiveRunReport report = Run(All());
  EXPECT_EQ(report.outcome, ArchiveRunOutcome::FolderRefused);
  EXPECT_FALSE(fs::exists(root.Child("deep")));
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].text, "Archive folder\r\n\r\n" +
                                              root.Child("deep/new/archive/") +
                                              "\r\n\r\ndoes not exist. Create?");
  EXPECT_EQ(interaction.messages[0].icon, MessageIcon::Confirmation);

  interaction.QueueAnswer(MessageAnswer::Yes);
  report = Run(All());
  EXPECT_EQ(report.outcome, ArchiveRunOutcome::Completed);
  EXPECT_TRUE(fs::exists(root.Child("deep/new/archive/host/image/a.gif")));
}

TEST_F(ArchiveRunTest, AFolderThatCannotBeCreatedIsReported) {
  Cached("host", "/a.gif", kGif, "a");
  WriteFile(root.Child("blocker"), "a file where a folder should be");
  archiveFolder = root.Child("blocker/archive");
  interaction.QueueAnswer(MessageAnswer::Yes);
  const ArchiveRunReport report = Run(All());
  EXPECT_EQ(report.outcome, ArchiveRunOutcome::FolderNotCreated);
  ASSERT_EQ(interaction.messages.size(), 2u);
  EXPECT_EQ(interaction.messages[1].text,
            "Could not create folder.\r\nCheck the archive folder settings.");
  EXPECT_EQ(interaction.messages[1].icon, MessageIcon::Error);
}

TEST_F(ArchiveRunTest, OneItemsFailureDoesNotStopTheRun) {
  fs::create_directories(root.Child("archive"));
  // A file where the domain folder of "blocked" should be: its page cannot be written.
  WriteFile(root.Child("archive/blocked"), "");
  Cached("blocked", "/p.html", kHtml, "page");
  Cached("host", "/q.html", kHtml, "page");
  // A plain file whose cached copy has gone is not recorded: it would be a broken link.
  TCacheItem& vanished = Cached("host", "/v.gif", kGif, "v");
  fs::remove(vanished.CacheFile);
  const ArchiveRunReport report = Run(All());

  EXPECT_EQ(report.outcome, ArchiveRunOutcome::Completed);
  EXPECT_EQ(Archived("host/text/q.htm"), "page");
  EXPECT_FALSE(InArchive("host/image/v.gif"));
  EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"q.htm"}));
  EXPECT_EQ(report.archivedItems, 1u);
  ASSERT_EQ(report.failures.size(), 2u);
  EXPECT_EQ(report.failures[0].action, "archive http://blocked:80/p.html");
  EXPECT_EQ(report.failures[1].failure.subject, vanished.CacheFile);
  EXPECT_EQ(report.failures[1].failure.reason, "No such file or directory");
}

TEST_F(ArchiveRunTest, HostileDomainsTypesAndUrlsStayInsideTheArchive) {
  fs::create_directories(root.Child("archive"));
  for (const char* domain : {"", ".", "..", "a/b", "a\\b"}) {
    TCacheItem& item = Cached("host", "/x.html", kHtml, "hostile");
    item.Domain = domain;
  }
  const int badType = context.mimeTable.MimeIndexOf("../evil");  // ".." is a token
  Cached("host", "/typed", badType, "typed");
  Cached("host", "/..", 40, "dots");
  Cached("host", "/a/..%2F..%2Fescape", 40, "encoded");
  Cached("host", "/b\\..\\..\\escape.html", kHtml, "backslashes");
  // A record of an earlier run whose stored name leads out of its folder.
  TCacheItem record;
  record.Url = CanonicalItemUrl("host", 80, "/recorded.html");
  record.MimeIndex = kHtml;
  record.FileName = "../../../escape.htm";
  std::string bytes;
  WriteRecord(record, bytes);
  WriteFile(root.Child("archive/archive.dat"), bytes);
  WriteFile(root.Child("escape.htm"), "outside");
  Cached("host", "/recorded.html", kHtml, "recorded again");

  const ArchiveRunReport report = Run(All());
  EXPECT_EQ(report.unplaceableItems, 5u);
  EXPECT_EQ(ReadFile(root.Child("escape.htm")), "outside");

  // Nothing was written anywhere but in the archive, the cache and the program folder.
  for (const auto& entry : fs::directory_iterator(root.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "archive" || name == "cache" || name == "program" || name == "escape.htm")
        << name;
  }
  const std::string archive = fs::canonical(root.Child("archive")).string();
  for (const auto& entry : fs::recursive_directory_iterator(root.Child("archive"))) {
    const std::string path = fs::canonical(entry.path()).string();
    EXPECT_EQ(path.rfind(archive, 0), 0u) << path;
  }
  EXPECT_EQ(Archived("host/other/typed.htm"), "typed");
  EXPECT_EQ(Archived("host/application/.exe"), "dots");
  EXPECT_EQ(Archived("host/application/..2F..2Fescape"), "encoded");
  EXPECT_EQ(Archived("host/text/escape.htm"), "backslashes");
  EXPECT_EQ(Archived("host/text/recorded.htm"), "recorded again");
}

class ArchiveRunIeTest : public ArchiveRunTest {
 protected:
  ArchiveRunIeTest() : ArchiveRunTest(Product::InternetExplorer) {}
};

TEST_F(ArchiveRunIeTest, NamesComeFromTheCachedFiles) {
  TCacheItem& first = Cached("host", "/index.html", kHtml, "one");
  TCacheItem& second = Cached("host", "/sub/index.html", kHtml, "two");
  TCacheItem& picture = Cached("host", "/logo.gif", kGif, "GIF");
  const auto moveTo = [&](TCacheItem& item, const std::string& relative) {
    const std::string path = root.Child("cache/" + relative);
    WriteFile(path, ReadFile(item.CacheFile));
    item.CacheFile = path;
  };
  moveTo(first, "AB12/index[1].htm");
  moveTo(second, "CD34/index[1].htm");
  moveTo(picture, "AB12/logo[1].gif");
  Run(All());

  EXPECT_EQ(Archived("host/text/index[1].htm"), "one");
  EXPECT_EQ(Archived("host/text/index[1](1).htm"), "two");
  EXPECT_EQ(Archived("host/image/logo[1].gif"), "GIF");
}

// Whenever events run, how many records archive.dat holds at that moment.
class WatchingInteraction : public ScriptedInteraction {
 public:
  explicit WatchingInteraction(std::string folder) : folder_(std::move(folder)) {}
  void ProcessPendingEvents() override {
    ScriptedInteraction::ProcessPendingEvents();
    const Result<ArchiveFileReading> reading = ReadArchiveFile(folder_);
    recorded.push_back(reading ? reading->records.Size() : 0);
  }
  std::vector<std::size_t> recorded;

 private:
  std::string folder_;
};

TEST_F(ArchiveRunTest, CopiesAreRecordedWhileTheRunGoesOn) {
  for (int i = 0; i < 10; ++i)
    Cached("host", "/" + std::to_string(i) + ".gif", kGif, "x");
  WatchingInteraction watching(archiveFolder);
  watching.SetDefaultAnswer(MessageAnswer::No);
  ArchiveRunOptions options;
  options.checkpointInterval = std::chrono::milliseconds(0);
  ArchiveRun(context, watching, archiveFolder, options).Run(All());
  // Events run before each item of the archiving pass: by then every earlier copy is recorded.
  for (std::size_t done = 1; done < 10; ++done) {
    EXPECT_NE(std::find(watching.recorded.begin(), watching.recorded.end(), done),
              watching.recorded.end())
        << done;
  }
  EXPECT_EQ(RecordedNames().size(), 10u);
}

}  // namespace
}  // namespace pagehold
