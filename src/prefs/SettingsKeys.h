// Sections and value names of the settings store, shared by both programs. Value names match
// without regard to letter case; these are the spellings written.
#pragma once

#include <string_view>

namespace pagehold::settings_keys {

// Navigator program only.
inline constexpr std::string_view kBrowserOptions = "Browser options";
inline constexpr std::string_view kFatPath = "FAT Path";  // string: the cache index file

inline constexpr std::string_view kExport = "Export to disk properties";
inline constexpr std::string_view kDefaultDirectory = "Default directory";        // folder
inline constexpr std::string_view kSecondaryDirectory = "export directory name";  // folder
inline constexpr std::string_view kExportDirectory = "Export directory";  // 0 default, 1 secondary
inline constexpr std::string_view kShowOriginalUrls = "Show original URLS";  // boolean, true
inline constexpr std::string_view kEmphasizeLinks = "Emphasize links";       // boolean, false
inline constexpr std::string_view kStrikeoutLinks = "Strikeout links";       // boolean, true
inline constexpr std::string_view kEmphasizeType = "Emphasize Type";         // EmphasisStyle
inline constexpr std::string_view kEmphasizeTag = "EmphasizeTag";            // custom opening tag
inline constexpr std::string_view kDeEmphasizeTag = "DeEmphasizeTag";        // custom closing tag
inline constexpr std::string_view kDetailedIndex = "Detailed index";         // boolean, true

inline constexpr std::string_view kSearch = "Search properties";
inline constexpr std::string_view kSearchDirectory = "Search directory";  // folder

inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kReindexDirectory = "Reindex directory";  // folder

}  // namespace pagehold::settings_keys
