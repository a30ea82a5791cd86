// A shell for tests: remembers every hand-over and answers each with a set result code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Shell.h"

namespace pagehold::testing {

class RecordingShell : public ShellLauncher {
 public:
  explicit RecordingShell(int answer = ShellResult::Done) : answer(answer) {}
  int Execute(const std::string& target, std::string_view verb) override {
    calls.push_back({target, std::string(verb)});
    return answer;
  }
  // The targets handed over, in order.
  std::vector<std::string> Targets() const {
    std::vector<std::string> targets;
    for (const Call& call : calls)
      targets.push_back(call.target);
    return targets;
  }

  struct Call {
    std::string target, verb;
  };
  std::vector<Call> calls;
  int answer;
};

}  // namespace pagehold::testing
