#include "canvas/decode_picture.h"

namespace canvas {

PictureFormat IdentifyPictureFormat(ByteSpan b) {
  if (b.size() < 6) return PictureFormat::Unrecognised;
  auto word = [&](std::size_t offset) { return b[offset] | (b[offset + 1] << 8); };
  if (b[0] == 0x42 && b[1] == 0x4D) return PictureFormat::Bmp;
  if (b[0] == 0xFF && b[1] == 0xD8) return PictureFormat::Jpeg;
  if (word(0) == 0 && word(2) == 1 && word(4) >= 1) return PictureFormat::Icon;
  if (word(0) == 0 && word(2) == 2 && word(4) >= 1) return PictureFormat::Cursor;
  if (b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' && (b[4] == '7' || b[4] == '9') &&
      b[5] == 'a')
    return PictureFormat::Gif;
  if (b[0] == 0x0A && b[1] <= 5 && b[2] == 1 && b[3] == 8) return PictureFormat::Pcx8;
  if (b[0] == 0x0A && b[1] == 3 && b[2] == 1 && b[3] == 1) return PictureFormat::Pcx1;
  return PictureFormat::Unrecognised;
}

std::optional<DecodedPicture> DecodePicture(ByteSpan bytes) {
  if (bytes.empty()) return std::nullopt;
  switch (const PictureFormat format = IdentifyPictureFormat(bytes)) {
    case PictureFormat::Jpeg: return DecodeJpeg(bytes);
    case PictureFormat::Bmp: return DecodeBmp(bytes);
    case PictureFormat::Gif: return DecodeGif(bytes);
    case PictureFormat::Icon:
    case PictureFormat::Cursor: return DecodeIcon(bytes, format);
    case PictureFormat::Pcx8:
    case PictureFormat::Pcx1: return DecodePcx(bytes, format);
    case PictureFormat::Unrecognised: break;
  }
  return std::nullopt;
}

}  // namespace canvas
