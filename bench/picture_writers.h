#pragma once
// Writes the benchmark's pictures in the formats the card reads. Each writer
// is the plain textbook encoding, so the decoders see ordinary files.
#include <array>
#include <cstdint>
#include <vector>

#include "canvas/picture.h"

namespace bench {

using Bytes = std::vector<std::uint8_t>;

// Photo-like RGB pixels (smooth gradients plus noise), top row first. The
// same seed gives the same pixels.
Bytes PhotoPixels(int width, int height, std::uint32_t seed);
// Photo-like palette indices of a 256-colour picture, top row first.
Bytes PhotoIndices(int width, int height, std::uint32_t seed);
// A smooth 256-entry palette for PhotoIndices.
std::array<canvas::Rgb, 256> PhotoPalette();

// Baseline JPEG of RGB pixels with libjpeg's defaults at this quality.
Bytes WriteJpeg(const Bytes& rgb, int width, int height, int quality);
// 24-bit bottom-up BMP.
Bytes WriteBmp24(const Bytes& rgb, int width, int height);
// GIF of one image with a global colour table, written by giflib.
Bytes WriteGif(const Bytes& indices, int width, int height, const std::array<canvas::Rgb, 256>& palette);
// 8-bit run-length encoded PCX with its 256-colour palette trailer.
Bytes WritePcx8(const Bytes& indices, int width, int height, const std::array<canvas::Rgb, 256>& palette);

}  // namespace bench
