#pragma once
// Icon entries that hold a PNG file instead of a bitmap.
#include <optional>

#include "canvas/picture.h"

namespace canvas {

// True when the entry's bytes start with the PNG signature.
bool IsPngData(ByteSpan bytes);

// The PNG as an icon picture of `format` (Icon or Cursor): its own size, and
// pixels less than half opaque marked transparent in the mask.
std::optional<DecodedPicture> DecodeIconPng(ByteSpan bytes, PictureFormat format);

}  // namespace canvas
