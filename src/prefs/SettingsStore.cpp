#include "prefs/SettingsStore.h"

#include <cstdint>

#include "cache/Text.h"

namespace pagehold {

namespace {

std::string SectionKey(std::string_view section) {
  std::string key(kSettingsKey);
  key += '\\';
  key += section;
  return key;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  c = LowerChar(c);
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<int> ParseStoredInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::string_view digits = text.substr(2);
    if (digits.size() > 8)
      return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
      const int digit = HexValue(c);
      if (digit < 0)
        return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
  }
  int value = 0;
  if (!ParseInt(text, value))
    return std::nullopt;
  return value;
}

int LowByte(int value) {
  return static_cast<int>(static_cast<std::uint32_t>(value) & 0xFF);
}

std::optional<std::string> SettingsStore::Read(std::string_view section,
                                               std::string_view name) const {
  return registry_.ReadString(RegistryRoot::CurrentUser, SectionKey(section), name);
}

std::string SettingsStore::ReadString(std::string_view section, std::string_view name,
                                      std::string_view defaultValue) const {
  std::optional<std::string> text = Read(section, name);
  return text ? std::move(*text) : std::string(defaultValue);
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view name,
                               int defaultValue) const {
  const std::optional<std::string> text = Read(section, name);
  if (!text)
    return defaultValue;
  return ParseStoredInteger(*text).value_or(defaultValue);
}

bool SettingsStore::ReadBool(std::string_view section, std::string_view name,
                             bool defaultValue) const {
  return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

bool SettingsStore::WriteString(std::string_view section, std::string_view name,
                                std::string_view value) {
  return registry_.WriteString(RegistryRoot::CurrentUser, SectionKey(section), name, value);
}

bool SettingsStore::WriteInteger(std::string_view section, std::string_view name, int value) {
  return WriteString(section, name, std::to_string(value));
}

bool SettingsStore::WriteBool(std::string_view section, std::string_view name, bool value) {
  return WriteString(section, name, value ? "1" : "0");
}

}  // namespace pagehold
