// The offline index pages of an archive folder: the frameset 1st_page.htm, the domain list
// indlist.htm, the legend indpage.htm, notfound.htm, and per domain the text, image, audio,
// video and other lists and the thumbnail page. Lines end in CR LF.
#pragma once

#include <string>
#include <string_view>

#include "platform/Failure.h"

namespace pagehold {

struct AppContext;
class ArchiveList;
class Interaction;

// Writes the whole page set for the archive into archiveFolder, reporting progress ("Indexing..."
// and a percentage per domain) to the interaction, which also lets pending events run at least
// every 100 ms of work. An empty archive only deletes 1st_page.htm. A page that cannot be
// created or written ends the build with its failure; an archived page whose excerpt cannot be
// read loses the rest of its entry only. The date line of indlist.htm shows today's date in the
// user's short date format.
[[nodiscard]] Status BuildIndexPages(const AppContext& context, const std::string& archiveFolder,
                                     const ArchiveList& archive, Interaction& interaction);

// The same with the date line's text given (tests, reproducible builds).
[[nodiscard]] Status BuildIndexPages(const AppContext& context, const std::string& archiveFolder,
                                     const ArchiveList& archive, Interaction& interaction,
                                     std::string_view creationDate);

}  // namespace pagehold
