#include "cli/TerminalInteraction.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace pagehold {

namespace {

constexpr int kBarWidth = 40;

bool IsQuestion(MessageButtons buttons) {
  return buttons != MessageButtons::Ok && buttons != MessageButtons::OkHelp;
}

MessageAnswer Agreement(MessageButtons buttons) {
  return buttons == MessageButtons::OkCancel ? MessageAnswer::Ok : MessageAnswer::Yes;
}

MessageAnswer Refusal(MessageButtons buttons) {
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

}  // namespace

TerminalInteraction::TerminalInteraction(std::ostream& err, bool assumeYes, bool drawProgress)
    : err_(err), assumeYes_(assumeYes), drawProgress_(drawProgress) {}

TerminalInteraction::~TerminalInteraction() {
  EndProgressLine();
}

MessageAnswer TerminalInteraction::Ask(const Message& message) {
  if (!IsQuestion(message.buttons)) {
    PrintText(message.text);
    return MessageAnswer::Ok;
  }
  if (assumeYes_)
    return Agreement(message.buttons);
  PrintText(message.text);
  err_ << "pagehold: not confirmed; run again with --yes to go ahead\n";
  refused_ = true;
  return Refusal(message.buttons);
}

void TerminalInteraction::ShowStatus(const std::string& text) {
  EndProgressLine();
  err_ << text << '\n';
}

void TerminalInteraction::ShowProgress(int percent) {
  if (!drawProgress_)
    return;
  percent = std::clamp(percent, 0, 100);
  if (percent == shownPercent_)
    return;
  const int filled = percent * kBarWidth / 100;
  err_ << '\r' << '[' << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] "
       << percent << '%' << std::flush;
  shownPercent_ = percent;
}

void TerminalInteraction::EndProgressLine() {
  if (shownPercent_ < 0)
    return;
  err_ << '\n';
  shownPercent_ = -1;
}

// Message texts break their lines with CR LF; the terminal wants LF alone.
void TerminalInteraction::PrintText(const std::string& text) {
  EndProgressLine();
  std::string shown;
  shown.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      continue;
    shown += text[i];
  }
  if (shown.empty() || shown.back() != '\n')
    shown += '\n';
  err_ << shown;
}

bool IsTerminal(const std::ostream& stream) {
  if (&stream != &std::cerr && &stream != &std::clog)
    return false;
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

}  // namespace pagehold
