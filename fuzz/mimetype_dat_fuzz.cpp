// MIMETYPE.DAT: its text read into rows, and the table built from it asked for every row and
// for one more type. The text is written to a folder of the run's own, where the table reads it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "archive/ArchiveFile.h"
#include "cache/MimeTable.h"
#include "platform/Files.h"
#include "platform/Paths.h"

using namespace pagehold;

namespace {

std::string RunFolder() {
  std::string folder = "/tmp/pagehold-mimetype-fuzz-XXXXXX";
  FUZZ_CHECK(mkdtemp(folder.data()) != nullptr);
  return folder + "/";
}

// A row's folder in an archive is one plain path component.
void CheckFolder(const TMimeTable& table, int row) {
  const std::string folder = table.MimeTypeFolder(row);
  FUZZ_CHECK(folder == "other" || IsSafePathComponent(folder));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = RunFolder();
  FuzzedDataProvider input(data, size);
  const std::string type = input.ConsumeRandomLengthString(300);
  const std::string text = input.ConsumeRemainingBytesAsString();

  const std::vector<std::string> rows = ParseMimeTypeDat(text);
  FUZZ_CHECK(rows.size() <= static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
  for (const std::string& row : rows)
    FUZZ_CHECK(row.size() <= 255 && row.find('\n') == std::string::npos);

  FUZZ_CHECK(WriteWholeFile(JoinPath(folder, "MIMETYPE.DAT"), text));
  TMimeTable table(folder);
  // Every row of the file is a row; only the first 255 are ever given out.
  FUZZ_CHECK(table.Size() == 72 + static_cast<int>(rows.size()));
  for (int row = 1; row <= table.Size(); ++row)
    CheckFolder(table, row);

  const int row = table.MimeIndexOf(type);
  FUZZ_CHECK(row >= 0 && row <= 255);
  CheckFolder(table, row);
  // A type is found again, by the row it got.
  if (row > 0)
    FUZZ_CHECK(table.MimeIndexOf(type) == row);
  return 0;
}
