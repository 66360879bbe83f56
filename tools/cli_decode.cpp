#include <png.h>

#include <cstdio>
#include <memory>

#include "canvas/decode_picture.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "tools/cli_options.h"

namespace cli {
namespace {

// The picture at its natural size as RGBA (alpha 0 where a mask makes it
// transparent) or RGB.
std::vector<std::uint8_t> ToRgbx(const canvas::DecodedPicture& p, bool& has_alpha) {
  using canvas::PictureFormat;
  has_alpha = p.format == PictureFormat::Icon || p.format == PictureFormat::Cursor;
  const std::size_t n = static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height);
  const std::size_t c = has_alpha ? 4 : 3;
  std::vector<std::uint8_t> out(n * c);
  for (std::size_t i = 0; i < n; ++i) {
    canvas::Rgb px;
    switch (p.format) {
      case PictureFormat::Gif:
      case PictureFormat::Pcx8: px = p.palette[p.indices[i]]; break;
      case PictureFormat::Pcx1: {
        const std::size_t x = i % static_cast<std::size_t>(p.width);
        const std::size_t y = i / static_cast<std::size_t>(p.width);
        const bool one = p.bits[y * p.BitRowStride() + x / 8] & (0x80u >> (x % 8));
        px = one ? canvas::Rgb{255, 255, 255} : canvas::Rgb{0, 0, 0};
        break;
      }
      default: px = canvas::Rgb{p.rgb[i * 3], p.rgb[i * 3 + 1], p.rgb[i * 3 + 2]};
    }
    out[i * c] = px.r;
    out[i * c + 1] = px.g;
    out[i * c + 2] = px.b;
    if (has_alpha) out[i * c + 3] = p.mask[i] ? 0 : 255;
  }
  return out;
}

bool WritePng(const std::string& path, const canvas::DecodedPicture& p) {
  bool has_alpha = false;
  const std::vector<std::uint8_t> pixels = ToRgbx(p, has_alpha);
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(p.width), static_cast<png_uint_32>(p.height), 8,
               has_alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const std::size_t stride = static_cast<std::size_t>(p.width) * (has_alpha ? 4 : 3);
  for (std::int32_t y = 0; y < p.height; ++y)
    png_write_row(png, pixels.data() + static_cast<std::size_t>(y) * stride);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
}

}  // namespace

int Decode(const Args& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "showcard-cli decode: give INPUT and OUTPUT.png\n");
    return kExitUsage;
  }
  const platform::Bytes bytes = platform::ReadWholeFile(platform::GbkFromUtf8(args[0]));
  if (bytes.empty()) {
    std::fprintf(stderr, "showcard-cli decode: %s: cannot read the file, or it is empty\n", args[0].c_str());
    return kExitFailure;
  }
  const canvas::PictureFormat format = canvas::IdentifyPictureFormat(bytes);
  if (format == canvas::PictureFormat::Unrecognised) {
    std::fprintf(stderr, "showcard-cli decode: %s: not a picture of a known kind\n", args[0].c_str());
    return kExitFailure;
  }
  const auto picture = canvas::DecodePicture(bytes);
  if (!picture) {
    std::fprintf(stderr, "showcard-cli decode: %s: the %s data is damaged or of an unsupported kind\n",
                 args[0].c_str(), canvas::PictureFormatName(format));
    return kExitFailure;
  }
  if (!WritePng(args[1], *picture)) {
    std::fprintf(stderr, "showcard-cli decode: cannot write %s\n", args[1].c_str());
    return kExitFailure;
  }
  std::printf("%s %dx%d\n", canvas::PictureFormatName(picture->format), picture->width, picture->height);
  return kExitOk;
}

}  // namespace cli
