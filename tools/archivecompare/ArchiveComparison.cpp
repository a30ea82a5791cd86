#include "archivecompare/ArchiveComparison.h"

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>

#include "archive/ArchiveFileReader.h"
#include "platform/Files.h"

namespace pagehold::testgen {

namespace fs = std::filesystem;

namespace {

constexpr char kInfoFile[] = "archive.dat";

// The files under folder, relative to it, with "/" between the names.
std::set<std::string> FilesUnder(const std::string& folder) {
  std::set<std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files.insert(fs::relative(entry.path(), folder).generic_string());
  return files;
}

bool IsPage(const std::string& file) {
  const std::string extension = fs::path(file).extension().string();
  return extension == ".htm" || extension == ".html";
}

// Every stored field of every record but the date.
void CompareRecords(const std::string& first, const std::string& second,
                    std::vector<std::string>& differences) {
  const Result<ArchiveFileReading> firstReading = ReadArchiveFile(first);
  const Result<ArchiveFileReading> secondReading = ReadArchiveFile(second);
  for (const Result<ArchiveFileReading>* reading : {&firstReading, &secondReading}) {
    if (!*reading)
      differences.push_back((*reading).failure().Describe());
    else if ((*reading)->state.Damaged())
      differences.push_back(std::string(kInfoFile) + " " + (*reading)->state.Describe());
  }
  if (!firstReading || !secondReading)
    return;
  const ArchiveList& a = firstReading->records;
  const ArchiveList& b = secondReading->records;
  if (a.Size() != b.Size())
    differences.push_back(std::string(kInfoFile) + ": " + std::to_string(a.Size()) + " against " +
                          std::to_string(b.Size()) + " records");
  for (std::size_t i = 0; i < std::min(a.Size(), b.Size()); ++i) {
    const TCacheItem& x = a[i];
    const TCacheItem& y = b[i];
    if (x.MimeIndex != y.MimeIndex || x.ContentKind != y.ContentKind || x.Url != y.Url ||
        x.Title != y.Title || x.FileName != y.FileName)
      differences.push_back(std::string(kInfoFile) + " record " + std::to_string(i) + ": " + x.Url +
                            " against " + y.Url);
  }
}

std::string Bytes(const std::string& folder, const std::string& file) {
  Result<std::string> bytes = ReadWholeFile((fs::path(folder) / file).string());
  return bytes ? std::move(*bytes) : "unreadable: " + bytes.failure().Describe();
}

}  // namespace

std::string WithoutDatesAndSeparators(const std::string& page) {
  static const std::regex kDate("[0-9]{1,4}([/.-])[0-9]{1,2}\\1[0-9]{1,4}");
  std::string text = std::regex_replace(page, kDate, "DATE");
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

std::vector<std::string> CompareArchiveFolders(const std::string& first,
                                               const std::string& second) {
  std::vector<std::string> differences;
  const std::set<std::string> firstFiles = FilesUnder(first);
  const std::set<std::string> secondFiles = FilesUnder(second);
  for (const std::string& file : firstFiles)
    if (!secondFiles.contains(file))
      differences.push_back("only in " + first + ": " + file);
  for (const std::string& file : secondFiles)
    if (!firstFiles.contains(file))
      differences.push_back("only in " + second + ": " + file);
  for (const std::string& file : firstFiles) {
    if (!secondFiles.contains(file))
      continue;
    if (file == kInfoFile) {
      CompareRecords(first, second, differences);
      continue;
    }
    const std::string a = Bytes(first, file);
    const std::string b = Bytes(second, file);
    if (a != b && (!IsPage(file) || WithoutDatesAndSeparators(a) != WithoutDatesAndSeparators(b)))
      differences.push_back(file + " differs");
  }
  return differences;
}

}  // namespace pagehold::testgen
