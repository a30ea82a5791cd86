// Archived HTML pages are written anew rather than copied: text between tags is copied byte for
// byte, and inside the tags that can carry links every link whose target is also archived points
// at the archived copy, and every other link at the archive's not-found page (or, by choice, at
// the full web address). Anchors can be decorated: archived targets emphasized, missing ones
// struck out.
//
// Every archived page lies two folders below the archive folder (domain, then type folder), so
// all targets are written relative to that depth: "../../" + Domain + "/" + type folder + "/" +
// FileName.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "archive/ArchiveFile.h"
#include "cache/CacheItem.h"
#include "cache/MimeTable.h"
#include "platform/Failure.h"
#include "prefs/CurrentSettings.h"

namespace pagehold {

inline constexpr std::string_view kNotFoundPage = "../../notfound.htm";
inline constexpr std::string_view kNotFoundPicture = "../../images/notfound.gif";

// Where links lead: the items of the running archive run first, in the order they were handed
// over, then the archive's records. Each lookup tries the URL as it is and with a "/" added,
// and the first item in that order matching either wins. Both are indexed together once, so a
// lookup costs the same in an archive of ten items or of a hundred thousand.
class ArchivedLinks {
 public:
  // The selection's items and the archive's records must outlive this object; the items'
  // FileName may change afterwards (lookups read it when they are made), their Url must not.
  // Records added to the archive afterwards are not looked at: during a run they are the
  // selection's own items, which come first anyway.
  ArchivedLinks(const ItemRefs& selection, const ArchiveList& archive, const TMimeTable& mimeTable);

  // The relative target of the first item whose Url is url or url + "/", or kNotFoundPage.
  std::string LookUpArchivedLink(std::string_view url) const;

 private:
  // An item and its place in the order of lookups: the selection's positions first, then the
  // archive's. An empty slot ranks after every item.
  struct Ranked {
    const TCacheItem* item = nullptr;
    std::size_t rank = SIZE_MAX;
  };
  // The first item whose Url is a stem as it is, and the first whose Url is the stem + "/".
  // Keying both forms by the stem answers the common lookup, a url without a trailing "/",
  // with one search.
  struct StemItems {
    Ranked bare;
    Ranked slashed;
  };

  void Add(const TCacheItem* item, std::size_t rank);
  const StemItems* ItemsOfStem(std::string_view stem) const;
  const TCacheItem* Find(std::string_view url) const;
  const std::string& TypeFolder(int mimeIndex) const;

  const TMimeTable& mimeTable_;
  std::unordered_map<std::string, StemItems, TextHash, std::equal_to<>> byStem_;
  mutable std::unordered_map<int, std::string> typeFolders_;  // by MIME row, as looked up
};

// The two facts about the tag just rewritten that decide its decoration.
struct LinkFlags {
  bool linkFound = false;    // an anchor's HREF now points at an archived copy
  bool linkMissing = false;  // an anchor's HREF points at nothing archived
};

class LinkRewriter {
 public:
  // The three link options and the emphasis tags come from settings.
  LinkRewriter(const CurrentSettings& settings, const ArchivedLinks& links);

  // The new text of one tag (the characters after "<" up to and including ">"). pageBase is
  // the base links resolve against; a BASE tag replaces it. Sets Flags() for an anchor's HREF.
  std::string RewriteTag(std::string_view tag, std::string& pageBase);
  const LinkFlags& Flags() const { return flags_; }

  // The archived form of a whole page whose URL is pageUrl.
  std::string RewritePage(std::string_view page, std::string_view pageUrl);

  // Writes the archived form of the item's cached page to targetPath (replacing a file there),
  // sets the item's Title from the page and gives the bytes written. A cached file that is
  // missing or cannot be read writes nothing and names the cached file; a target that cannot be
  // written names the target.
  [[nodiscard]] Result<std::string> WriteArchivedPage(TCacheItem& item,
                                                      const std::string& targetPath);

 private:
  struct PageState;

  std::string NewLinkTarget(std::string_view tagName, std::string_view attribute,
                            std::string_view value, const std::string& pageBase);
  void SpliceRefreshTarget(std::string& tag, std::size_t& position, std::size_t start,
                           const std::string& value, const std::string& pageBase) const;
  std::string CloseLinkDecorations(std::string tag, PageState& state) const;

  const CurrentSettings& settings_;
  const ArchivedLinks& links_;
  LinkFlags flags_;
};

}  // namespace pagehold
