// The registry file in REGEDIT4 text form: any text read, written back, and a value stored
// under a key path and name the input chooses.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "platform/RegistryText.h"

using namespace pagehold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string keyPath = input.ConsumeRandomLengthString(80);
  const std::string name = input.ConsumeRandomLengthString(40);
  const std::string value = input.ConsumeRandomLengthString(80);
  const std::string text = input.ConsumeRemainingBytesAsString();

  RegistryText registry = RegistryText::Parse(text);
  // Writing back is a fixed point: a file written once reads and writes as the same text.
  const std::string written = registry.Format();
  FUZZ_CHECK(RegistryText::Parse(written).Format() == written);

  // Refused only where no line could carry the key path or name, or no key is named (a line
  // end at the key path's end is trimmed away with the spaces, and does not refuse it).
  const bool lineEnd = (keyPath + name).find_first_of("\r\n") != std::string::npos;
  const bool noKey = keyPath.find_first_not_of(" \t\\") == std::string::npos;
  const bool stored = registry.Set(keyPath, name, value);
  FUZZ_CHECK(stored || lineEnd || noKey);
  if (!stored)
    return 0;
  // A stored value is found under the same key path and name, also after the file was
  // written and read again.
  FUZZ_CHECK(registry.Find(keyPath, name) == value);
  const RegistryText reread = RegistryText::Parse(registry.Format());
  FUZZ_CHECK(reread.Find(keyPath, name) == value);
  return 0;
}
