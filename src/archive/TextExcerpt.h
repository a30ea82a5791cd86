// The excerpt of an archived page shown in the detailed index: the visible text at the start of
// the file, white space runs folded to one space, tags, comments and the title left out, at
// most 192 characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Failure.h"

namespace pagehold {

inline constexpr std::size_t kExcerptLength = 192;

// The excerpt of page bytes.
std::string ExcerptFromText(std::string_view page);

// The excerpt of a file, or why the file could not be read.
[[nodiscard]] Result<std::string> ExtractTextExcerpt(const std::string& path);

}  // namespace pagehold
