#pragma once
#include <cstdint>

#include "canvas/picture.h"

namespace canvas {

// A colour laid out 0x00BBGGRR: red in the low byte.
using ColorRef = std::uint32_t;

constexpr Rgb RgbFromColorRef(ColorRef c) {
  return Rgb{static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
             static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}
constexpr ColorRef ColorRefFromRgb(Rgb c) {
  return static_cast<ColorRef>(c.r) | (static_cast<ColorRef>(c.g) << 8) |
         (static_cast<ColorRef>(c.b) << 16);
}

}  // namespace canvas
