// Small but genuine file contents for sample caches: pictures whose headers carry real sizes
// (and decode), a PDF, a zip archive.
#pragma once

#include <string>

namespace pagehold::testgen {

// A GIF89a picture of one colour, width by height pixels.
std::string MakeGif(int width, int height);

// A baseline JFIF JPEG of one grey, width by height pixels.
std::string MakeJpeg(int width, int height);

// A one-page PDF showing a line of text.
std::string MakePdf(const std::string& text);

// A zip archive holding one stored (uncompressed) file.
std::string MakeZip(const std::string& name, const std::string& contents);

}  // namespace pagehold::testgen
