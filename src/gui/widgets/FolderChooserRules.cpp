#include "gui/widgets/FolderChooserRules.h"

namespace pagehold {

namespace {

constexpr unsigned kStatusTextFlag = 0x0004;
constexpr std::string_view kEllipsis = "...";

char SeparatorOf(PathStyle style) {
  return style == PathStyle::Windows ? '\\' : '/';
}

bool IsDrive(std::string_view path, PathStyle style) {
  return style == PathStyle::Windows && path.size() >= 2 && path[1] == ':';
}

// "\a\b\c\" becomes "\...\b\c\", then "\...\c\", then "\...\"; "...\" and a lone separator
// become empty.
std::string CutFirstFolder(std::string_view folders, char separator) {
  const bool rooted = !folders.empty() && folders.front() == separator;
  if (rooted)
    folders.remove_prefix(1);
  const std::string shortened = std::string(kEllipsis) + separator;
  if (folders.substr(0, shortened.size()) == shortened)
    folders.remove_prefix(shortened.size());
  const size_t next = folders.find(separator);
  std::string cut = next == std::string_view::npos ? std::string() : shortened;
  if (next != std::string_view::npos)
    cut += folders.substr(next + 1);
  if (rooted && !cut.empty())
    cut.insert(cut.begin(), separator);
  return cut;
}

std::string FitPath(std::string_view path, int room, const TextWidth& width, PathStyle style) {
  const char separator = SeparatorOf(style);
  // The last name of a folder written with its final separator keeps that separator.
  const size_t searchEnd =
      path.size() > 1 && path.back() == separator ? path.size() - 2 : std::string_view::npos;
  const size_t last = path.rfind(separator, searchEnd);
  std::string folders(last == std::string_view::npos ? "" : path.substr(0, last + 1));
  const std::string name(last == std::string_view::npos ? path : path.substr(last + 1));
  std::string drive;
  if (IsDrive(folders, style)) {
    drive = folders.substr(0, 2);
    folders.erase(0, 2);
  }
  const std::string rootEllipsis = separator + std::string(kEllipsis) + separator;
  std::string fitted = drive + folders + name;
  while ((!folders.empty() || !drive.empty()) && width(fitted) > room) {
    if (folders == rootEllipsis) {
      drive.clear();
      folders = std::string(kEllipsis) + separator;
    } else if (folders.empty()) {
      drive.clear();
    } else {
      folders = CutFirstFolder(folders, separator);
    }
    fitted = drive + folders + name;
  }
  return fitted;
}

}  // namespace

unsigned BrowserFlags(TBrowseFlags options, bool hasStatusText) {
  return options | (hasStatusText ? kStatusTextFlag : 0);
}

std::string BrowserPath(std::string_view path, PathStyle style) {
  const char separator = SeparatorOf(style);
  std::string result(path);
  if (IsDrive(result, style) && result.size() <= 3) {
    if (result.size() == 2)
      result += separator;
    return result;
  }
  if (result.size() > 1 && result.back() == separator)
    result.pop_back();
  return result;
}

std::string FitStatusText(std::string_view text, int room, const TextWidth& width, bool namesFolder,
                          PathStyle style) {
  if (namesFolder)
    return FitPath(text, room, width, style);
  std::string kept(text);
  std::string fitted(text);
  while (!kept.empty() && width(fitted) > room) {
    kept.pop_back();
    fitted = kept + std::string(kEllipsis);
  }
  return fitted;
}

}  // namespace pagehold
