// Making texts from cached pages safe to put into the index pages. Titles, names, excerpts and
// addresses come from pages anyone on the web wrote; put in unchanged, they could add markup
// and script to the archive's own index.
#pragma once

#include <string>
#include <string_view>

namespace pagehold {

// "<", ">" and the double quote as &lt; &gt; &quot;. "&" is left alone, so that character
// references in excerpts and titles still read as their authors meant.
std::string EscapeMarkup(std::string_view text);

// An address for an unquoted attribute value (HREF=...): escaped as above, and spaces and
// control characters, which would end the value, percent-encoded.
std::string MarkupUrl(std::string_view url);

// A text for a single-quoted script string inside a double-quoted attribute: backslash and the
// single quote are escaped for the script, then the text is escaped as above.
std::string ScriptStringText(std::string_view text);

}  // namespace pagehold
