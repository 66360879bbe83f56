#pragma once
#include <cstdint>

#include "canvas/card_canvas.h"

namespace canvas {

// What the canvas shows, as the bytes of a 24-bit bottom-up BMP file.
// 0 keeps the canvas's size on that axis, a positive value is pixels, a
// negative value -p is p percent (at least 10). Empty bytes when a size works
// out to 0 or less.
PictureBytes TakeSnapshot(const CardCanvas& canvas, std::int32_t width, std::int32_t height);

}  // namespace canvas
