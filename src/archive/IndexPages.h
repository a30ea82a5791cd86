// The offline index pages of an archive folder: the frameset 1st_page.htm, the domain list
// indlist.htm, the legend indpage.htm, notfound.htm, and per domain the text, image, audio,
// video and other lists and the thumbnail page. Lines end in CR LF.
#pragma once

#include <string>
#include <string_view>

namespace pagehold {

struct AppContext;
class ArchiveList;
class Interaction;

// Writes the whole page set for the archive into context.settings.CurrentArchiveFolder,
// reporting progress ("Indexing..." and a percentage per domain) to the interaction. An empty
// archive only deletes 1st_page.htm. An error creating a page or writing anything but one list
// entry ends the build with std::runtime_error; an error in one entry abandons that entry only.
// The date line of indlist.htm shows today's date in the user's short date format.
void BuildIndexPages(const AppContext& context, const ArchiveList& archive,
                     Interaction& interaction);

// The same with the date line's text given (tests, reproducible builds).
void BuildIndexPages(const AppContext& context, const ArchiveList& archive,
                     Interaction& interaction, std::string_view creationDate);

}  // namespace pagehold
