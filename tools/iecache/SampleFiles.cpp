#include "iecache/SampleFiles.h"

#include <cstdint>
#include <vector>

namespace pagehold::testgen {

namespace {

void PutU16(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, static_cast<int>(value & 0xFFFF));
  PutU16(out, static_cast<int>(value >> 16));
}

void PutBigU16(std::string& out, int value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

// Packs codes of a fixed width least significant bit first, as GIF's LZW data is packed.
class BitPacker {
 public:
  void Put(unsigned code, int width) {
    for (int i = 0; i < width; ++i) {
      if (bits_ % 8 == 0)
        bytes_.push_back(0);
      if (code & (1u << i))
        bytes_.back() = static_cast<char>(bytes_.back() | (1 << (bits_ % 8)));
      ++bits_;
    }
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::size_t bits_ = 0;
};

std::uint32_t Crc32(const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k)
      crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  }
  return ~crc;
}

}  // namespace

std::string GifImage(int width, int height) {
  std::string gif = "GIF89a";
  PutU16(gif, width);
  PutU16(gif, height);
  gif += '\x80';  // a global colour table of two entries
  gif += '\0';    // background colour index
  gif += '\0';    // pixel aspect ratio
  gif += std::string("\x4c\x8c\x3a\xff\xff\xff", 6);
  gif += ',';
  PutU16(gif, 0);
  PutU16(gif, 0);
  PutU16(gif, width);
  PutU16(gif, height);
  gif += '\0';
  // Minimum code size 2: clear code 4, end code 5, codes three bits wide. A clear code before
  // every second pixel keeps the table from growing, so the width never changes.
  gif += '\x02';
  BitPacker packer;
  for (long pixel = 0; pixel < long{width} * height; ++pixel) {
    if (pixel % 2 == 0)
      packer.Put(4, 3);
    packer.Put(0, 3);
  }
  packer.Put(5, 3);
  const std::string& data = packer.bytes();
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    gif += static_cast<char>(block.size());
    gif += block;
  }
  gif += '\0';
  gif += ';';
  return gif;
}

std::string JpegImage(int width, int height) {
  std::string jpeg = "\xFF\xD8";
  jpeg += "\xFF\xE0";
  PutBigU16(jpeg, 16);
  jpeg += std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14);
  // One quantisation table of ones.
  jpeg += "\xFF\xDB";
  PutBigU16(jpeg, 67);
  jpeg += '\0';
  jpeg += std::string(64, '\x01');
  // Baseline frame, one grey component.
  jpeg += "\xFF\xC0";
  PutBigU16(jpeg, 11);
  jpeg += '\x08';
  PutBigU16(jpeg, height);
  PutBigU16(jpeg, width);
  jpeg += std::string("\x01\x01\x11\x00", 4);
  // Huffman tables of one one-bit code each: DC difference category 0, and AC end of block.
  for (const char tableClass : {'\x00', '\x10'}) {
    jpeg += "\xFF\xC4";
    PutBigU16(jpeg, 20);
    jpeg += tableClass;
    jpeg += '\x01';
    jpeg += std::string(15, '\0');
    jpeg += '\0';
  }
  jpeg += "\xFF\xDA";
  PutBigU16(jpeg, 8);
  jpeg += std::string("\x01\x01\x00\x00\x3F\x00", 6);
  // Every 8x8 block is "no change, end of block": two zero bits; the last byte is padded
  // with one bits.
  const long blocks = long{(width + 7) / 8} * ((height + 7) / 8);
  const long bits = blocks * 2;
  jpeg += std::string(bits / 8, '\0');
  if (bits % 8)
    jpeg += static_cast<char>(0xFF >> (bits % 8));
  jpeg += "\xFF\xD9";
  return jpeg;
}

std::string PdfDocument(const std::string& title) {
  const std::string stream = "BT /F1 18 Tf 72 720 Td (" + title + ") Tj ET";
  const std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
      "/Resources << /Font << /F1 5 0 R >> >> >>",
      "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "\nendstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
  };
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    const std::string number = std::to_string(offset);
    pdf += std::string(10 - number.size(), '0') + number + " 00000 n \n";
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
         " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

std::string ZipArchive(const std::string& fileName, const std::string& contents) {
  const std::uint32_t crc = Crc32(contents);
  const auto size = static_cast<std::uint32_t>(contents.size());
  const auto nameSize = static_cast<int>(fileName.size());
  // Fixed modification time 2003-05-10 12:00:00 in the FAT form zip uses.
  const int dosTime = 12 << 11;
  const int dosDate = ((2003 - 1980) << 9) | (5 << 5) | 10;

  std::string zip = "PK\x03\x04";
  PutU16(zip, 10);  // version needed
  PutU16(zip, 0);   // flags
  PutU16(zip, 0);   // stored
  PutU16(zip, dosTime);
  PutU16(zip, dosDate);
  PutU32(zip, crc);
  PutU32(zip, size);
  PutU32(zip, size);
  PutU16(zip, nameSize);
  PutU16(zip, 0);
  zip += fileName + contents;

  const auto directoryOffset = static_cast<std::uint32_t>(zip.size());
  zip += "PK\x01\x02";
  PutU16(zip, 20);  // made by
  PutU16(zip, 10);
  PutU16(zip, 0);
  PutU16(zip, 0);
  PutU16(zip, dosTime);
  PutU16(zip, dosDate);
  PutU32(zip, crc);
  PutU32(zip, size);
  PutU32(zip, size);
  PutU16(zip, nameSize);
  PutU16(zip, 0);  // extra
  PutU16(zip, 0);  // comment
  PutU16(zip, 0);  // disk
  PutU16(zip, 0);  // internal attributes
  PutU32(zip, 0);  // external attributes
  PutU32(zip, 0);  // local header offset
  zip += fileName;
  const auto directorySize = static_cast<std::uint32_t>(zip.size()) - directoryOffset;

  zip += "PK\x05\x06";
  PutU16(zip, 0);
  PutU16(zip, 0);
  PutU16(zip, 1);
  PutU16(zip, 1);
  PutU32(zip, directorySize);
  PutU32(zip, directoryOffset);
  PutU16(zip, 0);
  return zip;
}

}  // namespace pagehold::testgen
