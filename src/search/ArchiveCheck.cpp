#include "search/ArchiveCheck.h"

#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "cache/MimeTable.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace pagehold {

namespace fs = std::filesystem;

namespace {

// The folder's sub-folders, by name (symbolic links are not followed out of the archive).
std::vector<std::string> SubFolders(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->symlink_status(error).type() == fs::file_type::directory)
      names.push_back(it->path().filename().string());
  }
  return names;
}

// Every file (or link) in domain / type folder / that recorded is without.
void CollectOrphans(const std::string& folder, const std::unordered_set<std::string>& recorded,
                    std::vector<std::string>& orphans) {
  for (const std::string& domain : SubFolders(folder)) {
    if (domain == "images")
      continue;
    const std::string domainFolder = JoinPath(folder, domain);
    for (const std::string& type : SubFolders(domainFolder)) {
      std::error_code error;
      for (fs::directory_iterator it(JoinPath(domainFolder, type), error), end; !error && it != end;
           it.increment(error)) {
        if (it->symlink_status(error).type() == fs::file_type::directory)
          continue;
        const auto path = ArchivedFilePath(folder, domain, type, it->path().filename().string());
        if (path && recorded.count(*path) == 0)
          orphans.push_back(*path);
      }
    }
  }
}

}  // namespace

Result<ArchiveCheck> CheckArchive(const std::string& archiveFolder, const TMimeTable& mimeTable) {
  const std::string folder = WithTrailingSeparator(archiveFolder);
  Result<ArchiveFileReading> reading = ReadArchiveFile(folder);
  if (!reading)
    return reading.failure();
  ArchiveCheck check;
  check.state = reading->state;
  std::unordered_set<std::string> recorded;
  for (const auto& record : reading->records.Items()) {
    const auto path = ArchivedFilePath(
        folder, record->Domain, mimeTable.MimeTypeFolder(record->MimeIndex), record->FileName);
    if (path && FileExists(*path)) {
      recorded.insert(*path);
    } else {
      check.missingFiles.push_back(path.value_or(record->FileName));
      check.missingUrls.push_back(record->Url);
    }
  }
  CollectOrphans(folder, recorded, check.orphanFiles);
  return check;
}

std::vector<Failure> RemoveOrphans(const ArchiveCheck& check) {
  std::vector<Failure> failures;
  for (const std::string& path : check.orphanFiles) {
    if (Status removed = RemoveFile(path); !removed)
      failures.push_back(removed.failure());
  }
  return failures;
}

}  // namespace pagehold
