#include "explorer/CacheExplorer.h"

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
constexpr double kHour = 1.0 / 24;

// An explorer over a fake cache, shown and read as the window does on opening.
struct ExplorerFixture {
  explicit ExplorerFixture(std::vector<TCacheItem> items)
      : source(std::move(items)), explorer(list, source, [] { return kNow; }) {
    explorer.Reset();
    EXPECT_EQ(explorer.ReadCache(ui).itemsKept, source.items.size());
  }

  std::vector<int> CountsShown() const {
    const KindCounts& counts = explorer.Counts();
    return {counts.text, counts.media, counts.other};
  }

  std::vector<std::string> ChosenUrls() const { return testing::UrlsOf(explorer.ChosenItems()); }

  ScriptedInteraction ui;
  CacheList list;
  FakeCacheSource source;
  CacheExplorer explorer;
};

std::vector<TCacheItem> MixedCache() {
  return {
      MakeItem("news.example", Text, kNow - 2 * kHour, "http://news.example:80/a"),
      MakeItem("Alpha.example", Media, kNow - 3, "http://alpha.example:80/p.gif"),
      MakeItem("news.example", Other, kNow - 10, "http://news.example:80/z.zip"),
      MakeItem("beta.example", Text, kNow - 1 * kHour, "http://beta.example:80/"),
      MakeItem("news.example", Media, kNow - 20 * kHour, "http://news.example:80/i.png"),
      MakeItem("undated.example", Text, 0, "http://undated.example:80/"),
  };
}

TEST(CacheExplorer, ReadingGroupsTheItemsByDomainInsideTheWindow) {
  ExplorerFixture f(MixedCache());
  // Sorted without regard to case; the item with no date is outside every window.
  EXPECT_THAT(f.explorer.ArchiveDelete().Names(),
              ElementsAre("Alpha.example", "beta.example", "news.example"));
  EXPECT_TRUE(f.explorer.Available().Empty());
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{2, 2, 1}));
  EXPECT_EQ(f.explorer.Window().DateLow, 0);
  EXPECT_EQ(f.explorer.Window().DateHigh, kNow + 10000);
  EXPECT_EQ(f.ui.statuses, std::vector<std::string>{kReadingCaption});
}

TEST(CacheExplorer, SummariesMatchDomainsExactlyAndIgnoreUnknownKinds) {
  ExplorerFixture f({MakeItem("Site.example", Text, kNow - 1),
                     MakeItem("site.example", Text, kNow - 1),
                     MakeItem("site.example", 7, kNow - 1)});
  ASSERT_EQ(f.explorer.Summaries().size(), 2u);
  EXPECT_EQ(f.explorer.Summaries()[0].Name, "Site.example");
  EXPECT_EQ(f.explorer.Summaries()[1].Name, "site.example");
  EXPECT_EQ(f.explorer.Summaries()[1].counts.text, 1);
  EXPECT_EQ(f.explorer.Summaries()[1].counts.Sum(), 1);  // kind 7 counts nowhere
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{2, 0, 0}));
  // ...and is never chosen, though its domain is.
  EXPECT_EQ(f.explorer.ChosenItems().size(), 2u);
}

TEST(CacheExplorer, CountersStopAtTheLargest16BitNumber) {
  std::vector<TCacheItem> items(70000, MakeItem("big.example", Media, kNow - 1));
  items.push_back(MakeItem("big.example", Text, kNow - 1));
  ExplorerFixture f(std::move(items));
  // Wrapped around, 70000 would read 4464; stopping keeps "nothing to do" from ever showing
  // for a full domain.
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{1, 65535, 0}));
  f.explorer.SetKinds({false, true, false});
  EXPECT_EQ(f.explorer.CheckedTotal(), 65535);
}

