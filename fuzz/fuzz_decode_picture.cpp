// Any bytes go through DecodePicture and are drawn on a canvas, as an avatar
// and as the background: nothing may crash, leak or misbehave.
#include <cstddef>
#include <cstdint>

#include "canvas/card_canvas.h"
#include "canvas/decode_picture.h"

namespace {

// A decoder that says "picture" must hand over every pixel the canvas reads;
// otherwise the canvas would quietly draw nothing and hide the fault.
bool WellFormed(const canvas::DecodedPicture& p, canvas::PictureFormat recognised) {
  using canvas::PictureFormat;
  if (p.format != recognised || p.width <= 0 || p.height <= 0) return false;
  const std::size_t n = static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height);
  switch (p.format) {
    case PictureFormat::Jpeg:
    case PictureFormat::Bmp: return p.rgb.size() == n * 3;
    case PictureFormat::Icon:
    case PictureFormat::Cursor: return p.rgb.size() == n * 3 && p.mask.size() == n;
    case PictureFormat::Gif:
    case PictureFormat::Pcx8: return p.indices.size() == n;
    case PictureFormat::Pcx1: return p.bits.size() == p.BitRowStride() * static_cast<std::size_t>(p.height);
    case PictureFormat::Unrecognised: break;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const canvas::ByteSpan bytes(data, size);
  const auto picture = canvas::DecodePicture(bytes);
  if (picture && !WellFormed(*picture, canvas::IdentifyPictureFormat(bytes))) __builtin_trap();

  canvas::CardCanvas card;
  card.DrawPicture(picture, 5, 5, 78, 128);  // the avatar frame
  if (picture) card.DrawPicture(picture, 0, 0, picture->width, picture->height);
  card.SetBackgroundPicture(canvas::PictureBytes(bytes.begin(), bytes.end()));
  return 0;
}
