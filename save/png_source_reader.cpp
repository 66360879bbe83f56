// Reads PNG files of at most 8 bits per sample through libpng; transparency
// is laid over white.
#include <png.h>

#include "save/converter_picture.h"

namespace save {

ReadOutcome ReadPngSource(canvas::ByteSpan file, ConverterPicture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
    png_image_free(&image);
    return ReadOutcome::NotAccepted;
  }
  if (image.format & PNG_FORMAT_FLAG_LINEAR) {  // 16 bits per sample
    png_image_free(&image);
    return ReadOutcome::NotAccepted;
  }
  const bool color = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
  image.format = color ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
  if (!AllocatePicture(picture, image.width, image.height, color ? 3 : 1)) {
    png_image_free(&image);
    return ReadOutcome::DecodeFailed;
  }
  const png_color white{255, 255, 255};
  const bool decoded = png_image_finish_read(&image, &white, picture.pixels.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return decoded ? ReadOutcome::Decoded : ReadOutcome::DecodeFailed;
}

}  // namespace save
