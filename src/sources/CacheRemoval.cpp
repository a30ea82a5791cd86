#include "sources/CacheRemoval.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/EventPacer.h"

namespace pagehold {

std::size_t RemovalReport::Count(RemovalState state) const {
  return static_cast<std::size_t>(std::count(states.begin(), states.end(), state));
}

void RemoveEach(const ItemRefs& items, Interaction& ui, const RemoveOneItem& removeOne,
                RemovalReport& report) {
  report.states.assign(items.size(), RemovalState::NotTried);
  report.failures.clear();
  report.cancelled = false;
  EventPacer pacer(ui);
  int shownPercent = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    pacer.Tick();
    if (ui.CancelRequested()) {
      report.cancelled = true;
      return;
    }
    Result<RemovalState> removal = removeOne(*items[i]);
    if (removal) {
      report.states[i] = *removal;
    } else {
      report.states[i] = RemovalState::Failed;
      report.failures.push_back(removal.failure());
    }
    const int percent = static_cast<int>((i + 1) * 100 / items.size());
    if (percent != shownPercent) {
      ui.ShowProgress(percent);
      shownPercent = percent;
    }
  }
}

Result<RemovalState> RemoveCachedFile(const std::string& path) {
  std::error_code error;
  // remove() takes a symbolic link away itself and never follows it.
  const bool removed = std::filesystem::remove(path, error);
  if (error)
    return Failure::FromErrorCode(path, error);
  return removed ? RemovalState::Removed : RemovalState::AlreadyGone;
}

}  // namespace pagehold
