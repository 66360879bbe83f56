#include <gtest/gtest.h>

#include "canvas/card_canvas.h"
#include "canvas/decode_picture.h"
#include "canvas/font_face.h"
#include "card/card_background.h"
#include "picture_builders.h"

namespace {

using canvas::CardCanvas;
using canvas::Region;
using testing_pictures::Bytes;
using canvas::Rgb;

constexpr Rgb kFace = canvas::RgbFromColorRef(CardCanvas::kButtonFaceColor);

// Pixels that differ from the bare canvas, as a bounding box.
struct Box {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  bool Empty() const { return x1 < 0; }
};

Box Changed(const CardCanvas& canvas, Rgb bare) {
  Box b;
  for (int y = 0; y < CardCanvas::kHeight; ++y)
    for (int x = 0; x < CardCanvas::kWidth; ++x)
      if (!(canvas.PixelAt(x, y) == bare)) {
        b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
      }
  return b;
}

TEST(CardCanvas, FontSizesInPixels) {
  struct Case {
    int points, dpi, pixels;
  };
  for (const Case c : {Case{9, 96, 12}, Case{10, 96, 13}, Case{9, 120, 15}, Case{10, 120, 17}, Case{0, 96, 0},
                       Case{-5, 96, 0}, Case{3, 96, 4}})
    EXPECT_EQ(CardCanvas::PixelHeightForPoints(c.points, c.dpi), c.pixels) << c.points << "pt at " << c.dpi;
}

TEST(CardCanvas, UiFontHasCrispStrikesAtTheCardSizes) {
  canvas::FontFace& font = canvas::FontFace::Default();
  ASSERT_TRUE(font.Usable());
  EXPECT_TRUE(font.HasStrike(12));
  EXPECT_TRUE(font.HasStrike(13));
}

TEST(CardCanvas, StartsWithTheBackgroundPicture) {
  CardCanvas canvas(card::CardBackgroundBytes());
  const auto bg = canvas::DecodePicture(card::CardBackground());
  ASSERT_TRUE(bg);
  for (int y : {0, 80, 158})
    for (int x : {0, 136, 272}) {
      const std::size_t i = (static_cast<std::size_t>(y) * 275 + static_cast<std::size_t>(x)) * 3;
      EXPECT_EQ(canvas.PixelAt(x, y), (Rgb{bg->rgb[i], bg->rgb[i + 1], bg->rgb[i + 2]})) << x << "," << y;
    }
}

TEST(CardCanvas, BytesThatAreNoPictureLeaveTheFaceColour) {
  CardCanvas canvas(card::CardBackgroundBytes());
  canvas.SetBackgroundPicture({'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
  EXPECT_FALSE(canvas.HasBackgroundPicture());  // dropped, not decoded again
  EXPECT_TRUE(Changed(canvas, kFace).Empty());
}

TEST(CardCanvas, SmallBackgroundIsTiledFromTheTopLeft) {
  CardCanvas canvas;
  canvas.SetBackgroundPicture(testing_pictures::Bmp24(2, 1, {{255, 0, 0}, {0, 0, 255}}));
  EXPECT_EQ(canvas.PixelAt(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(canvas.PixelAt(1, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(canvas.PixelAt(270, 158), (Rgb{255, 0, 0}));
  EXPECT_EQ(canvas.PixelAt(271, 3), (Rgb{0, 0, 255}));
}

TEST(CardCanvas, PictureFillsExactlyItsRectangle) {
  CardCanvas canvas;
  canvas.DrawPicture(canvas::DecodePicture(testing_pictures::SolidBmp(100, 150, {10, 20, 30})), 5, 5, 78, 128);
  const Box box = Changed(canvas, kFace);
  EXPECT_EQ(box.x0, 5);
  EXPECT_EQ(box.y0, 5);
  EXPECT_EQ(box.x1, 82);
  EXPECT_EQ(box.y1, 132);
  EXPECT_EQ(canvas.PixelAt(40, 70), (Rgb{10, 20, 30}));
}

TEST(CardCanvas, PictureIsClippedAndNoPictureDrawsNothing) {
  CardCanvas canvas;
  canvas.DrawPicture(std::nullopt, 5, 5, 78, 128);
  EXPECT_TRUE(Changed(canvas, kFace).Empty());
  canvas.DrawPicture(canvas::DecodePicture(testing_pictures::SolidBmp(4, 4, {1, 2, 3})), 260, -10, 40, 40);
  const Box box = Changed(canvas, kFace);
  EXPECT_EQ(box.x0, 260);
  EXPECT_EQ(box.y0, 0);
  EXPECT_EQ(box.x1, 272);
  EXPECT_EQ(box.y1, 29);
}

TEST(CardCanvas, TextSitsBelowItsTopLeftCorner) {
  CardCanvas canvas;
  canvas.SetFontSize(9);
  canvas.SetTextColor(0x0000FF);
  canvas.WriteTextAt(88, 21, "\xCC\xEC");  // 天
  const Box box = Changed(canvas, kFace);
  ASSERT_FALSE(box.Empty());
  EXPECT_GE(box.x0, 88);
  EXPECT_GE(box.y0, 21);
  EXPECT_LE(box.y1, 21 + 12);
  EXPECT_GE(box.y1 - box.y0, 8);  // a Chinese character nearly fills its 12 pixels
  // One-bit strike: every changed pixel is the text colour itself.
  for (int y = box.y0; y <= box.y1; ++y)
    for (int x = box.x0; x <= box.x1; ++x)
      if (!(canvas.PixelAt(x, y) == kFace)) {
        EXPECT_EQ(canvas.PixelAt(x, y), (Rgb{255, 0, 0}));
      }
}

TEST(CardCanvas, EmptyTextDrawsNothing) {
  CardCanvas canvas;
  canvas.WriteTextAt(88, 21, "");
  EXPECT_TRUE(Changed(canvas, kFace).Empty());
}

TEST(CardCanvas, SecondLineIsOneLineHeightPlusTwoLower) {
  CardCanvas one_line, two_lines, shifted;
  for (CardCanvas* c : {&one_line, &two_lines, &shifted}) c->SetFontSize(10);
  const int step = canvas::FontFace::Default().LineHeight(13) + 2;
  two_lines.WriteTextAt(10, 10, "AB\r\nAB");
  one_line.WriteTextAt(10, 10, "AB");
  shifted.WriteTextAt(10, 10 + step, "AB");
  // The two-line text is exactly the one line drawn twice.
  one_line.WriteTextAt(10, 10 + step, "AB");
  for (int y = 0; y < CardCanvas::kHeight; ++y)
    for (int x = 0; x < CardCanvas::kWidth; ++x) ASSERT_EQ(two_lines.PixelAt(x, y), one_line.PixelAt(x, y));
  // CR alone, LF alone and LF LF each end one line.
  for (const char* text : {"AB\rAB", "AB\nAB", "AB\n\nAB"}) {
    CardCanvas c;
    c.SetFontSize(10);
    c.WriteTextAt(10, 10, text);
    for (int y = 0; y < CardCanvas::kHeight; ++y)
      for (int x = 0; x < CardCanvas::kWidth; ++x) ASSERT_EQ(c.PixelAt(x, y), one_line.PixelAt(x, y)) << text;
  }
  EXPECT_FALSE(Changed(shifted, kFace).Empty());
}

TEST(CardCanvas, LongTextIsCutAtTheRightEdgeWithoutWrapping) {
  CardCanvas canvas;
  canvas.SetFontSize(10);
  canvas.WriteTextAt(250, 50, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  const Box box = Changed(canvas, kFace);
  EXPECT_EQ(box.x1, 272);
  EXPECT_LT(box.y1, 50 + 13);
  EXPECT_GE(box.y0, 50);
}

TEST(CardCanvas, KeepsDrawingsUntilTheBackgroundIsSetAgain) {
  CardCanvas canvas(card::CardBackgroundBytes());
  const std::vector<std::uint8_t> bare(canvas.Pixels(), canvas.Pixels() + CardCanvas::kWidth * CardCanvas::kHeight * 3);
  int changes = 0;
  canvas.SetChangeListener([&] { ++changes; });
  canvas.SetFontSize(9);
  canvas.WriteTextAt(88, 5, "KW-T");
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(std::equal(bare.begin(), bare.end(), canvas.Pixels()));
  canvas.SetBackgroundPicture(card::CardBackgroundBytes());
  EXPECT_TRUE(std::equal(bare.begin(), bare.end(), canvas.Pixels()));
  EXPECT_EQ(changes, 2);
}

// A JPEG whose rows all decode but which then fails: a quantization table with
// a bad index sits between the scan and the end marker.
Bytes FailsAfterItsRows(Bytes jpeg) {
  const Bytes bad_table = {0xFF, 0xDB, 0x00, 0x43, 0x0F};
  jpeg.insert(jpeg.end() - 2, bad_table.begin(), bad_table.end());
  jpeg.insert(jpeg.end() - 2, 64, std::uint8_t{1});
  return jpeg;
}

TEST(CardCanvas, DrawingBytesMatchesDrawingTheDecodedPicture) {
  std::vector<std::uint8_t> samples(40 * 30 * 3);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::uint8_t>(i * 37 % 253);
  const Bytes colour = testing_pictures::Jpeg(40, 30, 3, samples);
  Bytes truncated = colour;
  truncated.resize(truncated.size() * 2 / 3);
  ASSERT_FALSE(canvas::DecodePicture(FailsAfterItsRows(colour)));
  struct Picture {
    const char* name;
    Bytes bytes;
  };
  const Picture pictures[] = {
      {"colour jpeg", colour},
      {"grey jpeg", testing_pictures::Jpeg(40, 30, 1, std::vector<std::uint8_t>(samples.begin(), samples.begin() + 1200))},
      {"truncated jpeg", truncated},
      {"jpeg failing after its rows", FailsAfterItsRows(colour)},
      {"arithmetic-coded jpeg", testing_pictures::Jpeg(40, 30, 3, samples, true)},
      {"bmp", testing_pictures::SolidBmp(7, 9, {10, 20, 30})},
      {"no picture", {'n', 'o', 'n', 'e', '!', '!', '!'}},
      {"empty", {}},
  };
  const Region rectangles[] = {{5, 5, 78, 128}, {0, 0, 40, 30}, {250, 140, 60, 50}, {-20, -10, 33, 17},
                               {300, 5, 10, 10}, {5, 5, 0, 10}};
  for (const Picture& p : pictures)
    for (const Region& r : rectangles) {
      CardCanvas expected(card::CardBackgroundBytes()), drawn(card::CardBackgroundBytes());
      int expected_changes = 0, drawn_changes = 0;
      expected.SetChangeListener([&] { ++expected_changes; });
      drawn.SetChangeListener([&] { ++drawn_changes; });
      expected.DrawPicture(canvas::DecodePicture(p.bytes), r.x, r.y, r.width, r.height);
      drawn.DrawPictureBytes(p.bytes, r.x, r.y, r.width, r.height);
      const std::string where = std::string(p.name) + " at " + std::to_string(r.x) + "," + std::to_string(r.y) +
                                " " + std::to_string(r.width) + "x" + std::to_string(r.height);
      EXPECT_EQ(drawn_changes, expected_changes) << where;
      EXPECT_TRUE(std::equal(expected.Pixels(), expected.Pixels() + CardCanvas::kWidth * CardCanvas::kHeight * 3,
                             drawn.Pixels()))
          << where;
    }
}

}  // namespace
