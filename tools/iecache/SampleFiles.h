// Small but genuine files for sample caches: GIF and JFIF JPEG images whose headers give their
// real sizes and that image viewers decode, a PDF and a zip archive.
#pragma once

#include <string>

namespace pagehold::testgen {

// A one-colour GIF89a image of the given size.
std::string GifImage(int width, int height);

// A grey baseline JFIF JPEG image of the given size.
std::string JpegImage(int width, int height);

// A one-page PDF document showing the title.
std::string PdfDocument(const std::string& title);

// A zip archive holding one stored text file.
std::string ZipArchive(const std::string& fileName, const std::string& contents);

}  // namespace pagehold::testgen
