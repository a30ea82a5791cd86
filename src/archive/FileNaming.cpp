#include "archive/FileNaming.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "cache/Url.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// Extension of each built-in MIME table row, in table order (row n is entry n - 1). Types that
// share a picture or sound format share its extension; the generic binary types get "exe".
constexpr std::array<std::string_view, 72> kExtensionTable = {
    "htm", "gif", "jpg", "txt", "rtf", "xbm", "xbm", "jpg", "tif", "ief",  // 1-10
    "xwd", "bmp", "xbm", "xpm", "rgb", "xpm", "xgm", "xbm", "xam", "cmu",  // 11-20
    "sgi", "avi", "mov", "mpg", "avi", "wav", "wav", "aif", "mid", "ra",   // 21-30
    "aif", "au",  "doc", "tro", "sh",  "ltx", "csh", "rtf", "ps",  "exe",  // 31-40
    "stf", "bhx", "fra", "zip", "nsp", "js",  "tar", "gtr", "gz",  "cmp",  // 41-50
    "moc", "tcl", "cpi", "shr", "txi", "tex", "dvi", "exe", "msd", "zip",  // 51-60
    "ukn", "wrl", "mid", "mid", "fif", "png", "pdf", "cgi", "cla", "cis",  // 61-70
    "tvm", "exe",                                                          // 71-72
};

constexpr std::string_view kPageName = "page.htm";

// Characters a name derived from a URL keeps: "!", "#", "$", "(", ")", ".", the digits, "@",
// the letters, "_", "{", "}" and "~". Everything else (spaces, controls, bytes above 127, and
// every character with a meaning in paths, URLs or markup) is dropped.
bool IsNameCharacter(char c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
    return true;
  switch (c) {
    case '!':
    case '#':
    case '$':
    case '(':
    case ')':
    case '.':
    case '@':
    case '_':
    case '{':
    case '}':
    case '~':
      return true;
    default:
      return false;
  }
}

// Characters no file name on Windows may hold; a cached copy's name loses them.
bool IsForbiddenInFileName(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code < 32 || code == 127 || c == '"' || c == '*' || c == '/' || c == ':' || c == '<' ||
         c == '>' || c == '?' || c == '\\' || c == '|';
}

bool IsOnlyDots(std::string_view name) {
  return name.find_first_not_of('.') == std::string_view::npos;
}

void CutToMaxLength(std::string& name) {
  if (name.size() > kMaxNameLength)
    name.resize(kMaxNameLength);
}

// The extension of a name: from its last "." to the end, or empty.
std::string_view ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// The name without its extension, cut where the extension's text first occurs (so "a.b.b"
// becomes "a" with extension ".b").
std::string_view StemOf(std::string_view name, std::string_view extension) {
  return extension.empty() ? name : name.substr(0, name.find(extension));
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A count in a name: at most the largest value that still has a successor in the 32-bit range.
bool ReadCount(std::string_view digits, unsigned long long& count) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || value >= INT32_MAX)
    return false;
  count = value;
  return true;
}

}  // namespace

std::string_view ExtensionOfRow(int mimeIndex) {
  if (mimeIndex < 1 || mimeIndex > static_cast<int>(kExtensionTable.size()))
    return "htm";
  return kExtensionTable[static_cast<std::size_t>(mimeIndex - 1)];
}

std::string NameFromUrl(std::string_view url, int mimeIndex) {
  const std::string shortUrl = NormalizeUrl(url.substr(0, kMaxNameLength), UrlForm::Link);
  std::string_view rest = shortUrl;
  bool addExtension = false;

  // A URL naming a folder ("http://host/dir/") is named after that folder, as a page.
  const bool namesFolder = !rest.empty() && rest.back() == '/';
  if (namesFolder) {
    rest.remove_suffix(1);
    addExtension = true;
  }
  const std::size_t slash = rest.rfind('/');
  std::string_view segment = slash == std::string_view::npos ? rest : rest.substr(slash + 1);

  // Pages, plain texts and GIF and JPEG pictures get the row's own extension, whatever the
  // server called them (run.exe?x=1 served as a page becomes run.htm).
  if (!namesFolder && mimeIndex >= 1 && mimeIndex <= 4) {
    const std::size_t dot = segment.rfind('.');
    if (dot != std::string_view::npos)
      segment = segment.substr(0, dot);
    addExtension = true;
  }

  std::string name;
  for (char c : segment) {
    if (IsNameCharacter(c))
      name += c;
  }
  if (IsOnlyDots(name))
    name.clear();
  if (name.find('.') == std::string::npos)
    addExtension = true;
  if (addExtension) {
    name += '.';
    name += ExtensionOfRow(mimeIndex);
  }
  CutToMaxLength(name);
  return name;
}

