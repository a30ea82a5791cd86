#include "explorer/ReadingEnd.h"

#include <gtest/gtest.h>

namespace pagehold {
namespace {

ReadingReport Report(ReadingOutcome outcome, std::size_t damagedPages = 0) {
  ReadingReport report;
  report.outcome = outcome;
  report.reason = outcome == ReadingOutcome::Read ? "" : "why";
  report.damagedPages = damagedPages;
  return report;
}

TEST(ReadingEnd, TellsWhatWentWrongAndClosesOnlyForAnUnopenedNavigatorIndex) {
  const auto nav = Product::Navigator, ie = Product::InternetExplorer;
  struct Case {
    ReadingReport report;
    Product product;
    std::size_t items;
    bool close;
    std::string text;  // empty: no message
  } const cases[] = {
      {Report(ReadingOutcome::Unopened), nav, 0, true, ""},
      {Report(ReadingOutcome::Unopened), ie, 0, false, "why"},
      {Report(ReadingOutcome::Refused), nav, 0, false, "why"},
      {Report(ReadingOutcome::Read), ie, 0, false, "No files found."},
      {Report(ReadingOutcome::Read), nav, 0, false, ""},
      {Report(ReadingOutcome::Stopped), ie, 0, false, ""},
      {Report(ReadingOutcome::Read), ie, 3, false, ""},
      {Report(ReadingOutcome::Read, 2), nav, 3, false,
       "Part of the cache could not be read: read 0 entries, kept 0 items; 2 damaged index "
       "pages."},
  };
  for (const Case& c : cases) {
    const ReadingEnd end = AfterReading(c.report, c.product, c.items);
    EXPECT_EQ(end.closeWindow, c.close) << c.text;
    EXPECT_EQ(end.message ? end.message->text : "", c.text);
  }
  ReadingReport noticed = Report(ReadingOutcome::Refused);
  noticed.mimeTableNotices = {"cannot be kept", "no row left"};
  const ReadingEnd end = AfterReading(noticed, nav, 0);
  EXPECT_EQ(end.message->text, "why\r\n\r\ncannot be kept\r\n\r\nno row left");
  EXPECT_EQ(end.message->icon, MessageIcon::Error);
}

}  // namespace
}  // namespace pagehold
