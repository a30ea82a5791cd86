// The command line's Interaction: questions are answered by the --yes flag rather than by a
// person, and status and progress go to the error stream so that the output stays clean for
// scripts.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/Interaction.h"

namespace pagehold {

class TerminalInteraction : public Interaction {
 public:
  // assumeYes: answer every question with Yes (or OK). drawProgress: show progress as a bar that
  // redraws itself in place, which only makes sense when err is a terminal.
  TerminalInteraction(std::ostream& err, bool assumeYes, bool drawProgress);
  ~TerminalInteraction() override;

  // A message with only OK (and Help) is printed and answered OK. A question is answered Yes or
  // OK when --yes was given; otherwise its text is printed and it is refused (No or Cancel), and
  // Refused() turns true so that the command can end with status 1.
  MessageAnswer Ask(const Message& message) override;
  void ShowStatus(const std::string& text) override;
  void ShowProgress(int percent) override;
  void ProcessPendingEvents() override {}
  bool CancelRequested() const override { return false; }

  bool Refused() const { return refused_; }

 private:
  void EndProgressLine();
  void PrintText(const std::string& text);

  std::ostream& err_;
  bool assumeYes_;
  bool drawProgress_;
  bool refused_ = false;
  int shownPercent_ = -1;  // -1: no progress bar on the current line
};

// True when the stream is the process's standard error and that is a terminal.
bool IsTerminal(const std::ostream& stream);

}  // namespace pagehold
