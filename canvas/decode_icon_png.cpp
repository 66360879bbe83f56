#include "canvas/decode_icon_png.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace canvas {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr png_byte kOpaqueAlpha = 0xFF;
// The mask has one bit: a pixel counts as transparent below half opacity.
constexpr png_byte kMaskThreshold = 0x80;
constexpr std::size_t kRgbaBytes = 4;

struct SpanSource {
  ByteSpan data;
  std::size_t position = 0;
};

void ReadFromSpan(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<SpanSource*>(png_get_io_ptr(png));
  if (count > source->data.size() - source->position) png_error(png, "PNG data ends early");
  std::memcpy(out, source->data.data() + source->position, count);
  source->position += count;
}

// libpng's messages are nobody's business here: errors end the decoding,
// warnings are ignored.
[[noreturn]] void StopDecoding(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

struct Decoded {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> rgba;
  std::vector<png_bytep> rows;
};

// Everything with a destructor lives in the caller's `out`, so that libpng's
// longjmp on an error skips none.
bool DecodeInto(ByteSpan bytes, Decoded& out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, StopDecoding, IgnoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  SpanSource source{bytes, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &source, ReadFromSpan);
  png_set_user_limits(png, static_cast<png_uint_32>(kMaxPictureDimension),
                      static_cast<png_uint_32>(kMaxPictureDimension));
  png_read_info(png, info);
  out.width = png_get_image_width(png, info);
  out.height = png_get_image_height(png, info);
  if (!PictureSizeAllowed(out.width, out.height, kRgbaBytes)) png_error(png, "picture too large");

  // Every kind of PNG becomes 8-bit RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, kOpaqueAlpha, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t stride = static_cast<std::size_t>(out.width) * kRgbaBytes;
  if (png_get_rowbytes(png, info) != stride) png_error(png, "unexpected row size");

  out.rgba.resize(stride * out.height);
  out.rows.resize(out.height);
  for (std::size_t y = 0; y < out.height; ++y) out.rows[y] = out.rgba.data() + y * stride;
  png_read_image(png, out.rows.data());
  // What follows the pixels (text, time, the end chunk) is not needed.
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

bool IsPngData(ByteSpan bytes) {
  return bytes.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin());
}

std::optional<DecodedPicture> DecodeIconPng(ByteSpan bytes, PictureFormat format) {
  Decoded decoded;
  if (!DecodeInto(bytes, decoded)) return std::nullopt;

  DecodedPicture picture;
  picture.format = format;
  picture.width = static_cast<std::int32_t>(decoded.width);
  picture.height = static_cast<std::int32_t>(decoded.height);
  const std::size_t count = static_cast<std::size_t>(decoded.width) * decoded.height;
  picture.mask.resize(count);
  // Pack RGBA down to RGB inside the same buffer: no second full-size copy.
  std::uint8_t* pixels = decoded.rgba.data();
  for (std::size_t i = 0; i < count; ++i) {
    picture.mask[i] = pixels[i * kRgbaBytes + 3] < kMaskThreshold ? 1 : 0;
    std::memmove(pixels + i * 3, pixels + i * kRgbaBytes, 3);
  }
  decoded.rgba.resize(count * 3);
  picture.rgb = std::move(decoded.rgba);
  return picture;
}

}  // namespace canvas
