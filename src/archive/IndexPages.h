// The offline index pages of an archive folder: the frameset 1st_page.htm, the domain list
// indlist.htm, the legend indpage.htm, notfound.htm, and per domain the text, image, audio,
// video and other lists and the thumbnail page. Lines end in CR LF.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/Failure.h"

namespace pagehold {

struct AppContext;
class ArchiveList;
class Interaction;

// Excerpts of archived pages known already, by the path of the archived file: a run keeps those
// of the pages it wrote, so that the index does not read them again.
using KnownExcerpts = std::unordered_map<std::string, std::string>;

// Writes the whole page set for the archive into archiveFolder, reporting progress ("Indexing..."
// and a percentage per domain) to the interaction, which also lets pending events run at least
// every 100 ms of work. An empty archive only deletes 1st_page.htm. A page that cannot be
// created or written ends the build with its failure; an archived page whose excerpt cannot be
// read loses the rest of its entry only. The date line of indlist.htm shows today's date in the
// user's short date format. A page whose excerpt is known is not read.
[[nodiscard]] Status BuildIndexPages(const AppContext& context, const std::string& archiveFolder,
                                     const ArchiveList& archive, Interaction& interaction,
                                     const KnownExcerpts& known = {});

// The same with the date line's text given (tests, reproducible builds).
[[nodiscard]] Status BuildIndexPages(const AppContext& context, const std::string& archiveFolder,
                                     const ArchiveList& archive, Interaction& interaction,
                                     std::string_view creationDate,
                                     const KnownExcerpts& known = {});

}  // namespace pagehold
