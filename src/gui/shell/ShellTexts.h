// The fixed texts of the application shell: the main window's title, labels and menus, its
// messages, the About box and the archive progress window. Texts are exact, byte for byte;
// line breaks inside messages are "\r\n" (the windows turn them into the toolkit's own).
#pragma once

#include <string>
#include <string_view>

namespace pagehold::shell_texts {

inline constexpr std::string_view kProgramTitle = "Pagehold";

// Main window: the line beside each picture button.
inline constexpr std::string_view kCacheExplorerLabel =
    "Cache Explorer: Keep a permanent record of your favorite sites and delete unwanted items "
    "from your browser's cache.";
inline constexpr std::string_view kDefaultIndexLabel =
    "Display default index: Show the index page for the items in your default archive folder.";
inline constexpr std::string_view kSearchLabel =
    "Search offline index: Locate specific items from your archive folders, searching by "
    "contents of URLs and pages.";
inline constexpr std::string_view kPropertiesLabel =
    "Change Pagehold properties: Set the archive folder locations and specify archive page "
    "appearance.";

// Main window messages.
inline constexpr std::string_view kInvalidNavigatorIndexMessage =
    "The path to the Netscape\r\nis invalid. Please locate\r\nit manually using the "
    "\r\nproperties screen.";
inline constexpr std::string_view kNoDefaultIndexMessage =
    "No default index exists.\r\n\r\nUse the Cache Explorer\r\nto create one.";
inline constexpr std::string_view kNoSecondaryIndexMessage =
    "No secondary index exists.\r\n\r\nUse the Cache Explorer\r\nto create one.";
inline constexpr std::string_view kHelpNotFoundMessage = "Help file not found";

// About box.
inline constexpr std::string_view kAboutCaption = "About Pagehold";
inline constexpr int kVersionMajor = 6;
inline constexpr int kVersionMinor = 1;
inline constexpr int kBuildNumber = 613;
inline constexpr std::string_view kCopyrightLine =
    "Copyright 1997-1999 Corvane Software. All rights reserved.";
inline constexpr std::string_view kVisitWebSiteButton = "Visit the Corvane Web Site";
inline constexpr std::string_view kMakerWebAddress = "http://www.corvane.example/";
inline constexpr std::string_view kOkButton = "&OK";

// "Version 6.1 (Build 613)": the version and the build number in decimal.
std::string VersionLine(int major, int minor, int build);
inline std::string VersionLine() {
  return VersionLine(kVersionMajor, kVersionMinor, kBuildNumber);
}

// Archive progress window.
inline constexpr std::string_view kArchivingCaption = "Archiving";
inline constexpr std::string_view kProgressLabel = "Progress";
inline constexpr std::string_view kCancelButton = "Cancel";
inline constexpr std::string_view kCloseButton = "Close";
inline constexpr std::string_view kRunFailuresLabel = "These items could not be archived:";
inline constexpr std::string_view kDeletionFailuresLabel = "These items could not be deleted:";
inline constexpr std::string_view kJobErrorLabel = "The work stopped on an error:";

// A percentage as the progress window shows it: "42%".
std::string PercentLabel(int percent);

}  // namespace pagehold::shell_texts
