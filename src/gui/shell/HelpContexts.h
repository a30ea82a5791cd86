// The help contexts of the windows and where the help book answers each: a context number is a
// page of the book, and an anchor on it for the contexts of single controls.
//
// A window's help is the context of its focused control, or of the nearest enclosing control or
// window that has one; NearestHelpContext walks that chain without knowing the toolkit.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pagehold::help_contexts {

inline constexpr int kNone = 0;
inline constexpr int kContents = 1;  // the main window and the "Contents" command
inline constexpr int kCacheExplorer = 5;
inline constexpr int kNoFilesMessage = 11;  // "No files to archive." / "No files to delete."
inline constexpr int kProperties = 12;
inline constexpr int kCacheExplorerClose = 15;
inline constexpr int kAvailableDomains = 16;
inline constexpr int kFileAge = 17;
inline constexpr int kTextKind = 21;
inline constexpr int kMediaKind = 22;
inline constexpr int kOtherKind = 23;
inline constexpr int kFileCounts = 24;
inline constexpr int kArchiveProgress = 36;
inline constexpr int kSearch = 39;
inline constexpr int kArchiveButton = 40;
inline constexpr int kDeleteButton = 41;
inline constexpr int kPropertiesButton = 42;
inline constexpr int kChosenDomains = 43;

struct HelpTopic {
  int context;
  const char* page;  // file name in the help book, with "#anchor" for a control's topic
};

// Every context the windows use, each with its topic.
const std::vector<HelpTopic>& HelpTopics();

// The topic of a context; nothing for a context the book does not answer.
std::optional<std::string> HelpPageOf(int context);

// The help context for a control: its own, or that of the nearest enclosing control or window
// that has one (kNone when none has). parentOf gives the enclosing window (null at the top);
// contextOf gives a window's own context (kNone when it has none).
template <typename Window, typename ParentOf, typename ContextOf>
int NearestHelpContext(Window* window, ParentOf parentOf, ContextOf contextOf) {
  for (; window != nullptr; window = parentOf(window)) {
    const int context = contextOf(window);
    if (context != kNone)
      return context;
  }
  return kNone;
}

}  // namespace pagehold::help_contexts
