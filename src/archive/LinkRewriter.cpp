#include "archive/LinkRewriter.h"

#include <algorithm>
#include <array>

#include "cache/HtmlScan.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// Tags are collected up to this many characters; the rest of a longer tag is copied unchanged.
constexpr std::size_t kMaxTagLength = 255;
// A tag text this short cannot hold an examined attribute with a value worth rewriting (the
// shortest, "A HREF=x>", has nine characters), so it is only checked for a closing anchor.
constexpr std::size_t kShortTagLength = 8;
constexpr std::size_t kMaxFragmentLength = 50;

// The tags that can carry links; any other tag is copied unchanged.
constexpr std::array<std::string_view, 21> kExaminedTags = {
    "A",       "IMG",   "AREA",   "BODY", "INPUT",  "FRAME", "IFRAME",
    "STYLE",   "LAYER", "ILAYER", "LINK", "APPLET", "META",  "BASE",
    "BGSOUND", "EMBED", "TABLE",  "TD",   "TH",     "TR",    "OBJECT"};

// The attributes whose values are links; any other attribute is left alone.
constexpr std::array<std::string_view, 9> kExaminedAttributes = {
    "HREF", "SRC", "BACKGROUND", "CODE", "CONTENT", "DYNSOURCE", "LOWSRC", "DATA", "USEMAP"};

// Tags whose pictures and sources are whole documents or scripts, not pictures: a missing one
// points at the not-found page rather than the not-found picture.
constexpr std::array<std::string_view, 6> kDocumentSourceTags = {"FRAME", "IFRAME", "STYLE",
                                                                 "LAYER", "ILAYER", "EMBED"};

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

bool IsSourceAttribute(std::string_view attribute) {
  return attribute == "SRC" || attribute == "USEMAP" || attribute == "LOWSRC" ||
         attribute == "BACKGROUND";
}

// Values that are written back as read: jumps inside the page, mail addresses, and data
// carried inside an OBJECT tag itself.
bool IsKeptAsWritten(std::string_view tagName, std::string_view attribute, std::string_view value) {
  return value.front() == '#' || StartsWithText(value, "MAILTO:") ||
         (tagName == "OBJECT" && attribute == "DATA" && StartsWithText(value, "DATA:"));
}

// Replaces the characters between start (the position just before a value) and position (the
// character that ended it) by replacement; position moves to the same ending character.
void SpliceValue(std::string& tag, std::size_t& position, std::size_t start,
                 std::string_view replacement) {
  tag.replace(start, position - 1 - start, replacement);
  position = start + replacement.size() + 1;
}

// Copies a comment whose "<!--" has just been read (and the "<" written): up to its "-->", or,
// when the page has no further "-->" (comment handling then stays off for the page), up to the
// next ">". Comments are never rewritten.
void CopyComment(std::string_view page, std::size_t& next, std::string& out, bool& commentsOn) {
  out += "!--";
  std::size_t end = std::string_view::npos;
  if (commentsOn) {
    end = page.find("-->", next);
    if (end != std::string_view::npos)
      end += 3;
    else
      commentsOn = false;
  }
  if (!commentsOn) {
    end = page.find('>', next);
    if (end != std::string_view::npos)
      ++end;
  }
  end = std::min(end, page.size());
  out.append(page.substr(next, end - next));
  next = end;
}

}  // namespace

// The decorations of one page: an emphasis or strike-out opened after an anchor's tag waits for
// the next closing anchor. A decoration still open at the end of the page stays open.
struct LinkRewriter::PageState {
  bool emphasisOpen = false;
  bool strikeOpen = false;
  bool commentsOn = true;
};

LinkRewriter::LinkRewriter(const CurrentSettings& settings, const ArchivedLinks& links)
    : settings_(settings), links_(links) {}

std::string LinkRewriter::RewriteTag(std::string_view tagText, std::string& pageBase) {
  std::size_t position = 0;
  const std::string tagName = NextTagWord(tagText, position);
  std::string tag(tagText);
  if (!IsOneOf(tagName, kExaminedTags))
    return tag;

  // Every word is taken for an attribute name, also inside a quoted value of an attribute that
  // is not examined: the scanner has no notion of quoting beyond one value.
  while (position < tag.size()) {
    const std::string attribute = NextTagWord(tag, position);
    if (!IsOneOf(attribute, kExaminedAttributes))
      continue;
    std::size_t start = 0;
    const std::string value = NextAttributeValue(tag, position, start);

    if (tagName == "META") {
      if (attribute == "CONTENT")
        SpliceRefreshTarget(tag, position, start, value, pageBase);
      continue;
    }
    if (tagName == "BASE" && attribute == "HREF") {
      // The archived page must not resolve against the original site any more; "<!>" is an
      // empty declaration every browser ignores. An empty HREF leaves the base as it was.
      if (!value.empty())
        pageBase = UrlBase(value);
      return "!>";
    }
    if (attribute == "CONTENT" || value.empty() || IsKeptAsWritten(tagName, attribute, value))
      continue;
    if (attribute == "DATA" && tagName != "OBJECT")
      continue;
    if (tagName == "INPUT" && attribute != "SRC")
      continue;
    SpliceValue(tag, position, start, NewLinkTarget(tagName, attribute, value, pageBase));
  }
  return tag;
}

