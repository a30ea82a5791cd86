// The small picture beside each search result, chosen by the major MIME type of the entry.
#pragma once

#include <string_view>

namespace pagehold {

// Positions in the result list's picture list.
enum class ResultIcon { Text = 0, Image = 1, Audio = 2, Video = 3, Other = 4 };

// Decided by the first five characters of the type name, compared exactly: "text/", "image",
// "audio", "video"; anything else (including "Text/html") is Other.
ResultIcon ResultIconOf(std::string_view mimeTypeName);

}  // namespace pagehold
