#include "platform/IndexDatExport.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "platform/UrlCacheTimes.h"

namespace pagehold::testing {

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// "Offset range\t\t: 24576 - 25088 (512)"
void ReadOffsetRange(const std::string& value, ExportedRecord& record) {
  unsigned long start = 0, end = 0, size = 0;
  if (std::sscanf(value.c_str(), "%lu - %lu (%lu)", &start, &end, &size) == 3) {
    record.offset = static_cast<std::uint32_t>(start);
    record.size = static_cast<std::uint32_t>(size);
  }
}

}  // namespace

bool MsiecfexportInstalled() {
  return std::system("command -v msiecfexport >/dev/null 2>&1") == 0;
}

std::optional<std::vector<ExportedRecord>> RunMsiecfexport(const std::string& path) {
  const std::string command = "msiecfexport -m items " + ShellQuoted(path) + " 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe)
    return std::nullopt;
  std::string output;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
    output.append(buffer, n);

  std::vector<ExportedRecord> records;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t colon = line.find("\t: ");
    if (colon == std::string::npos)
      continue;
    std::string name = line.substr(0, colon);
    while (!name.empty() && name.back() == '\t')
      name.pop_back();
    const std::string value = line.substr(colon + 3);
    if (name == "Record type") {
      records.push_back({value, 0, 0, {}});
    } else if (!records.empty()) {
      if (name == "Offset range")
        ReadOffsetRange(value, records.back());
      records.back().fields[name] = value;
    }
  }
  return records;
}

std::string ExportedFileTime(FileTime time, bool withFraction) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const CalendarTime c = CalendarFromFileTime(time);
  char text[64];
  std::snprintf(text, sizeof text, "%s %02d, %04d %02d:%02d:%02d", kMonths[c.month - 1], c.day,
                c.year, c.hour, c.minute, c.second);
  std::string result = text;
  if (withFraction) {
    std::snprintf(text, sizeof text, ".%07u00", static_cast<unsigned>(time % 10'000'000));
    result += text;
  }
  return result;
}

}  // namespace pagehold::testing
