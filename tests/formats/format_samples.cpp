#include "format_samples.h"

namespace format_tests {

Bytes PcxHeader(const PcxFields& f) {
  Bytes h = Join({{f.manufacturer, f.version, f.encoding, f.bits_per_pixel}, Le16(f.x_min), Le16(f.y_min),
                  Le16(f.x_max), Le16(f.y_max)});
  h.resize(65, 0);  // resolution, 16-colour palette, reserved byte
  h = Join({h, {f.planes}, Le16(f.bytes_per_line)});
  h.resize(kPcxHeaderSize, 0);
  return h;
}

PcxFields Pcx8(std::uint16_t width, std::uint16_t height) {
  PcxFields f;
  f.x_max = static_cast<std::uint16_t>(width - 1);
  f.y_max = static_cast<std::uint16_t>(height - 1);
  f.bytes_per_line = width;
  return f;
}

PcxFields Pcx1(std::uint16_t width, std::uint16_t height) {
  PcxFields f = Pcx8(width, height);
  f.version = 3;
  f.bits_per_pixel = 1;
  f.bytes_per_line = static_cast<std::uint16_t>((width + 15) / 16 * 2);
  return f;
}

Bytes PcxPalette(const std::map<int, canvas::Rgb>& colors) {
  Bytes p(1 + 256 * 3, 0);
  p[0] = 0x0C;
  for (const auto& [index, c] : colors) {
    p[1 + static_cast<std::size_t>(index) * 3] = c.r;
    p[2 + static_cast<std::size_t>(index) * 3] = c.g;
    p[3 + static_cast<std::size_t>(index) * 3] = c.b;
  }
  return p;
}

}  // namespace format_tests
