#include "gui/shell/ShellTexts.h"

namespace pagehold::shell_texts {

std::string VersionLine(int major, int minor, int build) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + " (" + "Build " +
         std::to_string(build) + ")";
}

std::string PercentLabel(int percent) {
  return std::to_string(percent) + "%";
}

}  // namespace pagehold::shell_texts
