// Folder tests and creation, and file copies that replace their target.
#pragma once

#include <string>

#include "platform/Failure.h"

namespace pagehold {

// True when the path names an existing folder.
bool DirectoryExists(const std::string& path);

// Creates the folder and every missing parent. One trailing separator (either slash) is
// ignored; a root ("/", "C:", "C:\") or an existing folder needs nothing, and a relative name
// is created in the working folder. Throws std::runtime_error("Unable to create directory") for
// an empty path. A failure to create names the first folder that could not be made and why;
// callers that explain it in their own words test DirectoryExists afterwards.
[[nodiscard]] Status ForceFolder(const std::string& path);

// Copies source over target, replacing a target that exists. A failure names the file at fault
// (a missing source leaves no target).
[[nodiscard]] Status CopyOver(const std::string& source, const std::string& target);

}  // namespace pagehold
