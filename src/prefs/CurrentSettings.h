// The settings every archive run, index build and cache reading consults, derived from the
// stored settings when the program starts and whenever the Properties window closes.
#pragma once

#include <string>

namespace pagehold {

enum class Product { Navigator, InternetExplorer };

struct CurrentSettings {
  std::string CurrentArchiveFolder;  // at most 255 characters
  std::string NavigatorIndexPath;    // Navigator only; at most 255 characters
  std::string EmphasisOpenTag = "B";
  std::string EmphasisCloseTag = "/B";
  bool DetailedIndexFlag = true;
  // The three link options.
  bool ShowOriginalUrls = true;
  bool EmphasizeLinks = false;
  bool StrikeoutLinks = true;
};

}  // namespace pagehold
