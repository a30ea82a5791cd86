#include "platform/RegistryText.h"

#include <algorithm>

namespace pagehold {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kLineEnd = "\r\n";

// The registry compares names by the letters A-Z only; other bytes belong to a code page.
char FoldCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldCase(x) == FoldCase(y);
         });
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && IsSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && (IsSpace(text.back()) || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

bool IsBlank(const std::vector<std::string>& lines) {
  return std::all_of(lines.begin(), lines.end(),
                     [](const std::string& line) { return TrimSpaces(line).empty(); });
}

bool HoldsLineEnd(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// A key path as compared and stored: without leading spaces, and without any mix of spaces and
// backslashes at its end ("General \\" and "General" are one key). Cutting both in one pass
// makes the result a fixed point: normalising it again changes nothing.
std::string_view NormalKeyPath(std::string_view path) {
  path = TrimSpaces(path);
  while (!path.empty() && (path.back() == '\\' || IsSpace(path.back())))
    path.remove_suffix(1);
  return path;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
      end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

// Reads a quoted text starting at the opening quote at pos. On success pos is just past the
// closing quote. \\ and \" stand for a backslash and a quote; any other backslash is taken as
// it stands, so hand-written paths with single backslashes keep them.
std::optional<std::string> ReadQuoted(std::string_view line, size_t& pos) {
  std::string text;
  size_t i = pos + 1;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '"') {
      pos = i + 1;
      return text;
    }
    if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
      text += line[i + 1];
      i += 2;
      continue;
    }
    text += c;
    ++i;
  }
  return std::nullopt;  // no closing quote: a damaged or half-written line
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  c = FoldCase(c);
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

// The text of hex(1) data: comma-separated two-digit bytes, possibly continued over lines that
// end in a backslash, closed by a zero byte that is not part of the text.
std::optional<std::string> DecodeHexString(std::string_view data) {
  std::string bytes;
  int digits = 0;
  int value = 0;
  for (const char c : data) {
    if (c == '\\' || c == '\r' || c == '\n' || IsSpace(c))
      continue;
    if (c == ',') {
      if (digits == 0)
        return std::nullopt;
      bytes += static_cast<char>(value);
      digits = value = 0;
      continue;
    }
    const int digit = HexDigit(c);
    if (digit < 0 || digits == 2)
      return std::nullopt;
    value = value * 16 + digit;
    ++digits;
  }
  if (digits > 0)
    bytes += static_cast<char>(value);
  if (!bytes.empty() && bytes.back() == '\0')
    bytes.pop_back();
  return bytes;
}

bool StartsWithName(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

// The data of a typed value (dword:, hex:, hex(n):), after its colon; nothing when the text is
// not one.
std::optional<std::string_view> TypedData(std::string_view rest) {
  if (StartsWithName(rest, "dword:"))
    return rest.substr(6);
  if (StartsWithName(rest, "hex:"))
    return rest.substr(4);
  if (StartsWithName(rest, "hex(")) {
    const size_t close = rest.find("):");
    if (close != std::string_view::npos)
      return rest.substr(close + 2);
  }
  return std::nullopt;
}

std::string Escaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 2);
  for (const char c : text) {
    if (c == '\\' || c == '"')
      escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string HexBytes(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
    hex += ',';
  }
  return hex + "00";
}

}  // namespace

std::string FormatRegistryValueLine(std::string_view name, std::string_view value) {
  std::string line = name.empty() ? std::string("@") : "\"" + Escaped(name) + "\"";
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
    return line + "=hex(1):" + HexBytes(value);
  return line + "=\"" + Escaped(value) + "\"";
}

