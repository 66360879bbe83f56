#pragma once
// Helpers shared by the format tests: joining hand-built byte pieces, reading
// the real files under tests/data/formats, and reading a picture's pixels
// whatever its format.
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "canvas/picture.h"

namespace canvas {
// Readable failures: "#RRGGBB" instead of three raw bytes.
void PrintTo(const Rgb& color, std::ostream* out);
}  // namespace canvas

namespace format_tests {

using Bytes = std::vector<std::uint8_t>;

inline constexpr canvas::Rgb kRed{0xFF, 0, 0};
inline constexpr canvas::Rgb kGreen{0, 0xFF, 0};
inline constexpr canvas::Rgb kBlue{0, 0, 0xFF};
inline constexpr canvas::Rgb kCyan{0, 0xFF, 0xFF};
inline constexpr canvas::Rgb kMagenta{0xFF, 0, 0xFF};
inline constexpr canvas::Rgb kYellow{0xFF, 0xFF, 0};
inline constexpr canvas::Rgb kBlack{0, 0, 0};
inline constexpr canvas::Rgb kWhite{0xFF, 0xFF, 0xFF};

Bytes Join(std::initializer_list<Bytes> parts);
Bytes Le16(std::uint32_t value);
Bytes Le32(std::uint32_t value);

// The whole file under tests/data/formats; empty if it cannot be read.
Bytes ReadDataFile(const std::string& name);

// A binary PPM (P6) or PAM (P7, RGB_ALPHA) reference picture.
struct Reference {
  int width = 0;
  int height = 0;
  std::vector<canvas::Rgb> rgb;
  std::vector<std::uint8_t> alpha;  // empty for PPM
};
Reference ReadReference(const std::string& name);

// What a decoded picture holds at (x, y): its colour (via the palette for
// palette formats), and for icons whether the mask makes it transparent.
canvas::Rgb ColorAt(const canvas::DecodedPicture& picture, int x, int y);
bool TransparentAt(const canvas::DecodedPicture& picture, int x, int y);
// A Pcx1 picture's bit at (x, y).
bool BitAt(const canvas::DecodedPicture& picture, int x, int y);

// All colours row by row, for comparing whole small pictures.
std::vector<canvas::Rgb> AllColors(const canvas::DecodedPicture& picture);

}  // namespace format_tests
