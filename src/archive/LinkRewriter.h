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
// and the first item in that order matching either wins. Both sides are indexed, so a lookup
// costs the same in an archive of ten items or of a hundred thousand.
class ArchivedLinks {
 public:
  // The selection's items and the archive must outlive this object; the items' FileName may
  // change afterwards (lookups read it when they are made), their Url must not.
  ArchivedLinks(const ItemRefs& selection, const ArchiveList& archive, const TMimeTable& mimeTable);

  // The relative target of the first item whose Url is url or url + "/", or kNotFoundPage.
  std::string LookUpArchivedLink(std::string_view url) const;

 private:
  const TCacheItem* FindInSelection(std::string_view url) const;
  const TCacheItem* FindInArchive(std::string_view url) const;

  const ItemRefs& selection_;
  const ArchiveList& archive_;
  const TMimeTable& mimeTable_;
  std::unordered_map<std::string_view, std::size_t> selectionPosition_;  // Url -> first item
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

  // Writes the archived form of the item's cached page to targetPath (replacing a file there)
  // and sets the item's Title from the page. A cached file that is missing or cannot be read
  // writes nothing and names the cached file; a target that cannot be written names the target.
  [[nodiscard]] Status WriteArchivedPage(TCacheItem& item, const std::string& targetPath);

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
