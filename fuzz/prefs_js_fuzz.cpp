// A Navigator profile's prefs.js: the line reader over the whole text, and the preference
// lookup that finds the cache folder.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/Registry.h"
#include "sources/NavigatorLocation.h"

using namespace pagehold;

namespace {

// The text is handed over directly, so the registry that names the profile folder stays empty.
class NoRegistry : public Registry {
 public:
  std::optional<std::string> ReadString(RegistryRoot, std::string_view,
                                        std::string_view) const override {
    return std::nullopt;
  }
  bool WriteString(RegistryRoot, std::string_view, std::string_view, std::string_view) override {
    return false;
  }
};

void CheckLookup(TNavigator4& prefs, const std::string& text, std::string_view name) {
  std::string value;
  if (!prefs.FindPref(name, value))
    return;
  // The value is part of one line, and lines never hold a line end.
  std::string lineText = text;
  std::erase_if(lineText, [](char c) { return c == '\r' || c == '\n'; });
  FUZZ_CHECK(!value.empty() && lineText.find(value) != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string name = input.ConsumeRandomLengthString(40);
  const std::string text = input.ConsumeRemainingBytesAsString();

  const NoRegistry registry;
  TNavigator4 prefs(registry);
  prefs.UsePrefsText(text);
  std::string line;
  std::size_t characters = 0;
  std::size_t lines = 0;
  while (!prefs.ReadPrefsLine(line)) {
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    characters += line.size();
    FUZZ_CHECK(++lines <= text.size());
  }
  FUZZ_CHECK(characters <= text.size());

  CheckLookup(prefs, text, "browser.cache.directory");
  CheckLookup(prefs, text, name);
  return 0;
}
