// An interaction that answers every question with OK and shows nothing, for benchmarks, which
// must measure the work and not a terminal.
#pragma once

#include <string>

#include "platform/Interaction.h"

namespace pagehold::bench {

class SilentInteraction : public Interaction {
 public:
  MessageAnswer Ask(const Message&) override { return MessageAnswer::Ok; }
  void ShowStatus(const std::string&) override {}
  void ShowProgress(int) override {}
  void ProcessPendingEvents() override {}
  bool CancelRequested() const override { return false; }
};

}  // namespace pagehold::bench