std::string NameFromCacheFile(std::string_view cacheFile) {
  std::string name;
  for (char c : FileNamePart(cacheFile)) {
    if (!IsForbiddenInFileName(c))
      name += c;
  }
  if (IsOnlyDots(name))
    return std::string(kPageName);
  CutToMaxLength(name);
  return name;
}

std::string NextCountedName(std::string_view name) {
  name = name.substr(0, kMaxNameLength);
  const std::string_view extension = ExtensionOf(name);
  std::string_view stem = StemOf(name, extension);

  // A stem ending in "(digits)" already carries a count, which the next name increases. A stem
  // of digits and ")" alone counts too, but keeps its text.
  unsigned long long count = 0;
  if (stem.size() > 3 && stem.back() == ')') {
    const std::size_t close = stem.size() - 1;
    std::size_t first = close;
    while (first > 0 && IsDigit(stem[first - 1]))
      --first;
    const std::string_view digits = stem.substr(first, close - first);
    if (first == 0) {
      if (!ReadCount(digits, count))
        count = 0;
    } else if (stem[first - 1] == '(' && !digits.empty()) {
      if (ReadCount(digits, count))
        stem = stem.substr(0, first - 1);
    }
  }

  std::string next(stem);
  next += '(';
  next += std::to_string(count + 1);
  next += ')';
  next += extension;
  CutToMaxLength(next);
  return next;
}

std::string CountedNameWithin(std::string_view stem, unsigned long long count,
                              std::string_view extension) {
  const std::string counter = "(" + std::to_string(count) + ")";
  if (counter.size() + extension.size() > kMaxNameLength)
    extension = extension.substr(0, kMaxNameLength - counter.size());
  if (stem.size() + counter.size() + extension.size() > kMaxNameLength)
    stem = stem.substr(0, kMaxNameLength - counter.size() - extension.size());
  std::string name(stem);
  name += counter;
  name += extension;
  return name;
}

UniqueNamer::UniqueNamer(UsedNames& usedNames) : usedNames_(usedNames) {}

std::string UniqueNamer::Take(std::string_view baseName, std::string_view domain,
                              std::string_view typeFolder, const FileExists& fileExists) {
  const auto take = [&](const std::string& candidate) {
    if (!IsSafePathComponent(candidate))
      return false;
    const std::string key = UsedNames::Key(domain, typeFolder, candidate);
    if (usedNames_.Contains(key) || fileExists(candidate))
      return false;
    usedNames_.Add(key);
    return true;
  };

  const std::string base(baseName.substr(0, kMaxNameLength));
  // Names are only ever added while a run names its items, so every counted name up to the one
  // this base was given last time is still taken: the search goes on after it. That keeps a
  // site with a thousand "index.html" from testing a thousand names for each of them.
  std::string chainKey(domain);
  chainKey += '\\';
  chainKey += typeFolder;
  chainKey += '\\';
  chainKey += base;
  const auto last = lastTaken_.find(chainKey);
  std::string candidate = last == lastTaken_.end() ? base : NextCountedName(last->second);

  std::unordered_set<std::string> tried;
  for (;;) {
    if (take(candidate)) {
      lastTaken_[chainKey] = candidate;
      return candidate;
    }
    // The counted names of a name near 255 characters lose their count to the cut and stop
    // growing; that shows as a name met twice.
    tried.insert(candidate);
    std::string next = NextCountedName(candidate);
    if (tried.count(next) != 0)
      break;
    candidate = std::move(next);
  }

  // Count on with a shortened stem, so that every count gives a different name that fits.
  const std::string_view extension = ExtensionOf(base);
  const std::string_view stem = StemOf(base, extension);
  for (unsigned long long count = 1;; ++count) {
    candidate = CountedNameWithin(stem, count, extension);
    if (take(candidate))
      return candidate;
  }
}

std::string TakeUniqueName(std::string_view baseName, std::string_view domain,
                           std::string_view typeFolder, UsedNames& usedNames,
                           const UniqueNamer::FileExists& fileExists) {
  return UniqueNamer(usedNames).Take(baseName, domain, typeFolder, fileExists);
}

}  // namespace pagehold
