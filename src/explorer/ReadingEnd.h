// What the Cache Explorer tells the person once a reading of the cache is over, and whether the
// window stays: a file that is no cache index is named with the reason and the window stays
// usable; a cache read only in part says what was lost; an IE cache with nothing in it says
// "No files found."; a Navigator index that cannot be opened closes the window (the reader has
// already asked to close the browser, which holds it).
#pragma once

#include <cstddef>
#include <optional>

#include "platform/Interaction.h"
#include "prefs/CurrentSettings.h"
#include "sources/CacheReading.h"

namespace pagehold {

struct ReadingEnd {
  bool closeWindow = false;
  std::optional<Message> message;
};

// itemsListed: the items the cache list holds after the reading.
ReadingEnd AfterReading(const ReadingReport& report, Product product, std::size_t itemsListed);

}  // namespace pagehold
