#include "prefs/SettingsStore.h"

#include <charconv>
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

}  // namespace

std::optional<int> ParseStoredInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::string_view digits = text.substr(2);
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size())
      return std::nullopt;
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
