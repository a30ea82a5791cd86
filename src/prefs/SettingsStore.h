// The settings store: key "Software\Corvane\Pagehold" of the current user's registry, one
// subkey per section, every value stored as text whatever its logical type.
//
// Encodings: booleans are written "0" or "1" and read as integers, any integer but 0 being
// true. Integers are written in decimal and read in decimal or, for a text of more than two
// characters starting "0x" or "0X", in hexadecimal. A value that is absent, or whose text does
// not parse, gives the default; a string that is present but empty stays empty.
//
// Reading never writes: a section is created only when a value is written into it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace pagehold {

inline constexpr std::string_view kSettingsKey = "Software\\Corvane\\Pagehold";

class SettingsStore {
 public:
  explicit SettingsStore(Registry& registry) : registry_(registry) {}

  // The stored text, or nothing when the value is absent.
  std::optional<std::string> Read(std::string_view section, std::string_view name) const;

  std::string ReadString(std::string_view section, std::string_view name,
                         std::string_view defaultValue) const;
  int ReadInteger(std::string_view section, std::string_view name, int defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view name, bool defaultValue) const;

  // Each returns false when the registry refused the value.
  bool WriteString(std::string_view section, std::string_view name, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view name, int value);
  bool WriteBool(std::string_view section, std::string_view name, bool value);

 private:
  Registry& registry_;
};

// A stored integer: whole decimal text in the 32-bit range, or "0x"/"0X" and a hexadecimal
// number of at most 32 bits (taken as the bits of the integer, so 0xFFFFFFFF is -1). Nothing
// otherwise.
std::optional<int> ParseStoredInteger(std::string_view text);

// The low 8 bits of a stored integer, for the settings used modulo 256.
int LowByte(int value);

}  // namespace pagehold
