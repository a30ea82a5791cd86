// Texts between the program's byte strings and the toolkit's strings. The program keeps texts as
// bytes; the toolkit shows UTF-8 bytes as they are and any other byte as its Latin-1 character,
// so that no text ever shows up empty. Message line breaks ("\r\n") become the toolkit's "\n".
#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

namespace pagehold {

wxString ToWx(std::string_view text);
std::string FromWx(const wxString& text);

// A message text with its "\r\n" line breaks as the toolkit writes them.
wxString MessageToWx(std::string_view text);

}  // namespace pagehold
