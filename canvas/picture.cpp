#include "canvas/picture.h"

namespace canvas {

const char* PictureFormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Jpeg: return "Jpeg";
    case PictureFormat::Bmp: return "Bmp";
    case PictureFormat::Icon: return "Icon";
    case PictureFormat::Cursor: return "Cursor";
    case PictureFormat::Gif: return "Gif";
    case PictureFormat::Pcx8: return "Pcx8";
    case PictureFormat::Pcx1: return "Pcx1";
    case PictureFormat::Unrecognised: break;
  }
  return "Unrecognised";
}

bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::int64_t bytes_per_pixel) {
  if (width <= 0 || height <= 0 || bytes_per_pixel <= 0) return false;
  if (width > kMaxPictureDimension || height > kMaxPictureDimension) return false;
  // Both below 2^16, so the product cannot overflow 64 bits.
  return width * height * bytes_per_pixel <= static_cast<std::int64_t>(kMaxPictureBytes);
}

}  // namespace canvas
