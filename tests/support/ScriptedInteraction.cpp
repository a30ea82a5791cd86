#include "support/ScriptedInteraction.h"

namespace pagehold::testing {

MessageAnswer ScriptedInteraction::Ask(const Message& message) {
  messages.push_back(message);
  if (answers_.empty())
    return defaultAnswer_;
  const MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void ScriptedInteraction::ProcessPendingEvents() {
  ++eventRounds;
  if (cancelAfter_ >= 0 && eventRounds >= cancelAfter_)
    cancel_ = true;
}

}  // namespace pagehold::testing
