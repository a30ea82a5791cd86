// A cache that the person names directly, on the command line of a desktop program or by
// dropping it on its main window, rather than through the settings: usually one copied from an
// old disk. It is judged as a reading judges it before it reads any entry, so that a file of
// the wrong kind is refused at once with the line a reading would give.
#pragma once

#include <string>

#include "platform/Failure.h"

namespace pagehold {

// The Navigator cache index that path names: the index file itself (a paged "Fat.db" or an
// older text index, under any name), or the one a cache folder holds ("Fat.db", else "Fat",
// in any letter case). Fails with one line when there is none or it is not a Navigator cache
// index.
Result<std::string> NavigatorIndexGiven(const std::string& path);

// The Internet Explorer cache folder that path names: a folder that holds index.dat, one whose
// "Content.IE5" sub-folder holds it, or the folder of an index.dat named itself. Fails with one
// line when its index.dat cannot be read or is not one, or when a file of another name is
// given.
Result<std::string> UrlCacheFolderGiven(const std::string& path);

}  // namespace pagehold
