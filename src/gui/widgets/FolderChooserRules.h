// The folder chooser's rules that need no window: the shell folders it can be rooted at, what
// may be chosen, how a preset folder is handed to the browser, and how a status line is
// shortened to the width of its field.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pagehold {

// The shell folder at the top of the browser's tree, by the system's folder number.
enum TRootID : int {
  idDesktop = 0,
  idDesktopExpanded = 1,
  idPrograms = 2,
  idControlPanel = 3,
  idPrinters = 4,
  idPersonal = 5,
  idFavorites = 6,
  idStartup = 7,
  idRecent = 8,
  idSendTo = 9,
  idRecycleBin = 10,
  idStartMenu = 11,
  idDesktopDirectory = 16,
  idDrives = 17,
  idNetwork = 18,
  idNetHood = 19,
  idFonts = 20,
  idTemplates = 21,
};

// What may be chosen, by the browser's own flag bits.
enum TBrowseFlag : unsigned {
  bfDirectoriesOnly = 0x0001,  // only file-system folders
  bfDomainOnly = 0x0002,
  bfAncestors = 0x0008,
  bfComputers = 0x1000,
  bfPrinters = 0x2000,
};
using TBrowseFlags = unsigned;  // a set of TBrowseFlag

// The flags the browser is given: the options, and the status line when there is a status text.
unsigned BrowserFlags(TBrowseFlags options, bool hasStatusText);

// Paths written for Windows (drive letters, backslashes) or for POSIX systems (slashes).
enum class PathStyle { Windows, Posix };
#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// A folder as the browser wants it to select it: a path loses one final separator, except that
// a root keeps its own ("C:\", "/") and a bare drive gets one ("C:" becomes "C:\").
std::string BrowserPath(std::string_view path, PathStyle style);

// The origin that centres a window on the screen along one axis, halves rounded toward zero.
inline int CentredOrigin(int screenSize, int windowSize) {
  return (screenSize - windowSize) / 2;
}

// The width of a text in the status line's font, in the units of the room.
using TextWidth = std::function<int(std::string_view)>;

// The status text shortened to fit room. A text that names an existing folder is shortened as a
// path: the folders after the drive give way to "...", one at a time from the first, then the
// drive goes, then the folder part, leaving the last name. Any other text loses characters from
// its end, with "..." after what is left, until it fits or nothing is left.
std::string FitStatusText(std::string_view text, int room, const TextWidth& width, bool namesFolder,
                          PathStyle style);

}  // namespace pagehold
