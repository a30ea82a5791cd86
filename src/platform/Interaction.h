// The seam between core work and the person at the screen. Core code never shows a message box
// or moves a progress bar itself: it is handed an Interaction. The GUI answers with dialogs, the
// command line with flags and a progress bar on stderr, tests with a script.
#pragma once

#include <string>

namespace pagehold {

enum class MessageIcon { Information, Warning, Error, Confirmation };

enum class MessageButtons { Ok, OkHelp, OkCancel, YesNo, YesNoCancel };

enum class MessageAnswer { Ok, Cancel, Yes, No };

struct Message {
  std::string text;  // exact text, line breaks as "\r\n"
  std::string caption;
  MessageIcon icon = MessageIcon::Information;
  MessageButtons buttons = MessageButtons::Ok;
  int helpContext = 0;  // 0: no help topic
};

class Interaction {
 public:
  virtual ~Interaction() = default;

  // Shows a message and waits for the answer.
  virtual MessageAnswer Ask(const Message& message) = 0;

  // The status line of a long job ("Archiving files...").
  virtual void ShowStatus(const std::string& text) = 0;

  // The progress of a long job, 0 to 100.
  virtual void ShowProgress(int percent) = 0;

  // Lets pending window events run; this is where a press on Cancel or Stop is seen.
  virtual void ProcessPendingEvents() = 0;

  // True once the person asked the running job to stop.
  virtual bool CancelRequested() const = 0;
};

}  // namespace pagehold
