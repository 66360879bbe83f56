#include "format_test_support.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace canvas {
void PrintTo(const Rgb& color, std::ostream* out) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", color.r, color.g, color.b);
  *out << text;
}
}  // namespace canvas

namespace format_tests {

using canvas::DecodedPicture;
using canvas::PictureFormat;
using canvas::Rgb;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes Le16(std::uint32_t value) { return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)}; }

Bytes Le32(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

Bytes ReadDataFile(const std::string& name) {
  std::ifstream in(std::string(SHOWCARD_FORMAT_DATA) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Reference ReadReference(const std::string& name) {
  const Bytes bytes = ReadDataFile(name);
  const std::string text(bytes.begin(), bytes.end());
  std::istringstream in(text);
  std::string magic;
  in >> magic;
  Reference ref;
  int depth = 3;
  if (magic == "P6") {
    int maxval = 0;
    in >> ref.width >> ref.height >> maxval;
    in.get();  // the single blank before the samples
  } else if (magic == "P7") {
    for (std::string key; in >> key && key != "ENDHDR";) {
      std::string value;
      in >> value;
      if (key == "WIDTH") ref.width = std::stoi(value);
      if (key == "HEIGHT") ref.height = std::stoi(value);
      if (key == "DEPTH") depth = std::stoi(value);
    }
    in.get();
  } else {
    return {};
  }
  const auto start = static_cast<std::size_t>(in.tellg());
  const std::size_t count = static_cast<std::size_t>(ref.width) * static_cast<std::size_t>(ref.height);
  if (start + count * static_cast<std::size_t>(depth) > bytes.size()) return {};
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = bytes.data() + start + i * static_cast<std::size_t>(depth);
    ref.rgb.push_back(Rgb{p[0], p[1], p[2]});
    if (depth == 4) ref.alpha.push_back(p[3]);
  }
  return ref;
}

Rgb ColorAt(const DecodedPicture& p, int x, int y) {
  const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x);
  switch (p.format) {
    case PictureFormat::Gif:
    case PictureFormat::Pcx8: return p.palette[p.indices.at(i)];
    case PictureFormat::Pcx1: return BitAt(p, x, y) ? kWhite : kBlack;
    default: return Rgb{p.rgb.at(i * 3), p.rgb.at(i * 3 + 1), p.rgb.at(i * 3 + 2)};
  }
}

bool TransparentAt(const DecodedPicture& p, int x, int y) {
  return p.mask.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)) != 0;
}

bool BitAt(const DecodedPicture& p, int x, int y) {
  const std::size_t byte = static_cast<std::size_t>(y) * p.BitRowStride() + static_cast<std::size_t>(x) / 8;
  return (p.bits.at(byte) >> (7 - x % 8)) & 1;
}

std::vector<Rgb> AllColors(const DecodedPicture& p) {
  std::vector<Rgb> out;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) out.push_back(ColorAt(p, x, y));
  return out;
}

}  // namespace format_tests
