#pragma once
// What a picture file turns into, for the canvas to draw.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace canvas {

// The complete bytes of a picture file; empty stands for no picture.
using PictureBytes = std::vector<std::uint8_t>;
using ByteSpan = std::span<const std::uint8_t>;

enum class PictureFormat { Jpeg, Bmp, Icon, Cursor, Gif, Pcx8, Pcx1, Unrecognised };

const char* PictureFormatName(PictureFormat format);

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Content by format:
//   Jpeg, Bmp:     rgb, width*height*3 bytes, top row first.
//   Icon, Cursor:  rgb as above, plus mask (width*height, 1 = transparent).
//   Gif, Pcx8:     indices (width*height) into palette.
//   Pcx1:          bits, MSB first, each row padded to an even number of bytes.
struct DecodedPicture {
  PictureFormat format = PictureFormat::Unrecognised;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> rgb;
  std::vector<std::uint8_t> mask;
  std::vector<std::uint8_t> indices;
  std::array<Rgb, 256> palette{};
  std::vector<std::uint8_t> bits;

  // Bytes per Pcx1 row.
  std::size_t BitRowStride() const { return ((static_cast<std::size_t>(width) + 15) / 16) * 2; }
};

// No picture needs more than this many bytes of pixels, whatever a header claims.
inline constexpr std::size_t kMaxPictureBytes = std::size_t{256} << 20;
inline constexpr std::int64_t kMaxPictureDimension = 1 << 16;

// True when a width x height picture of `bytes_per_pixel` stays within the cap.
bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::int64_t bytes_per_pixel);

}  // namespace canvas