std::string LinkRewriter::NewLinkTarget(std::string_view tagName, std::string_view attribute,
                                        std::string_view value, const std::string& pageBase) {
  std::string_view link = value;
  std::string_view fragment;
  if (attribute == "HREF" || attribute == "USEMAP") {
    const std::size_t hash = link.find('#');
    if (hash != std::string_view::npos) {
      fragment = link.substr(hash, kMaxFragmentLength);
      link = link.substr(0, hash);
    }
  }
  const std::string resolved = ResolveLink(link, pageBase);
  std::string target = links_.LookUpArchivedLink(resolved);
  const bool missing = target == kNotFoundPage;
  if (!missing)
    target += fragment;

  if (IsSourceAttribute(attribute)) {
    const bool documentSource =
        IsOneOf(tagName, kDocumentSourceTags) || (attribute == "USEMAP" && tagName == "IMG");
    if (missing && attribute == "SRC" && !documentSource)
      return std::string(kNotFoundPicture);
    return target;
  }
  if (attribute == "CODE")
    return target;

  // HREF, DATA and DYNSOURCE: the links a reader follows.
  const bool anchorLink = tagName == "A" && attribute == "HREF";
  if (!missing) {
    flags_.linkFound = flags_.linkFound || anchorLink;
    return target;
  }
  flags_.linkMissing = flags_.linkMissing || anchorLink;
  if (settings_.ShowOriginalUrls) {
    // A link that names no web address at all (news:, a bare scheme) keeps what the page said
    // rather than becoming an empty link to the page itself.
    return resolved.empty() ? std::string(link) : NormalizeUrl(resolved, UrlForm::Link);
  }
  return target;
}

// A refresh META tag names the page to load next inside its CONTENT value, after "URL":
// "0;URL=next.htm". Only that address is replaced; whatever followed it inside the value is
// dropped.
void LinkRewriter::SpliceRefreshTarget(std::string& tag, std::size_t& position, std::size_t start,
                                       const std::string& value,
                                       const std::string& pageBase) const {
  if (UpperCase(std::string_view(tag).substr(0, position - 1)).find("REFRESH") == std::string::npos)
    return;
  const std::size_t url = UpperCase(value).find("URL");
  if (url == std::string::npos)
    return;
  // Reading starts at the character after "URL": an "=" there is passed over, a quote opens a
  // quoted address. The ">" added gives the value the end a tag text has.
  const std::string content = value + ">";
  std::size_t addressPosition = url + 3;
  std::size_t addressStart = 0;
  const std::string address = NextAttributeValue(content, addressPosition, addressStart);
  if (address.empty())
    return;
  const std::string target = links_.LookUpArchivedLink(ResolveLink(address, pageBase));
  // Character j of the value stands at position start + 1 + j of the tag.
  std::string spliced = tag.substr(0, start + addressStart);
  spliced += target;
  spliced += std::string_view(tag).substr(position - 1);
  tag = std::move(spliced);
  position = start + addressStart + target.size() + 1;
}

// A closing anchor ends the emphasis and the strike-out its opening tag began. The "<" is
// already written, so the closing tags are put in front of the anchor's own: </STRIKE></B></A>.
std::string LinkRewriter::CloseLinkDecorations(std::string tag, PageState& state) const {
  std::size_t position = 0;
  const bool closesAnchor = NextTagWord(tag, position) == "/A";
  if (!closesAnchor)
    return tag;
  if (settings_.EmphasizeLinks && state.emphasisOpen) {
    state.emphasisOpen = false;
    if (!settings_.EmphasisCloseTag.empty())
      tag = settings_.EmphasisCloseTag + "><" + tag;
  }
  if (settings_.StrikeoutLinks && state.strikeOpen) {
    state.strikeOpen = false;
    tag = "/STRIKE><" + tag;
  }
  return tag;
}

std::string LinkRewriter::RewritePage(std::string_view page, std::string_view pageUrl) {
  std::string out;
  out.reserve(page.size() + page.size() / 4);
  std::string pageBase = UrlBase(pageUrl);
  PageState state;
  std::size_t next = 0;

  while (next < page.size()) {
    // Text up to and including the next "<" is copied as it is.
    const std::size_t open = page.find('<', next);
    if (open == std::string_view::npos) {
      out.append(page.substr(next));
      break;
    }
    out.append(page.substr(next, open + 1 - next));
    next = open + 1;

    // The tag text runs up to and including the next ">", for at most 255 characters; one
    // that begins "!--" is a comment instead.
    std::string_view tag;
    if (page.substr(next, 3) == "!--") {
      next += 3;
      CopyComment(page, next, out, state.commentsOn);
    } else {
      tag = page.substr(next, kMaxTagLength);
      const std::size_t close = tag.find('>');
      if (close != std::string_view::npos)
        tag = tag.substr(0, close + 1);
      next += tag.size();
    }
    const bool cutShort = tag.size() == kMaxTagLength && tag.back() != '>';

    flags_ = {};
    out += tag.size() <= kShortTagLength ? CloseLinkDecorations(std::string(tag), state)
                                         : RewriteTag(tag, pageBase);
    if (settings_.EmphasizeLinks && flags_.linkFound) {
      if (!settings_.EmphasisOpenTag.empty())
        out.append("<").append(settings_.EmphasisOpenTag).append(">");
      state.emphasisOpen = true;
    }
    if (settings_.StrikeoutLinks && flags_.linkMissing) {
      out += "<STRIKE>";
      state.strikeOpen = true;
    }
    if (cutShort) {
      // The rest of an overlong tag is copied unchanged.
      std::size_t close = page.find('>', next);
      close = close == std::string_view::npos ? page.size() : close + 1;
      out.append(page.substr(next, close - next));
      next = close;
    }
  }
  return out;
}

Result<std::string> LinkRewriter::WriteArchivedPage(TCacheItem& item,
                                                    const std::string& targetPath) {
  const Result<std::string> page = ReadWholeFile(item.CacheFile);
  if (!page)
    return page.failure();
  item.Title = ExtractTitleFromBytes(*page);
  std::string archived = RewritePage(*page, item.Url);
  if (Status written = WriteWholeFile(targetPath, archived); !written)
    return written.failure();
  return archived;
}

}  // namespace pagehold