RegistryText RegistryText::Parse(std::string_view text) {
  RegistryText parsed;
  const std::vector<std::string> lines = SplitLines(text);
  bool seenContent = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    Entry entry;
    entry.lines.push_back(lines[i]);
    const std::string_view trimmed = TrimSpaces(lines[i]);
    if (!seenContent && SameName(trimmed, kHeader)) {
      entry.kind = Kind::Header;
    } else if (!trimmed.empty() && trimmed.front() == '[') {
      // A key line cut before its closing bracket names no key: the values below it then
      // belong to no key rather than to the key above.
      entry.kind = Kind::Key;
      const size_t close = trimmed.rfind(']');
      if (close != std::string_view::npos)
        entry.key = NormalKeyPath(trimmed.substr(1, close - 1));
    } else if (!trimmed.empty() && (trimmed.front() == '"' || trimmed.front() == '@')) {
      size_t pos = 0;
      std::optional<std::string> name;
      if (trimmed.front() == '@') {
        name = std::string();
        pos = 1;
      } else {
        name = ReadQuoted(trimmed, pos);
      }
      std::string_view rest;
      if (name) {
        rest = trimmed.substr(pos);
        rest = TrimSpaces(rest);
        if (!rest.empty() && rest.front() == '=')
          rest = TrimSpaces(rest.substr(1));
        else
          name.reset();
      }
      if (name && !rest.empty() && rest.front() == '"') {
        size_t end = 0;
        std::optional<std::string> value = ReadQuoted(rest, end);
        if (value && TrimSpaces(rest.substr(end)).empty()) {
          entry.kind = Kind::Value;
          entry.name = *name;
          entry.text = std::move(value);
        }
      } else if (name) {
        if (const std::optional<std::string_view> data = TypedData(rest)) {
          entry.kind = Kind::Value;
          entry.name = *name;
          std::string joined(*data);
          // Continuation lines of long data are indented; an unindented line is never taken,
          // so a damaged value cannot swallow the lines after it.
          while (!TrimSpaces(entry.lines.back()).empty() &&
                 TrimSpaces(entry.lines.back()).back() == '\\' && i + 1 < lines.size() &&
                 !lines[i + 1].empty() && IsSpace(lines[i + 1].front())) {
            entry.lines.push_back(lines[++i]);
            joined += lines[i];
          }
          if (StartsWithName(rest, "hex(1):"))
            entry.text = DecodeHexString(joined);
        }
      }
    }
    if (!trimmed.empty())
      seenContent = true;
    parsed.entries_.push_back(std::move(entry));
  }
  return parsed;
}

std::string RegistryText::Format() const {
  std::string text;
  const bool hasHeader = std::any_of(entries_.begin(), entries_.end(),
                                     [](const Entry& entry) { return entry.kind == Kind::Header; });
  if (!hasHeader) {
    text += kHeader;
    text += kLineEnd;
    text += kLineEnd;
  }
  for (const Entry& entry : entries_) {
    for (const std::string& line : entry.lines) {
      text += line;
      text += kLineEnd;
    }
  }
  return text;
}

size_t RegistryText::FindValueEntry(std::string_view keyPath, std::string_view name) const {
  size_t found = entries_.size();
  bool inKey = false;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    if (entry.kind == Kind::Key)
      inKey = !entry.key.empty() && SameName(entry.key, keyPath);
    else if (entry.kind == Kind::Value && inKey && SameName(entry.name, name))
      found = i;
  }
  return found;
}

std::optional<std::string> RegistryText::Find(std::string_view keyPath,
                                              std::string_view name) const {
  const size_t index = FindValueEntry(NormalKeyPath(keyPath), name);
  if (index == entries_.size())
    return std::nullopt;
  return entries_[index].text;
}

// Just after the last line that is not blank in the key's last section; npos when the file
// has no such key.
size_t RegistryText::InsertionPointInKey(std::string_view keyPath) const {
  size_t section = std::string::npos;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].kind == Kind::Key && !entries_[i].key.empty() &&
        SameName(entries_[i].key, keyPath))
      section = i;
  }
  if (section == std::string::npos)
    return section;
  size_t insertAt = section + 1;
  for (size_t i = section + 1; i < entries_.size() && entries_[i].kind != Kind::Key; ++i) {
    if (!IsBlank(entries_[i].lines))
      insertAt = i + 1;
  }
  return insertAt;
}

bool RegistryText::Set(std::string_view keyPath, std::string_view name, std::string_view value) {
  keyPath = NormalKeyPath(keyPath);
  if (keyPath.empty() || HoldsLineEnd(keyPath) || HoldsLineEnd(name))
    return false;
  Entry entry;
  entry.kind = Kind::Value;
  entry.name = std::string(name);
  entry.text = std::string(value);
  const size_t existing = FindValueEntry(keyPath, name);
  if (existing != entries_.size()) {
    entry.name = entries_[existing].name;  // the registry keeps a value's first spelling
    entry.lines = {FormatRegistryValueLine(entry.name, value)};
    entries_[existing] = std::move(entry);
    return true;
  }
  entry.lines = {FormatRegistryValueLine(name, value)};
  const size_t insertAt = InsertionPointInKey(keyPath);
  if (insertAt != std::string::npos) {
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
    return true;
  }
  if (!entries_.empty() && !IsBlank(entries_.back().lines))
    entries_.push_back(Entry{Kind::Other, {""}, {}, {}, {}});
  Entry key;
  key.kind = Kind::Key;
  key.key = std::string(keyPath);
  key.lines = {"[" + key.key + "]"};
  entries_.push_back(std::move(key));
  entries_.push_back(std::move(entry));
  return true;
}

}  // namespace pagehold
