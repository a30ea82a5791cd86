// Ordering search results. Whichever column header is clicked, the rows are put in ascending
// order of their address with the user's locale-aware, case-sensitive string comparison; there
// is no descending order and no ordering by the archive file.
#pragma once

#include <locale>
#include <vector>

#include "search/ArchiveSearch.h"

namespace pagehold {

// The locale whose collation the user chose (LC_COLLATE / LC_ALL / LANG from the environment on
// POSIX systems, the user's default locale on Windows); the classic "C" order, byte by byte,
// when the environment names a locale that is not installed.
std::locale UserCollationLocale();

// Stable: rows whose addresses compare equal keep their order. Case-sensitive: under a locale
// with case-insensitive primary order such as en_US, "abc" and "ABC" still compare unequal (the
// case decides last), and in the "C" locale every capital comes before every small letter.
void SortByUrl(std::vector<SearchResult>& rows, const std::locale& collation);

}  // namespace pagehold
