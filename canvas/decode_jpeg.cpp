#include "canvas/decode_picture.h"
#include "canvas/jpeg_row_reader.h"

namespace canvas {

std::optional<DecodedPicture> DecodeJpeg(ByteSpan bytes) {
  const std::unique_ptr<JpegRowReader> reader = JpegRowReader::Open(bytes);
  if (!reader) return std::nullopt;
  std::optional<DecodedPicture> picture(std::in_place);
  picture->format = PictureFormat::Jpeg;
  picture->width = reader->Width();
  picture->height = reader->Height();
  const std::size_t stride = static_cast<std::size_t>(reader->Width()) * 3;
  picture->rgb.resize(stride * static_cast<std::size_t>(reader->Height()));
  for (std::int32_t y = 0; y < reader->Height(); ++y)
    if (!reader->ReadRow(picture->rgb.data() + static_cast<std::size_t>(y) * stride)) return std::nullopt;
  // An error after the rows (reading up to the end marker) still means no picture.
  if (!reader->Finish()) return std::nullopt;
  return picture;
}

}  // namespace canvas
