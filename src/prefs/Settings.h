// The settings' defaults and the meanings of their stored numbers, and the folder settings that
// the search and delete-from-archive windows remember.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "prefs/SettingsStore.h"

namespace pagehold {

// Default of every custom emphasis tag pair and of the link and index options.
inline constexpr std::string_view kDefaultCustomOpenTag = "FONT FACE=\"Arial\"";
inline constexpr std::string_view kDefaultCustomCloseTag = "/FONT";
inline constexpr bool kDefaultShowOriginalUrls = true;
inline constexpr bool kDefaultEmphasizeLinks = false;
inline constexpr bool kDefaultStrikeoutLinks = true;
inline constexpr bool kDefaultDetailedIndex = true;

// The "Emphasize Type" setting: the stored number, used modulo 256.
enum class EmphasisStyle { BoldFace = 0, Italicized = 1, LargerText = 2, Custom = 3 };

// The style of a stored number: its low 8 bits, any value but 0 to 3 counting as bold face.
EmphasisStyle EmphasisStyleFromStored(int stored);

// The opening and closing tags of a style, without angle brackets; the custom ones are used
// only for the custom style. Each is cut to 255 characters, as the pages have always had them.
std::pair<std::string, std::string> EmphasisTags(EmphasisStyle style, std::string_view customOpen,
                                                 std::string_view customClose);

// The "Export directory" setting: true when its low 8 bits are 1 (the secondary folder); any
// other value chooses the default folder.
bool SecondaryFolderChosen(int stored);

// The program folder followed by "ARCHIVE" and a separator.
std::string DefaultArchiveFolder(std::string_view programFolder);

// "Default directory", falling back to DefaultArchiveFolder.
std::string ReadDefaultDirectory(const SettingsStore& store, std::string_view programFolder);

// "Search directory" and "Reindex directory", each falling back to ReadDefaultDirectory.
std::string ReadSearchDirectory(const SettingsStore& store, std::string_view programFolder);
bool WriteSearchDirectory(SettingsStore& store, std::string_view folder);
std::string ReadReindexDirectory(const SettingsStore& store, std::string_view programFolder);
bool WriteReindexDirectory(SettingsStore& store, std::string_view folder);

}  // namespace pagehold
