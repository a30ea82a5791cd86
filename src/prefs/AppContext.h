// The process-wide values of one running program, created once and passed by reference: which
// product this is, the program folder, the MIME table and the current settings.
#pragma once

#include <string>

#include "cache/MimeTable.h"
#include "prefs/CurrentSettings.h"

namespace pagehold {

struct AppContext {
  AppContext(Product product, std::string programFolder)
      : product(product), programFolder(programFolder), mimeTable(programFolder) {}

  Product product;
  std::string programFolder;  // with a trailing separator
  TMimeTable mimeTable;
  CurrentSettings settings;
};

}  // namespace pagehold
