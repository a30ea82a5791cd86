#include "gui/widgets/FileDialogFilter.h"

namespace pagehold {

namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string FileDialogFilter(std::string_view description, std::string_view patterns,
                             PathStyle style) {
  std::string filter(description);
  filter += '|';
  if (style == PathStyle::Windows)
    return filter += patterns;
  for (const char c : patterns) {
    if (!IsLetter(c)) {
      filter += c;
      continue;
    }
    filter += '[';
    filter += static_cast<char>(c & ~0x20);  // upper case
    filter += static_cast<char>(c | 0x20);   // lower case
    filter += ']';
  }
  return filter;
}

}  // namespace pagehold
