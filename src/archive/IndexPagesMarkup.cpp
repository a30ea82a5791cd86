#include "archive/IndexPagesMarkup.h"

namespace pagehold {

namespace {

void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    default:
      out += c;
  }
}

}  // namespace

std::string EscapeMarkup(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text)
    AppendEscaped(escaped, c);
  return escaped;
}

std::string MarkupUrl(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(url.size());
  for (const char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F) {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0F];
    } else {
      AppendEscaped(escaped, c);
    }
  }
  return escaped;
}

std::string ScriptStringText(std::string_view text) {
  std::string script;
  script.reserve(text.size());
  for (const char c : text) {
    if (c == '\\' || c == '\'')
      script += '\\';
    script += c;
  }
  return EscapeMarkup(script);
}

}  // namespace pagehold
