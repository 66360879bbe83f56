#include "card/card_background.h"

#include "card/card_background_data.h"

namespace card {

canvas::ByteSpan CardBackground() { return {kCardBackgroundJpeg, kCardBackgroundJpegSize}; }

canvas::PictureBytes CardBackgroundBytes() {
  auto bytes = CardBackground();
  return canvas::PictureBytes(bytes.begin(), bytes.end());
}

}  // namespace card
