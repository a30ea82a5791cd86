// One running copy per program file name: the guard, the channel on which the running copy
// listens for a second copy's request, and the second copy's side of the hand-over.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <wx/ipc.h>

#include "gui/shell/InstanceHandOver.h"

class wxSingleInstanceChecker;

namespace pagehold {

class SingleInstance {
 public:
  // programPath: the program file (its name keys the guard and the channel). The guard's lock
  // and the channel lie in the user's runtime folder.
  explicit SingleInstance(const std::string& programPath);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another copy of the same program file holds the guard.
  bool AnotherCopyRuns() const;

  // The second copy's side: asks the running copy to come to the front. False when no running
  // copy answered (the second copy then simply ends).
  bool HandOver(const HandOverRequest& request) const;

  // The running copy's side: handles every request of a later copy, on the user-interface
  // thread. False when the channel could not be opened (the program then runs without it).
  bool Listen(std::function<void(const HandOverRequest&)> onRequest);

  const std::string& ChannelPath() const { return channelPath_; }

 private:
  std::string channelPath_;
  std::unique_ptr<wxSingleInstanceChecker> guard_;
  std::unique_ptr<wxServer> server_;
};

}  // namespace pagehold
