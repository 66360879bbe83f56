#pragma once
#include "canvas/picture.h"

namespace card {

// The built-in card background: a 275 x 161 baseline JPEG, embedded at build time.
canvas::ByteSpan CardBackground();

// A fresh copy of those bytes, for the canvas to keep.
canvas::PictureBytes CardBackgroundBytes();

}  // namespace card
