#include "archive/IndexPagesDate.h"

#include <array>
#include <cctype>

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace pagehold {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::string TwoDigits(int value) {
  std::string text = std::to_string(value % 100);
  return text.size() < 2 ? "0" + text : text;
}

std::string MonthText(int month, std::size_t letters) {
  if (letters == 1)
    return std::to_string(month);
  if (letters == 2)
    return TwoDigits(month);
  const std::string name = month >= 1 && month <= 12 ? kMonthNames[month - 1] : "";
  return letters == 3 ? name.substr(0, 3) : name;
}

std::string DayText(int day, std::size_t letters) {
  return letters == 1 ? std::to_string(day) : TwoDigits(day);
}

std::string YearText(int year, std::size_t letters) {
  return letters == 2 ? TwoDigits(year) : std::to_string(year);
}

}  // namespace

std::string FormatShortDate(const DateParts& date, std::string_view pattern) {
  std::string text;
  std::size_t at = 0;
  while (at < pattern.size()) {
    const char c = pattern[at];
    if (c == '\'' || c == '"') {
      const std::size_t close = pattern.find(c, at + 1);
      const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
      text.append(pattern.substr(at + 1, end - at - 1));
      at = end == pattern.size() ? end : end + 1;
      continue;
    }
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t run = 1;
    while (at + run < pattern.size() &&
           std::tolower(static_cast<unsigned char>(pattern[at + run])) == letter)
      ++run;
    if (letter == 'd')
      text += DayText(date.day, run);
    else if (letter == 'm')
      text += MonthText(date.month, run);
    else if (letter == 'y')
      text += YearText(date.year, run);
    else
      text.append(pattern.substr(at, run));
    at += run;
  }
  return text;
}

std::string PatternFromCFormat(std::string_view format) {
  if (format.empty() || format == "%m/%d/%y")
    return kDefaultShortDatePattern;
  std::string pattern;
  for (std::size_t at = 0; at < format.size(); ++at) {
    const char c = format[at];
    if (c != '%') {
      if (std::isalpha(static_cast<unsigned char>(c)))
        return kDefaultShortDatePattern;  // would read as a pattern letter
      pattern += c;
      continue;
    }
    if (++at == format.size())
      return kDefaultShortDatePattern;
    switch (format[at]) {
      case 'd':
        pattern += "dd";
        break;
      case 'e':
        pattern += "d";
        break;
      case 'm':
        pattern += "mm";
        break;
      case 'y':
        pattern += "yy";
        break;
      case 'Y':
        pattern += "yyyy";
        break;
      default:
        return kDefaultShortDatePattern;
    }
  }
  return pattern;
}

std::string UserShortDatePattern() {
#ifdef _WIN32
  char buffer[80];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, length - 1) : std::string(kDefaultShortDatePattern);
#else
  // The environment's LC_TIME locale, without touching the process's global locale.
  const locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr))
    return kDefaultShortDatePattern;
  const std::string format = nl_langinfo_l(D_FMT, locale);
  freelocale(locale);
  return PatternFromCFormat(format);
#endif
}

std::string TodayShortDate() {
  return FormatShortDate(DecodeDate(Now()), UserShortDatePattern());
}

}  // namespace pagehold
