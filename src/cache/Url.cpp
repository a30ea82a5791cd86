// URL splitting, canonical item URLs, domains and link resolution.
//
// A key or link is split in three steps that consume one text in place: the host split leaves
// the "rest" (from the first ":" or "/" on), the port split takes ":port" off its front, and what
// is left is the path. The key form and the link form differ only in the prefixes the host split
// accepts or refuses.
//
// Link-form texts (Navigator keys, links in pages) are at most 255 characters: longer inputs are
// cut to 255 before they are split, and longer results are cut to 255. Other parts of the
// program (file names made from URLs, link comparison with archived records) rely on that bound.
#include "cache/Url.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "cache/Text.h"

namespace pagehold {
namespace {

constexpr std::size_t kLinkLimit = 255;
constexpr int kDefaultPort = 80;
constexpr std::string_view kNone = "NONE";

std::string CutToLinkLimit(std::string text) {
  if (text.size() > kLinkLimit)
    text.resize(kLinkLimit);
  return text;
}

bool StartsWithAny(std::string_view text, std::initializer_list<std::string_view> prefixes) {
  return std::any_of(prefixes.begin(), prefixes.end(),
                     [text](std::string_view prefix) { return StartsWithText(text, prefix); });
}

void ReplaceBackslashes(std::string& text) {
  std::replace(text.begin(), text.end(), '\\', '/');
}

// The common end of both host splits: the host is the text before the first "/" or ":", and
// the text keeps everything from that point on. An empty host names nothing.
std::string TakeHost(std::string_view& text) {
  const std::string_view host = text.substr(0, text.find_first_of("/:"));
  text.remove_prefix(host.size());
  return host.empty() ? std::string(kNone) : LowerCase(host);
}

std::string SplitHostAtCut(std::string& text) {
  std::string_view rest = text;
  std::string host = TakeHost(rest);
  text.erase(0, text.size() - rest.size());
  return host;
}

// The link form of the host split, over a view that becomes the rest.
std::string TakeLinkHost(std::string_view& link) {
  link = TrimmedBlanks(link.substr(0, kLinkLimit));
  // Unlike the key form, secure URLs are refused: such a page cannot be archived from a link.
  if (StartsWithAny(link, {"FTP://", "TELNET://", "NNTP:", "FILE://", "GOPHER://", "HTTPS://",
                           "NEWS:", "MAILTO:"})) {
    link = {};
    return std::string(kNone);
  }
  if (StartsWithText(link, "HTTP://"))
    link.remove_prefix(7);
  return TakeHost(link);
}

// The port split over a view that becomes the path part.
int TakePort(std::string_view& rest) {
  if (rest.empty() || rest.front() != ':')
    return kDefaultPort;
  const std::size_t slash = rest.find('/');
  const std::string_view number =
      rest.substr(1, slash == std::string_view::npos ? std::string_view::npos : slash - 1);
  int port = kDefaultPort;
  if (!ParseInt(number, port))
    port = kDefaultPort;
  rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
  return port;
}

// The domain character set: printable ASCII except space, DQ * + , / : ; < = > ? [ \ ] |
// (everything that is unsafe or awkward in a folder name).
constexpr std::array<bool, 256> MakeDomainCharacters() {
  std::array<bool, 256> allowed{};
  for (int c = 33; c < 127; ++c)
    allowed[c] = true;
  for (unsigned char c : std::string_view("\"*+,/:;<=>?[\\]|"))
    allowed[c] = false;
  return allowed;
}
constexpr std::array<bool, 256> kDomainCharacters = MakeDomainCharacters();

// A folder name made only of dots is the folder itself, its parent, or (on Windows, which drops
// trailing dots) an empty name: never a usable domain folder.
bool IsOnlyDots(std::string_view text) {
  return !text.empty() && text.find_first_not_of('.') == std::string_view::npos;
}

// Removes "." and ".." segments from a path: every "/./" loses its first two characters, and
// every "/../" is removed together with the segment before it, never reaching past the start.
void RemoveDotSegments(std::string& path) {
  for (std::size_t at = path.find("/./"); at != std::string::npos; at = path.find("/./"))
    path.erase(at, 2);
  for (std::size_t at = path.find("/../"); at != std::string::npos; at = path.find("/../")) {
    path.erase(at, 3);  // at now holds the "/" that followed ".."
    std::size_t segmentStart = at;
    while (segmentStart > 0) {
      --segmentStart;
      if (path[segmentStart] == '/')
        break;
    }
    path.erase(segmentStart, at - segmentStart);
  }
}

// Turns a link written without a scheme into a full "http://" link on the page's base.
std::string AbsoluteOnBase(std::string link, std::string_view base) {
  if (StartsWithText(link, "HTTP:"))
    link.erase(0, 5);
  if (!link.empty() && link.front() == '/') {
    const std::size_t slash = base.find('/');
    return "http://" + std::string(base.substr(0, slash)) + link;
  }
  return "http://" + std::string(base) + link;
}

}  // namespace

std::string HostFromKey(std::string& key) {
  key = TrimBlanks(key);
  const std::size_t version = UpperCase(key).find(" HTTP/1.0");
  if (version != std::string::npos)
    key.resize(version);

  if (StartsWithText(key, "GET "))
    key.erase(0, 4);
  else if (StartsWithAny(key, {"POST ", "HEAD "}))
    key.erase(0, 5);

  if (StartsWithAny(
          key, {"FTP://", "FILE://", "GOPHER://", "NEWS://", "VISITED:", "COOKIE:", "MAILTO://"})) {
    key.clear();
    return std::string(kNone);
  }
  // Secure URLs are accepted here and treated like plain ones.
  if (StartsWithText(key, "HTTP://"))
    key.erase(0, 7);
  else if (StartsWithText(key, "HTTPS://"))
    key.erase(0, 8);

  ReplaceBackslashes(key);
  return SplitHostAtCut(key);
}

std::string HostOfStoredUrl(std::string_view url) {
  constexpr std::string_view kScheme = "http://";
  if (url.starts_with(kScheme)) {
    const std::string_view rest = url.substr(kScheme.size());
    const std::size_t cut = rest.find_first_of("/:");
    if (cut != std::string_view::npos && rest[cut] == ':')
      return cut == 0 ? std::string(kNone) : LowerCase(rest.substr(0, cut));
  }
  std::string key(url);
  return HostFromKey(key);
}

std::string HostFromLink(std::string& link) {
  std::string_view rest = link;
  std::string host = TakeLinkHost(rest);
  link = std::string(rest);
  return host;
}

int PortFromRest(std::string& rest) {
  std::string_view path = rest;
  const int port = TakePort(path);
  rest.erase(0, rest.size() - path.size());
  return port;
}

std::string PathFromRest(std::string_view rest) {
  std::string path(TrimmedBlanks(rest));
  if (path.empty())
    return "/";
  ReplaceBackslashes(path);
  return path;
}

std::string CanonicalItemUrl(std::string_view host, int port, std::string_view path) {
  const std::string number = std::to_string(port);
  std::string url;
  url.reserve(8 + host.size() + number.size() + path.size());
  url.append("http://").append(host).append(":").append(number).append(path);
  return url;
}

std::string NormalizeUrl(std::string_view url, UrlForm form) {
  std::string rest(url);
  const std::string host = form == UrlForm::Key ? HostFromKey(rest) : HostFromLink(rest);
  const int port = PortFromRest(rest);
  const std::string path = PathFromRest(rest);
  std::string result(url);
  if (port == kDefaultPort && host != kNone)
    result = "http://" + host + path;
  return form == UrlForm::Link ? CutToLinkLimit(std::move(result)) : result;
}

std::string DomainFromHost(std::string_view host) {
  std::string domain;
  domain.reserve(host.size());
  for (char c : host) {
    if (kDomainCharacters[static_cast<unsigned char>(c)])
      domain.push_back(c);
  }
  if (IsOnlyDots(domain))
    return std::string(kNone);
  return CutToLinkLimit(std::move(domain));
}

std::string UrlFileName(std::string_view url) {
  const std::size_t slash = url.rfind('/');
  return std::string(slash == std::string_view::npos ? url : url.substr(slash + 1));
}

std::string UrlBase(std::string_view url) {
  url = url.substr(0, std::min(url.size(), kLinkLimit));
  if (StartsWithText(url, "HTTP://"))
    url.remove_prefix(7);
  const std::size_t slash = url.rfind('/');
  return std::string(slash == std::string_view::npos ? url : url.substr(0, slash + 1));
}

std::string ResolveLink(std::string_view linkText, std::string_view base) {
  std::string_view link = linkText.substr(0, kLinkLimit);
  if (!link.empty() && link.front() == '#')
    return {};  // a jump inside the page
  if (StartsWithAny(link, {"NEWS:", "MAILTO:"}))
    return {};
  link = link.substr(0, link.find('#'));

  // The link as repaired or made absolute, when it had to change.
  std::string changed;
  // Repair two common slips: a missing ":" after the scheme, and a secure scheme.
  if (StartsWithText(link, "HTTP//")) {
    changed.assign(link).insert(4, ":");
    link = changed;
  } else if (StartsWithText(link, "HTTPS://")) {
    changed.assign(link).erase(4, 1);
    link = changed;
  }
  if (link.find("://") == std::string_view::npos) {
    changed = AbsoluteOnBase(std::string(link), base);
    link = changed;
  }
  if (!StartsWithText(link, "HTTP://"))
    return std::string(link);  // a foreign scheme: left as written

  const std::string host = TakeLinkHost(link);
  const int port = TakePort(link);
  std::string path = PathFromRest(link);
  RemoveDotSegments(path);
  // Links resolved from pages carry the port as an unsigned 16-bit number.
  return CutToLinkLimit(CanonicalItemUrl(host, static_cast<std::uint16_t>(port), path));
}

std::string FileNameInLink(std::string_view fileName) {
  std::string link;
  link.reserve(fileName.size());
  for (const char c : fileName) {
    switch (c) {
      case '%':
        link += "%25";
        break;
      case '#':
        link += "%23";
        break;
      case '?':
        link += "%3F";
        break;
      default:
        link += c;
    }
  }
  return link;
}

}  // namespace pagehold
