// The filter of a file-open dialog: "description|pattern;pattern". Windows matches file names
// without regard to letter case; the toolkit's dialogs elsewhere match patterns as written, so
// there every letter of a pattern matches either case ("FAT" becomes "[Ff][Aa][Tt]").
#pragma once

#include <string>
#include <string_view>

#include "gui/widgets/FolderChooserRules.h"

namespace pagehold {

std::string FileDialogFilter(std::string_view description, std::string_view patterns,
                             PathStyle style);

}  // namespace pagehold
