#include "explorer/CacheDeletion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "explorer/FakeCacheSource.h"
#include "support/ScriptedInteraction.h"

namespace pagehold {
namespace {

using ::testing::ElementsAre;
using testing::FakeCacheSource;
using ::testing::IsEmpty;
using testing::MakeItem;
using testing::ScriptedInteraction;

constexpr double kNow = 46000.5;

struct DeletionFixture {
  DeletionFixture()
      : source({
            MakeItem("a.example", Text, kNow - 1, "http://a.example:80/1"),
            MakeItem("b.example", Text, kNow - 1, "http://b.example:80/1"),
            MakeItem("a.example", Media, kNow - 3, "http://a.example:80/2"),
            MakeItem("c.example", Text, kNow - 0.1, "http://c.example:80/1"),
            MakeItem("a.example", Text, kNow - 0.1, "http://a.example:80/3"),
        }),
        explorer(list, source, [] { return kNow; }) {
    explorer.Reset();
    ScriptedInteraction reading;
    explorer.ReadCache(reading);
  }

  std::vector<std::string> ListedUrls() const { return testing::UrlsOf(list); }

  CacheList list;
  FakeCacheSource source;
  CacheExplorer explorer;
  ScriptedInteraction ui;
};

enum class Setup {
  Everything,
  MediaUncheckedWithItems,
  OtherUncheckedCountingNothing,
  NewerThanAll,
  OneDomainLeftOut
};

struct QuestionCase {
  const char* name;
  Setup setup;
  bool warning;
};

class DeletionQuestionCases : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(DeletionQuestionCases, WarnsExactlyWhenTheWholeCacheGoes) {
  DeletionFixture f;
  switch (GetParam().setup) {
    case Setup::Everything:
      break;
    case Setup::MediaUncheckedWithItems:
      f.explorer.SetKinds({true, false, true});
      break;
    case Setup::OtherUncheckedCountingNothing:
      f.explorer.SetKinds({true, true, false});
      break;
    case Setup::NewerThanAll:
      f.explorer.SetUnit(AgeUnit::Weeks);
      f.explorer.SetAge(AgeChoice::NewerThan);
      ASSERT_EQ(f.explorer.Counts().Sum(), 5);
      break;
    case Setup::OneDomainLeftOut:
      f.explorer.ArchiveDelete().SetSelected(2, true);
      f.explorer.Exclude();
      break;
  }
  f.ui.QueueAnswer(MessageAnswer::No);
  EXPECT_EQ(DeleteChosenItems(f.explorer, f.ui).result, DeletionResult::NotConfirmed);
  ASSERT_EQ(f.ui.messages.size(), 1u);
  const Message& question = f.ui.messages[0];
  EXPECT_EQ(question.text,
            GetParam().warning
                ? "Are you sure you want to delete these\r\nitems from the "
                  "cache?\r\n\r\nWARNING : This selection will delete\r\nthe "
                  "entire cache. Continue?"
                : "Are you sure you want to delete these\r\nitems from the cache?\r\n");
  EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(question.icon, MessageIcon::Confirmation);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, DeletionQuestionCases,
    ::testing::Values(QuestionCase{"everything", Setup::Everything, true},
                      QuestionCase{"media unchecked", Setup::MediaUncheckedWithItems, false},
                      QuestionCase{"empty kind unchecked", Setup::OtherUncheckedCountingNothing,
                                   true},
                      QuestionCase{"newer than, covering all", Setup::NewerThanAll, false},
                      QuestionCase{"one domain left out", Setup::OneDomainLeftOut, false}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(DeleteChosenItems, NoOrCancelLeavesEverythingAsItWas) {
  for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
    DeletionFixture f;
    f.ui.QueueAnswer(answer);
    EXPECT_EQ(DeleteChosenItems(f.explorer, f.ui).result, DeletionResult::NotConfirmed);
    EXPECT_EQ(f.list.size(), 5u);
    EXPECT_THAT(f.source.removedUrls, IsEmpty());
    EXPECT_EQ(f.explorer.Counts().text, 4);
    EXPECT_THAT(f.ui.statuses, IsEmpty());
  }
}

TEST(DeleteChosenItems, SaysSoWhenTheCheckedKindsCountNothing) {
  DeletionFixture f;
  f.explorer.SetKinds({false, false, true});
  const DeletionOutcome outcome = DeleteChosenItems(f.explorer, f.ui);
  EXPECT_EQ(outcome.result, DeletionResult::NothingToDelete);
  ASSERT_EQ(f.ui.messages.size(), 1u);
  EXPECT_EQ(f.ui.messages[0].text, "No files to delete.");
  EXPECT_EQ(f.ui.messages[0].buttons, MessageButtons::OkHelp);
  EXPECT_EQ(f.ui.messages[0].helpContext, 11);
  EXPECT_EQ(f.list.size(), 5u);
}

TEST(DeleteChosenItems, RemovesTheChosenItemsAndRefreshesFromTheRest) {
  DeletionFixture f;
  f.explorer.SetUnit(AgeUnit::Weeks);
  f.explorer.SetAge(AgeChoice::NewerThan);  // one week: every item
  f.explorer.ArchiveDelete().SetSelected(1, true);
  f.explorer.Exclude();  // b.example stays
  f.explorer.SetKinds({true, false, true});
  f.ui.QueueAnswer(MessageAnswer::Yes);

  const DeletionOutcome outcome = DeleteChosenItems(f.explorer, f.ui);
  EXPECT_EQ(outcome.result, DeletionResult::Deleted);
  EXPECT_EQ(outcome.removed, 3u);
  EXPECT_THAT(f.source.removedUrls, ElementsAre("http://a.example:80/1", "http://c.example:80/1",
                                                "http://a.example:80/3"));
  EXPECT_THAT(f.ListedUrls(), ElementsAre("http://b.example:80/1", "http://a.example:80/2"));
  EXPECT_EQ(f.ui.statuses, std::vector<std::string>{kDeletingCaption});
  EXPECT_EQ(f.ui.messages.size(), 1u);
  // The refresh keeps the age window and puts every remaining domain back: a.example with its
  // media item left, c.example gone from both lists.
  EXPECT_EQ(f.explorer.Age(), AgeChoice::NewerThan);
  EXPECT_THAT(f.explorer.ArchiveDelete().Names(), ElementsAre("a.example", "b.example"));
  EXPECT_TRUE(f.explorer.Available().Empty());
  EXPECT_EQ(f.explorer.Counts().text, 1);
  EXPECT_EQ(f.explorer.Counts().media, 1);
}

TEST(DeleteChosenItems, AFailedOrUntriedItemStaysListedAndTheFailureIsReported) {
  DeletionFixture failing;
  failing.source.failOnUrl = "http://b.example:80/1";
  failing.ui.QueueAnswer(MessageAnswer::Yes);
  const DeletionOutcome outcome = DeleteChosenItems(failing.explorer, failing.ui);
  EXPECT_EQ(outcome.removed, 4u);
  ASSERT_EQ(outcome.failures.size(), 1u);
  EXPECT_EQ(outcome.failures[0].Describe(), "http://b.example:80/1: in use");
  EXPECT_THAT(failing.ListedUrls(), ElementsAre("http://b.example:80/1"));
  EXPECT_EQ(failing.ui.progress.back(), 100);

  DeletionFixture cancelled;
  cancelled.ui.QueueAnswer(MessageAnswer::Yes);
  cancelled.ui.CancelAfterEvents(1);
  const DeletionOutcome stopped = DeleteChosenItems(cancelled.explorer, cancelled.ui);
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_EQ(stopped.removed, 0u);
  EXPECT_EQ(cancelled.list.size(), 5u);
}

TEST(DeleteChosenItems, ChoosesByTheWindowAsItIsWhenDeleting) {
  DeletionFixture f;
  f.explorer.SetUnit(AgeUnit::Days);
  f.explorer.SetAge(AgeChoice::NewerThan);  // one day: the items exactly a day old are out
  f.ui.QueueAnswer(MessageAnswer::Yes);
  EXPECT_EQ(DeleteChosenItems(f.explorer, f.ui).removed, 2u);
  EXPECT_THAT(f.ListedUrls(), ElementsAre("http://a.example:80/1", "http://b.example:80/1",
                                          "http://a.example:80/2"));
  EXPECT_TRUE(f.explorer.ArchiveDelete().Empty());
  f.explorer.SetAge(AgeChoice::AllAges);
  EXPECT_THAT(f.explorer.ArchiveDelete().Names(), ElementsAre("a.example", "b.example"));
}

TEST(DeleteChosenItems, AFullyDeletedDomainLeavesBothLists) {
  DeletionFixture f;
  f.explorer.ArchiveDelete().SetSelected(0, true);  // a.example
  f.explorer.Exclude();
  f.explorer.SetKinds({true, false, true});
  f.ui.QueueAnswer(MessageAnswer::Yes);
  EXPECT_EQ(DeleteChosenItems(f.explorer, f.ui).removed, 2u);
  EXPECT_THAT(f.explorer.ArchiveDelete().Names(), ElementsAre("a.example"));
  EXPECT_EQ(f.explorer.Counts().text, 2);
  EXPECT_EQ(f.explorer.Counts().media, 1);
  EXPECT_TRUE(f.explorer.Available().Empty());
}

TEST(DeleteChosenItems, AnErrorKeepsWhatWasRemovedAndTheRestOfTheList) {
  DeletionFixture f;
  f.source.throwOnUrl = "http://c.example:80/1";
  f.ui.QueueAnswer(MessageAnswer::Yes);
  EXPECT_THROW(DeleteChosenItems(f.explorer, f.ui), std::runtime_error);
  EXPECT_THAT(f.source.removedUrls, ElementsAre("http://a.example:80/1", "http://b.example:80/1",
                                                "http://a.example:80/2"));
  EXPECT_THAT(f.ListedUrls(), ElementsAre("http://c.example:80/1", "http://a.example:80/3"));
  for (const auto& item : f.list)
    EXPECT_NE(item, nullptr);
}

}  // namespace
}  // namespace pagehold
