#include "canvas/decode_picture.h"

// GIF, icon, cursor and PCX are recognised but not decoded yet: they give no
// picture, which the card shows as no avatar.
namespace canvas {

std::optional<DecodedPicture> DecodeGif(ByteSpan) { return std::nullopt; }
std::optional<DecodedPicture> DecodeIcon(ByteSpan, PictureFormat) { return std::nullopt; }
std::optional<DecodedPicture> DecodePcx(ByteSpan, PictureFormat) { return std::nullopt; }

}  // namespace canvas