TEST(CacheExplorer, ChangingTheAgeChoiceRefreshesAndUndoesMoves) {
  ExplorerFixture f(MixedCache());
  f.explorer.ExcludeAll();
  ASSERT_TRUE(f.explorer.ArchiveDelete().Empty());

  f.explorer.SetAge(AgeChoice::NewerThan);  // 6 hours, the first number of the first unit
  EXPECT_TRUE(f.explorer.AgeBoxesEnabled());
  EXPECT_THAT(f.explorer.ArchiveDelete().Names(), ElementsAre("beta.example", "news.example"));
  EXPECT_THAT(f.explorer.Available().Names(), IsEmpty());
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{2, 0, 0}));

  f.explorer.SetAgeNumberIndex(2);  // 18 hours: still not the item twenty hours old
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{2, 0, 0}));

  f.explorer.SetUnit(AgeUnit::Days);  // refills the numbers and takes the first: 1 day
  EXPECT_THAT(f.explorer.AgeNumbers(), ElementsAre(1, 2, 3, 4, 5, 6));
  EXPECT_EQ(f.explorer.AgeNumberIndex(), 0);
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{2, 1, 0}));

  f.explorer.SetAge(AgeChoice::OlderThan);
  EXPECT_THAT(f.explorer.ArchiveDelete().Names(), ElementsAre("Alpha.example", "news.example"));
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{0, 1, 1}));

  f.explorer.SetAge(AgeChoice::AllAges);
  EXPECT_FALSE(f.explorer.AgeBoxesEnabled());
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{2, 2, 1}));
}

TEST(CacheExplorer, MovingEveryDomainAwayZeroesTheCountersAndRefusesToArchive) {
  ExplorerFixture f(MixedCache());
  f.explorer.ExcludeAll();
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{0, 0, 0}));
  EXPECT_THAT(f.explorer.Available().Names(),
              ElementsAre("Alpha.example", "beta.example", "news.example"));
  EXPECT_FALSE(f.explorer.ExcludeEnabled());
  EXPECT_TRUE(f.explorer.IncludeEnabled());
  EXPECT_THAT(f.explorer.ChosenItems(), IsEmpty());

  ScriptedInteraction ui;
  EXPECT_FALSE(f.explorer.ConfirmSomethingToArchive(ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "No files to archive.");
  EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkHelp);
  EXPECT_EQ(ui.messages[0].helpContext, 11);

  f.explorer.IncludeAll();
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{2, 2, 1}));
  EXPECT_TRUE(f.explorer.ConfirmSomethingToArchive(ui));
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(CacheExplorer, IncludeWithNothingSelectedMovesNothingAndSelectsTheFirstEntry) {
  ExplorerFixture f(MixedCache());
  f.explorer.ExcludeAll();
  f.explorer.Include();
  EXPECT_EQ(f.explorer.Available().Count(), 3);
  EXPECT_TRUE(f.explorer.ArchiveDelete().Empty());
  EXPECT_EQ(f.explorer.Available().FirstSelection(), 0);
  EXPECT_EQ(f.explorer.FocusedList(), &f.explorer.Available());
  // Pressed again, the selected first entry moves.
  f.explorer.Include();
  EXPECT_THAT(f.explorer.ArchiveDelete().Names(), ElementsAre("Alpha.example"));
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{0, 1, 0}));
}

TEST(CacheExplorer, MovingSelectedDomainsKeepsBothListsSortedAndRecounts) {
  ExplorerFixture f(MixedCache());
  DomainList& chosen = f.explorer.ArchiveDelete();
  chosen.SetSelected(1, true);  // beta
  chosen.SetSelected(2, true);  // news
  f.explorer.Exclude();
  EXPECT_THAT(chosen.Names(), ElementsAre("Alpha.example"));
  EXPECT_THAT(f.explorer.Available().Names(), ElementsAre("beta.example", "news.example"));
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{0, 1, 0}));
  // The remembered index (1) is past the end of what is left: the last entry is selected.
  EXPECT_EQ(chosen.FirstSelection(), 0);
  EXPECT_FALSE(f.explorer.Available().IsSelected(0));

  f.explorer.Available().SetSelected(1, true);  // news back
  f.explorer.Include();
  EXPECT_THAT(chosen.Names(), ElementsAre("Alpha.example", "news.example"));
  EXPECT_THAT(f.explorer.Available().Names(), ElementsAre("beta.example"));
  EXPECT_EQ(f.explorer.Available().FirstSelection(), 0);
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{1, 2, 1}));
  EXPECT_THAT(f.ChosenUrls(),
              ElementsAre("http://news.example:80/a", "http://alpha.example:80/p.gif",
                          "http://news.example:80/z.zip", "http://news.example:80/i.png"));
}

