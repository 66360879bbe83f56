#include <new>

#include "save/converter_picture.h"

namespace save {

bool AllocatePicture(ConverterPicture& picture, std::int64_t width, std::int64_t height, int channels) {
  if ((channels != 1 && channels != 3) || !canvas::PictureSizeAllowed(width, height, channels)) return false;
  try {
    picture.pixels.assign(static_cast<std::size_t>(width * height * channels), 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  picture.width = static_cast<std::int32_t>(width);
  picture.height = static_cast<std::int32_t>(height);
  picture.channels = channels;
  return true;
}

const ConverterPicture& PictureOfDepth(const ConverterPicture& picture, int channels, ConverterPicture& scratch) {
  if (picture.channels == channels) return picture;
  if (!AllocatePicture(scratch, picture.width, picture.height, channels)) return scratch;  // left empty
  scratch.has_resolution = picture.has_resolution;
  scratch.x_dots_per_cm = picture.x_dots_per_cm;
  scratch.y_dots_per_cm = picture.y_dots_per_cm;
  const std::size_t count = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
  const std::uint8_t* src = picture.pixels.data();
  std::uint8_t* dst = scratch.pixels.data();
  if (channels == 3) {
    for (std::size_t i = 0; i < count; ++i, dst += 3) dst[0] = dst[1] = dst[2] = src[i];
  } else {
    // libjpeg's own luminance weights in 16-bit fixed point, rounded, so a
    // gray JPEG matches what the library makes of the colour picture.
    for (std::size_t i = 0; i < count; ++i, src += 3)
      dst[i] = static_cast<std::uint8_t>((19595u * src[0] + 38470u * src[1] + 7471u * src[2] + 32768u) >> 16);
  }
  return scratch;
}

}  // namespace save
