// Each kind of picture as it lands on the card: as the avatar (DrawPicture)
// and as the tiled background (SetBackgroundPicture).
#include <gtest/gtest.h>

#include <array>

#include "canvas/card_canvas.h"
#include "canvas/color.h"
#include "canvas/decode_picture.h"
#include "format_samples.h"

namespace {

using canvas::CardCanvas;
using canvas::Rgb;
using namespace format_tests;

using Grid = std::array<Rgb, 4>;  // a 2 x 2 picture, row by row

Bytes Copy(std::span<const std::uint8_t> bytes) { return Bytes(bytes.begin(), bytes.end()); }

Bytes CursorOf(Bytes icon) {
  icon[2] = 2;  // directory type: cursor
  return icon;
}

struct Case {
  const char* name;
  Bytes bytes;
  Grid avatar;      // drawn over the canvas's background colour
  Grid background;  // painted as the background picture
};

std::vector<Case> Cases() {
  const Rgb R = kRed, G = kGreen, B = kBlue, Y = kYellow, K = kBlack, W = kWhite;
  const Rgb face = canvas::RgbFromColorRef(CardCanvas::kButtonFaceColor);
  return {
      {"gif: palette colours", Copy(kTwoByTwoGif), {R, G, B, W}, {R, G, B, W}},
      {"pcx 8-bit: palette colours",
       Join({PcxHeader(Pcx8(2, 2)), {1, 2, 3, 4}, PcxPalette({{1, R}, {2, G}, {3, B}, {4, W}})}), {R, G, B, W},
       {R, G, B, W}},
      {"icon: the transparent pixel leaves the canvas", Copy(kOneBitIcon), {B, Y, Y, face}, {B, Y, Y, face}},
      {"cursor: drawn like an icon", CursorOf(Copy(kOneBitIcon)), {B, Y, Y, face}, {B, Y, Y, face}},
      {"pcx 1-bit: 0 white and 1 the background colour as avatar, 0 black and 1 white as background",
       Join({PcxHeader(Pcx1(2, 2)), {0x80, 0x40}}),  // rows 1 0 and 0 1
       {face, W, W, face}, {W, K, K, W}},
  };
}

Grid GridAt(const CardCanvas& canvas, int x, int y, int scale = 1) {
  return {canvas.PixelAt(x, y), canvas.PixelAt(x + scale, y), canvas.PixelAt(x, y + scale),
          canvas.PixelAt(x + scale, y + scale)};
}

TEST(FormatDrawing, AvatarsLandAsTheirFormatSays) {
  const Rgb face = canvas::RgbFromColorRef(CardCanvas::kButtonFaceColor);
  for (const Case& c : Cases()) {
    const auto picture = canvas::DecodePicture(c.bytes);
    ASSERT_TRUE(picture) << c.name;
    CardCanvas canvas;
    ASSERT_EQ(canvas.PixelAt(10, 10), face);
    canvas.DrawPicture(picture, 10, 10, 2, 2);
    EXPECT_EQ(GridAt(canvas, 10, 10), c.avatar) << c.name;
    EXPECT_EQ(canvas.PixelAt(12, 10), face) << c.name;
    EXPECT_EQ(canvas.PixelAt(10, 12), face) << c.name;

    // Twice the size: each pixel, and each mask bit, covers 2 x 2.
    canvas.DrawPicture(picture, 20, 20, 4, 4);
    EXPECT_EQ(GridAt(canvas, 20, 20, 2), c.avatar) << c.name;
    EXPECT_EQ(GridAt(canvas, 21, 21, 2), c.avatar) << c.name;
  }
}

TEST(FormatDrawing, BackgroundsTileAsTheirFormatSays) {
  for (const Case& c : Cases()) {
    CardCanvas canvas;
    canvas.SetBackgroundPicture(c.bytes);
    EXPECT_TRUE(canvas.HasBackgroundPicture()) << c.name;
    EXPECT_EQ(GridAt(canvas, 0, 0), c.background) << c.name;
    EXPECT_EQ(GridAt(canvas, 2, 4), c.background) << c.name;
    // Tiles repeat to the far corner (272, 158), where a tile starts again.
    EXPECT_EQ(canvas.PixelAt(CardCanvas::kWidth - 1, CardCanvas::kHeight - 1), c.background[0]) << c.name;
  }
}

}  // namespace
