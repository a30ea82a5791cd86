// Compares two archive folders made from the same caches by runs on different systems (or on
// different days): the same files, byte for byte, apart from what depends on the day and on the
// system: the dates in archive.dat's records and in the index pages, and the path separator.
#pragma once

#include <string>
#include <vector>

namespace pagehold::testgen {

// One line per difference ("only in FIRST: domain/text/a.htm", "archive.dat record 3: Title
// ..."); empty when the two archives are the same.
std::vector<std::string> CompareArchiveFolders(const std::string& first, const std::string& second);

// The text of a page with every date written as digits and "/", "." or "-" replaced by "DATE"
// and every backslash by a slash.
std::string WithoutDatesAndSeparators(const std::string& page);

}  // namespace pagehold::testgen
