// Folder tests and creation, file copies that replace their target, and whole-file reads.
#pragma once

#include <string>

namespace pagehold {

// True when the path names an existing folder.
bool DirectoryExists(const std::string& path);

// Creates the folder and every missing parent. One trailing separator (either slash) is
// ignored; a root ("/", "C:", "C:\") or an existing folder needs nothing, and a relative name
// is created in the working folder. Throws std::runtime_error("Unable to create directory") for
// an empty path; a failure to create is not reported here (callers check DirectoryExists
// afterwards and report in their own words).
void ForceFolder(const std::string& path);

// Copies source over target, replacing a target that exists. Returns false when the copy
// failed (a missing source leaves no target).
bool CopyOver(const std::string& source, const std::string& target);

// Reads the whole file into bytes. False when it cannot be opened as a file (missing, a
// folder); a read error keeps what was read before it.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace pagehold
