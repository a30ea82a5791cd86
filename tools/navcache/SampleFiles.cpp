#include "navcache/SampleFiles.h"

#include <cstdint>

namespace pagehold::testgen {

namespace {

void Le16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
}

void Le32(std::string& out, std::uint32_t value) {
  Le16(out, value & 0xFFFF);
  Le16(out, value >> 16);
}

void Be16(std::string& out, unsigned value) {
  out += static_cast<char>(value >> 8 & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

// Packs codes least significant bit first, as GIF's LZW stream wants them.
class BitPacker {
 public:
  void Put(unsigned code, int bits) {
    for (int i = 0; i < bits; ++i) {
      if (used_ == 0)
        bytes_ += '\0';
      if (code >> i & 1)
        bytes_.back() = static_cast<char>(bytes_.back() | 1 << used_);
      used_ = (used_ + 1) % 8;
    }
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  int used_ = 0;
};

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit)
      crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

}  // namespace

std::string MakeGif(int width, int height) {
  std::string gif = "GIF89a";
  Le16(gif, static_cast<unsigned>(width));
  Le16(gif, static_cast<unsigned>(height));
  gif += static_cast<char>(0x80);  // a global table of 2 colours
  gif += '\0';                     // background colour
  gif += '\0';                     // no aspect ratio
  gif += std::string("\x3c\x8c\x3c\xff\xff\xff", 6);
  gif += ',';  // image descriptor at 0,0, full size, no local table
  Le16(gif, 0);
  Le16(gif, 0);
  Le16(gif, static_cast<unsigned>(width));
  Le16(gif, static_cast<unsigned>(height));
  gif += '\0';
  // LZW with 2-bit pixels: clear code 4, end code 5, 3-bit codes. A clear code before every
  // second pixel keeps the table from growing, so the code size never changes.
  constexpr unsigned kClear = 4, kEnd = 5;
  BitPacker codes;
  const long pixels = static_cast<long>(width) * height;
  for (long i = 0; i < pixels; ++i) {
    if (i % 2 == 0)
      codes.Put(kClear, 3);
    codes.Put(0, 3);
  }
  codes.Put(kEnd, 3);
  gif += '\x02';  // minimum code size
  const std::string& data = codes.Bytes();
  for (size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    gif += static_cast<char>(block.size());
    gif += block;
  }
  gif += '\0';
  gif += ';';
  return gif;
}

std::string MakeJpeg(int width, int height) {
  std::string jpeg = "\xFF\xD8";  // start of image
  // JFIF marker: version 1.01, no density units, 1:1.
  jpeg += "\xFF\xE0";
  Be16(jpeg, 16);
  jpeg += std::string("JFIF\0\x01\x01\x00", 8);
  Be16(jpeg, 1);
  Be16(jpeg, 1);
  jpeg += std::string("\0\0", 2);
  // One quantisation table of ones.
  jpeg += "\xFF\xDB";
  Be16(jpeg, 67);
  jpeg += '\0';
  jpeg += std::string(64, '\x01');
  // Baseline frame: 8-bit grey, one component.
  jpeg += "\xFF\xC0";
  Be16(jpeg, 11);
  jpeg += '\x08';
  Be16(jpeg, static_cast<unsigned>(height));
  Be16(jpeg, static_cast<unsigned>(width));
  jpeg += std::string("\x01\x01\x11\x00", 4);
  // Huffman tables with one symbol each: DC difference category 0, and AC end of block; both
  // get the one-bit code 0.
  jpeg += "\xFF\xC4";
  Be16(jpeg, 2 + 17 + 1);
  jpeg += '\x00';
  jpeg += '\x01';
  jpeg += std::string(15, '\0');
  jpeg += '\0';
  jpeg += "\xFF\xC4";
  Be16(jpeg, 2 + 17 + 1);
  jpeg += '\x10';
  jpeg += '\x01';
  jpeg += std::string(15, '\0');
  jpeg += '\0';
  // Scan: every block is "no DC change, end of block", two zero bits.
  jpeg += "\xFF\xDA";
  Be16(jpeg, 8);
  jpeg += std::string("\x01\x01\x00\x00\x3F\x00", 6);
  const long blocks = static_cast<long>((width + 7) / 8) * ((height + 7) / 8);
  const long bits = blocks * 2;
  std::string scan(static_cast<size_t>((bits + 7) / 8), '\0');
  if (bits % 8 != 0)
    scan.back() = static_cast<char>((1 << (8 - bits % 8)) - 1);  // pad with one bits
  jpeg += scan;
  jpeg += "\xFF\xD9";
  return jpeg;
}

std::string MakePdf(const std::string& text) {
  const std::string content = "BT /F1 18 Tf 72 720 Td (" + text + ") Tj ET";
  const std::string objects[] = {
      "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
      "/Resources << /Font << /F1 5 0 R >> >> >>",
      "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
  std::string pdf = "%PDF-1.4\n";
  std::string offsets;
  int number = 0;
  for (const std::string& object : objects) {
    const std::string offset = std::to_string(pdf.size());
    offsets += std::string(10 - offset.size(), '0') + offset + " 00000 n \n";
    pdf += std::to_string(++number) + " 0 obj\n" + object + "\nendobj\n";
  }
  const size_t xref = pdf.size();
  pdf += "xref\n0 6\n0000000000 65535 f \n" + offsets;
  pdf += "trailer\n<< /Size 6 /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

std::string MakeZip(const std::string& name, const std::string& contents) {
  const std::uint32_t crc = Crc32(contents);
  const auto size = static_cast<std::uint32_t>(contents.size());
  // 1998-05-04 12:00, in the archive's DOS date and time form.
  constexpr unsigned kDosTime = 12 << 11, kDosDate = (18 << 9) | (5 << 5) | 4;
  std::string zip;
  Le32(zip, 0x04034b50);  // local file header
  Le16(zip, 10);
  Le16(zip, 0);
  Le16(zip, 0);  // stored
  Le16(zip, kDosTime);
  Le16(zip, kDosDate);
  Le32(zip, crc);
  Le32(zip, size);
  Le32(zip, size);
  Le16(zip, static_cast<unsigned>(name.size()));
  Le16(zip, 0);
  zip += name + contents;
  const auto central = static_cast<std::uint32_t>(zip.size());
  Le32(zip, 0x02014b50);  // central directory entry
  Le16(zip, 20);
  Le16(zip, 10);
  Le16(zip, 0);
  Le16(zip, 0);
  Le16(zip, kDosTime);
  Le16(zip, kDosDate);
  Le32(zip, crc);
  Le32(zip, size);
  Le32(zip, size);
  Le16(zip, static_cast<unsigned>(name.size()));
  Le16(zip, 0);
  Le16(zip, 0);
  Le16(zip, 0);
  Le16(zip, 0);
  Le32(zip, 0);
  Le32(zip, 0);  // local header at 0
  zip += name;
  const auto centralSize = static_cast<std::uint32_t>(zip.size()) - central;
  Le32(zip, 0x06054b50);  // end of central directory
  Le16(zip, 0);
  Le16(zip, 0);
  Le16(zip, 1);
  Le16(zip, 1);
  Le32(zip, centralSize);
  Le32(zip, central);
  Le16(zip, 0);
  return zip;
}

}  // namespace pagehold::testgen
