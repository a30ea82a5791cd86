// Keeps a window alive during long work on the user-interface thread: a job calls Tick() at
// every natural step (an item, a record, a page), and pending events run whenever at least
// 100 ms of work went by since they last ran, even when no percentage grows. Jobs that also
// let events run at their own points (a progress update) call Ran() there, so the clock starts
// again.
#pragma once

#include <chrono>

#include "platform/Interaction.h"

namespace pagehold {

class EventPacer {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kInterval{100};

  explicit EventPacer(Interaction& interaction)
      : interaction_(interaction), lastRun_(Clock::now()) {}

  // Lets pending events run when the interval has passed. Returns whether they ran.
  bool Tick() {
    const Clock::time_point now = Clock::now();
    if (now - lastRun_ < kInterval)
      return false;
    interaction_.ProcessPendingEvents();
    lastRun_ = Clock::now();
    return true;
  }

  // Pending events just ran elsewhere in the job.
  void Ran() { lastRun_ = Clock::now(); }

 private:
  Interaction& interaction_;
  Clock::time_point lastRun_;
};

}  // namespace pagehold
