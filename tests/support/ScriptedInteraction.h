// An Interaction for tests: records every message, status and progress value, answers from a
// script of set answers, and can request cancel after a number of pending-event rounds.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Interaction.h"

namespace pagehold::testing {

class ScriptedInteraction : public Interaction {
 public:
  // Answers given in order; when the script runs out, the default answer is used.
  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  void SetDefaultAnswer(MessageAnswer answer) { defaultAnswer_ = answer; }
  // Cancel is requested once ProcessPendingEvents has run this many times (-1: never).
  void CancelAfterEvents(int rounds) { cancelAfter_ = rounds; }
  void RequestCancel() { cancel_ = true; }

  MessageAnswer Ask(const Message& message) override;
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void ShowProgress(int percent) override { progress.push_back(percent); }
  void ProcessPendingEvents() override;
  bool CancelRequested() const override { return cancel_; }

  std::vector<Message> messages;
  std::vector<std::string> statuses;
  std::vector<int> progress;
  int eventRounds = 0;

 private:
  std::deque<MessageAnswer> answers_;
  MessageAnswer defaultAnswer_ = MessageAnswer::Ok;
  int cancelAfter_ = -1;
  bool cancel_ = false;
};

}  // namespace pagehold::testing
