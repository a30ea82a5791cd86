// The texts the search and delete-from-archive actions show. All of them are information
// messages with an OK button.
#pragma once

#include <string>
#include <string_view>

#include "platform/Interaction.h"

namespace pagehold {

inline constexpr std::string_view kEnterSearchTextMessage = "Enter some search text.";
inline constexpr std::string_view kFolderNotFoundMessage = "Couldn't find folder\r\n\r\n";
inline constexpr std::string_view kNoArchiveInfoMessage =
    "Couldn't find an archive info file\r\n(archive.dat) in this folder.";
inline constexpr std::string_view kNoFilesFoundMessage = "No files found.";

inline constexpr std::string_view kArchiveInfoFileName = "archive.dat";
inline constexpr std::string_view kIndexPageName = "1st_page.htm";

// Shows text as an information message with an OK button.
inline void Inform(Interaction& ui, std::string_view text) {
  Message message;
  message.text = std::string(text);
  message.caption = "Pagehold";
  message.icon = MessageIcon::Information;
  message.buttons = MessageButtons::Ok;
  ui.Ask(message);
}

// The message on one line, for a terminal: each run of line breaks becomes one space.
inline std::string OneLineMessage(std::string_view text) {
  std::string line;
  bool inBreak = false;
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      inBreak = true;
      continue;
    }
    if (inBreak && !line.empty())
      line += ' ';
    inBreak = false;
    line += c;
  }
  return line;
}

}  // namespace pagehold
