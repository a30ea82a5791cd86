// Whether an archive folder is sound: archive.dat whole, every record with its archived file,
// and every archived file named by a record. Files that no record names are what an interrupted
// run leaves behind; a later run would save the same items again beside them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "archive/ArchiveFileReader.h"
#include "platform/Failure.h"

namespace pagehold {

class TMimeTable;

struct ArchiveCheck {
  ArchiveFileState state;                 // complete, or where it is damaged
  std::vector<std::string> missingFiles;  // files that readable records name but that are gone
  std::vector<std::string> missingUrls;   // the Url of each of those records
  std::vector<std::string> orphanFiles;   // files in the type folders that no record names

  bool Sound() const { return !state.Damaged() && missingFiles.empty() && orphanFiles.empty(); }
};

// Checks the archive folder, which holds archive.dat. Archived files are looked for as domain
// folder / type folder / file (the "images" folder holds the index pictures, and the pages
// beside the type folders are index pages). An unreadable archive.dat is a failure.
[[nodiscard]] Result<ArchiveCheck> CheckArchive(const std::string& archiveFolder,
                                                const TMimeTable& mimeTable);

// Removes the orphan files of a check, each one that can be removed; gives the failures. Only
// for a check of a complete archive.dat: records that cannot be read may name such files.
std::vector<Failure> RemoveOrphans(const ArchiveCheck& check);

}  // namespace pagehold