TEST(CacheExplorer, UncheckingAKindKeepsItsCounterButLeavesItsItemsOut) {
  ExplorerFixture f(MixedCache());
  f.explorer.SetKinds({true, true, false});
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{2, 2, 1}));
  EXPECT_EQ(f.explorer.CheckedTotal(), 4);
  EXPECT_THAT(f.ChosenUrls(),
              ElementsAre("http://news.example:80/a", "http://alpha.example:80/p.gif",
                          "http://beta.example:80/", "http://news.example:80/i.png"));
  f.explorer.SetKinds({false, false, false});
  EXPECT_THAT(f.explorer.ChosenItems(), IsEmpty());
  ScriptedInteraction ui;
  EXPECT_FALSE(f.explorer.ConfirmSomethingToArchive(ui));
}

TEST(CacheExplorer, ArchiveDeleteEntriesMatchDomainsWithoutRegardToCase) {
  // Two summaries differing only in case: leaving one of them in "Archive/Delete" still counts
  // and chooses the items of both.
  ExplorerFixture f({MakeItem("Site.example", Text, kNow - 1, "http://a/"),
                     MakeItem("site.example", Media, kNow - 1, "http://b/")});
  f.explorer.ArchiveDelete().SetSelected(1, true);
  f.explorer.Exclude();
  ASSERT_EQ(f.explorer.ArchiveDelete().Count(), 1);
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{1, 1, 0}));
  EXPECT_THAT(f.ChosenUrls(), ElementsAre("http://a/", "http://b/"));
}

TEST(CacheExplorer, ResetStartsFromAllAgesHoursAndEmptyLists) {
  ExplorerFixture f(MixedCache());
  f.explorer.SetUnit(AgeUnit::Weeks);
  f.explorer.SetAge(AgeChoice::OlderThan);
  f.explorer.SetKinds({false, true, false});
  f.explorer.Reset();
  EXPECT_EQ(f.explorer.Age(), AgeChoice::AllAges);
  EXPECT_EQ(f.explorer.Unit(), AgeUnit::Hours);
  EXPECT_THAT(f.explorer.AgeNumbers(), ElementsAre(6, 12, 18));
  EXPECT_TRUE(f.explorer.ArchiveDelete().Empty());
  EXPECT_TRUE(f.explorer.Available().Empty());
  EXPECT_EQ(f.CountsShown(), (std::vector<int>{0, 0, 0}));
  EXPECT_TRUE(f.explorer.Kinds().AllChecked());
}

TEST(DomainList, AddsAtTheSortedPlaceAndTakesSelectedLastFirst) {
  DomainList box;
  box.AddAll({"delta", "Bravo", "alpha"});
  box.AddAll({"charlie", "ALPHA"});
  EXPECT_THAT(box.Names(), ElementsAre("alpha", "ALPHA", "Bravo", "charlie", "delta"));
  box.SetSelected(0, true);
  box.SetSelected(3, true);
  EXPECT_THAT(box.TakeSelected(), ElementsAre("charlie", "alpha"));
  EXPECT_THAT(box.Names(), ElementsAre("ALPHA", "Bravo", "delta"));
  EXPECT_EQ(box.IndexOfText("bravo"), 1);
  EXPECT_EQ(box.IndexOfText("echo"), -1);

  struct {
    int asked;
    int selected;
  } const clamps[] = {{-1, 0}, {0, 0}, {2, 2}, {3, 2}, {99, 2}};
  for (const auto& clamp : clamps) {
    box.SelectClamped(clamp.asked);
    EXPECT_EQ(box.FirstSelection(), clamp.selected) << "asked " << clamp.asked;
    EXPECT_FALSE(box.IsSelected((clamp.selected + 1) % 3));
  }
  box.Clear();
  box.SelectClamped(0);
  EXPECT_EQ(box.FirstSelection(), -1);
}

}  // namespace
}  // namespace pagehold
