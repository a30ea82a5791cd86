#include "explorer/ReadingEnd.h"

namespace pagehold {

namespace {

void Say(ReadingEnd& end, const std::string& text, MessageIcon icon) {
  if (!end.message) {
    end.message = Message{text, "Pagehold", icon, MessageButtons::Ok};
    return;
  }
  end.message->text += "\r\n\r\n" + text;
  if (icon != MessageIcon::Information)
    end.message->icon = icon;
}

}  // namespace

ReadingEnd AfterReading(const ReadingReport& report, Product product, std::size_t itemsListed) {
  ReadingEnd end;
  const bool navigator = product == Product::Navigator;
  if (report.outcome == ReadingOutcome::Unopened && navigator) {
    end.closeWindow = true;
    return end;
  }
  if (report.Failed())
    Say(end, report.reason, MessageIcon::Error);
  else if (report.Partial())
    Say(end, "Part of the cache could not be read: " + DescribeReading(report) + ".",
        MessageIcon::Warning);
  else if (!navigator && itemsListed == 0 && report.outcome == ReadingOutcome::Read)
    Say(end, "No files found.", MessageIcon::Information);
  for (const std::string& notice : report.mimeTableNotices)
    Say(end, notice, MessageIcon::Information);
  return end;
}

}  // namespace pagehold
