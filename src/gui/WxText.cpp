#include "gui/WxText.h"

namespace pagehold {

wxString ToWx(std::string_view text) {
  const wxString utf8 = wxString::FromUTF8(text.data(), text.size());
  if (!utf8.empty() || text.empty())
    return utf8;
  return wxString(text.data(), wxConvISO8859_1, text.size());
}

std::string FromWx(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

wxString MessageToWx(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      continue;
    lines += text[i];
  }
  return ToWx(lines);
}

}  // namespace pagehold
