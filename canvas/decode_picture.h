#pragma once
#include <optional>

#include "canvas/picture.h"

namespace canvas {

// Recognises the kind of picture from its first six bytes only.
PictureFormat IdentifyPictureFormat(ByteSpan bytes);

// The picture, or nothing when the bytes are empty, unrecognised or rejected
// by the one decoder their kind selects.
std::optional<DecodedPicture> DecodePicture(ByteSpan bytes);

// The decoders behind DecodePicture, one per file.
std::optional<DecodedPicture> DecodeJpeg(ByteSpan bytes);
std::optional<DecodedPicture> DecodeBmp(ByteSpan bytes);
std::optional<DecodedPicture> DecodeGif(ByteSpan bytes);
std::optional<DecodedPicture> DecodeIcon(ByteSpan bytes, PictureFormat format);
std::optional<DecodedPicture> DecodePcx(ByteSpan bytes, PictureFormat format);

}  // namespace canvas
