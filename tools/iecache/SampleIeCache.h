// The small IE cache bundled in samples/ie: two invented sites with linked pages, GIF and JPEG
// images, a PDF and a zip archive, beside a cookie entry, a visited-page entry, an entry whose
// cached file is missing, and a header block without a content type.
#pragma once

#include "iecache/IeCacheWriter.h"

namespace pagehold::testgen {

IeCache SampleIeCache();

}  // namespace pagehold::testgen
