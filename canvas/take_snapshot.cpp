#include "canvas/take_snapshot.h"

#include <cmath>

#include "canvas/area_scaler.h"

namespace canvas {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelDataOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr std::int32_t kMinPercent = 10;

// 0 keeps the source size, positive is pixels, -p is p percent (10 at least).
std::int64_t OutputSize(std::int32_t asked, std::int32_t source) {
  if (asked == 0) return source;
  if (asked > 0) return asked;
  const std::int64_t percent = std::max<std::int64_t>(-static_cast<std::int64_t>(asked), kMinPercent);
  return static_cast<std::int64_t>(std::floor(static_cast<double>(source) * static_cast<double>(percent) / 100.0 + 0.5));
}

void PutLe16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLe32(std::uint8_t* p, std::uint32_t v) {
  PutLe16(p, v);
  PutLe16(p + 2, v >> 16);
}

}  // namespace

PictureBytes TakeSnapshot(const CardCanvas& canvas, std::int32_t width, std::int32_t height) {
  const std::int32_t source_width = CardCanvas::kWidth;
  const std::int32_t source_height = CardCanvas::kHeight;
  const std::int64_t out_width = OutputSize(width, source_width);
  const std::int64_t out_height = OutputSize(height, source_height);
  if (out_width <= 0 || out_height <= 0) return {};
  const std::int64_t stride = (out_width * 3 + 3) / 4 * 4;
  if (!PictureSizeAllowed(out_width, out_height, 3) || stride * out_height > 0x7FFFFFFF - kPixelDataOffset)
    return {};
  const auto image_size = static_cast<std::uint32_t>(stride * out_height);

  PictureBytes bmp(kPixelDataOffset + static_cast<std::size_t>(image_size), 0);
  std::uint8_t* h = bmp.data();
  h[0] = 'B';
  h[1] = 'M';
  PutLe32(h + 2, kPixelDataOffset + image_size);
  PutLe32(h + 10, kPixelDataOffset);
  PutLe32(h + 14, kInfoHeaderSize);
  PutLe32(h + 18, static_cast<std::uint32_t>(out_width));
  PutLe32(h + 22, static_cast<std::uint32_t>(out_height));  // positive: rows bottom-up
  PutLe16(h + 26, 1);
  PutLe16(h + 28, 24);
  PutLe32(h + 34, image_size);

  // Row y of the picture goes to stored row (height - 1 - y), as blue, green, red.
  auto store_row = [&](std::int32_t y, const std::uint8_t* rgb) {
    std::uint8_t* dst = bmp.data() + kPixelDataOffset +
                        static_cast<std::size_t>(out_height - 1 - y) * static_cast<std::size_t>(stride);
    for (std::int64_t x = 0; x < out_width; ++x, rgb += 3, dst += 3) {
      dst[0] = rgb[2];
      dst[1] = rgb[1];
      dst[2] = rgb[0];
    }
  };
  const std::uint8_t* pixels = canvas.Pixels();
  const std::size_t source_row = static_cast<std::size_t>(source_width) * 3;
  if (out_width == source_width && out_height == source_height) {
    for (std::int32_t y = 0; y < source_height; ++y) store_row(y, pixels + static_cast<std::size_t>(y) * source_row);
  } else {
    ScaleByAreaAveraging(
        source_width, source_height, 3,
        [&](std::int32_t y, std::uint8_t*) { return pixels + static_cast<std::size_t>(y) * source_row; },
        static_cast<std::int32_t>(out_width), static_cast<std::int32_t>(out_height), store_row);
  }
  return bmp;
}

}  // namespace canvas
