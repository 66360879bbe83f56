#pragma once
// Small picture files built in memory, so each test shows the bytes it feeds in.
#include <cstdint>
#include <string>
#include <vector>

#include "canvas/picture.h"

namespace testing_pictures {

using Bytes = std::vector<std::uint8_t>;

// A 24-bit bottom-up BMP of the given RGB pixels (top row first).
Bytes Bmp24(int width, int height, const std::vector<canvas::Rgb>& pixels);

// A BMP of one colour.
Bytes SolidBmp(int width, int height, canvas::Rgb color);

// A JPEG encoded with libjpeg: `components` 1 (grey) or 3; arithmetic coding on request.
Bytes Jpeg(int width, int height, int components, const std::vector<std::uint8_t>& samples,
           bool arithmetic = false, int quality = 90);

// Writes bytes to a fresh file under the test's temp folder and returns its path.
std::string WriteTempFile(const std::string& name, const Bytes& bytes);

}  // namespace testing_pictures
