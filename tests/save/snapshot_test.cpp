#include <gtest/gtest.h>

#include "canvas/area_scaler.h"
#include "canvas/decode_picture.h"
#include "canvas/take_snapshot.h"
#include "card/card_background.h"
#include "save_test_support.h"

namespace {

using canvas::CardCanvas;
using save_test::Bytes;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | b.at(at + 3) << 24);
}
std::uint32_t Le16(const Bytes& b, std::size_t at) { return static_cast<std::uint32_t>(b.at(at) | b.at(at + 1) << 8); }

// Picture row y, pixel x of a snapshot, read back from its bottom-up rows.
canvas::Rgb SnapshotPixel(const Bytes& bmp, std::int32_t x, std::int32_t y) {
  const std::int32_t width = static_cast<std::int32_t>(Le32(bmp, 18));
  const std::int32_t height = static_cast<std::int32_t>(Le32(bmp, 22));
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
  return canvas::Rgb{bmp.at(at + 2), bmp.at(at + 1), bmp.at(at)};
}

TEST(TakeSnapshot, CardSizeIsA130434ByteBmpWithTheseHeaders) {
  const CardCanvas canvas = save_test::ComposedCard();
  const Bytes bmp = canvas::TakeSnapshot(canvas, 0, 0);
  ASSERT_EQ(bmp.size(), 130434u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  struct Field {
    std::size_t offset, size;
    std::uint32_t value;
    const char* name;
  };
  for (const Field f : {Field{2, 4, 130434, "file size"}, Field{6, 2, 0, "reserved"}, Field{8, 2, 0, "reserved"},
                        Field{10, 4, 54, "pixel data offset"}, Field{14, 4, 40, "info header size"},
                        Field{18, 4, 273, "width"}, Field{22, 4, 159, "height (positive: bottom-up)"},
                        Field{26, 2, 1, "planes"}, Field{28, 2, 24, "bits per pixel"}, Field{30, 4, 0, "compression"},
                        Field{34, 4, 130380, "image size"}, Field{38, 4, 0, "horizontal resolution"},
                        Field{42, 4, 0, "vertical resolution"}, Field{46, 4, 0, "colours used"},
                        Field{50, 4, 0, "important colours"}})
    EXPECT_EQ(f.size == 4 ? Le32(bmp, f.offset) : Le16(bmp, f.offset), f.value) << f.name;
}

TEST(TakeSnapshot, RowsAreStoredBottomUpInBlueGreenRed) {
  const CardCanvas canvas = save_test::ComposedCard();
  const Bytes bmp = canvas::TakeSnapshot(canvas, 0, 0);
  ASSERT_EQ(bmp.size(), 130434u);
  for (std::int32_t y = 0; y < CardCanvas::kHeight; ++y)
    for (std::int32_t x = 0; x < CardCanvas::kWidth; ++x)
      ASSERT_EQ(SnapshotPixel(bmp, x, y), canvas.PixelAt(x, y)) << "at " << x << "," << y;
  // The first stored row is the bottom client row.
  const canvas::Rgb bottom_left = canvas.PixelAt(0, CardCanvas::kHeight - 1);
  EXPECT_EQ((canvas::Rgb{bmp[56], bmp[55], bmp[54]}), bottom_left);
}

TEST(TakeSnapshot, LastStoredRowStartsWithTheBackgroundsTopLeftPixel) {
  const CardCanvas canvas(card::CardBackgroundBytes(), 96);
  const auto background = canvas::DecodePicture(card::CardBackground());
  ASSERT_TRUE(background.has_value());
  const Bytes bmp = canvas::TakeSnapshot(canvas, 0, 0);
  const std::size_t last_row = 54 + 158 * 820;
  EXPECT_EQ((canvas::Rgb{bmp.at(last_row + 2), bmp.at(last_row + 1), bmp.at(last_row)}),
            (canvas::Rgb{background->rgb[0], background->rgb[1], background->rgb[2]}));
}

TEST(TakeSnapshot, SizeRules) {
  struct Case {
    std::int32_t width, height;
    std::uint32_t out_width, out_height;
  };
  const CardCanvas canvas = save_test::ComposedCard();
  for (const Case c : {
           Case{0, 0, 273, 159},
           Case{-50, -50, 137, 80},   // halves round away from zero
           Case{-5, 0, 27, 159},      // below 10 percent counts as 10
           Case{0, -5, 273, 16},
           Case{-10, -10, 27, 16},
           Case{100, 0, 100, 159},    // each axis on its own
           Case{0, 40, 273, 40},
           Case{1, 1, 1, 1},
           Case{-200, -100, 546, 159},
           Case{300, 200, 300, 200},
       }) {
    const Bytes bmp = canvas::TakeSnapshot(canvas, c.width, c.height);
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(Le32(bmp, 18), c.out_width);
    EXPECT_EQ(Le32(bmp, 22), c.out_height);
    const std::size_t stride = (c.out_width * 3 + 3) / 4 * 4;
    EXPECT_EQ(Le32(bmp, 34), stride * c.out_height);
    EXPECT_EQ(bmp.size(), 54 + stride * c.out_height);
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
  }
}

TEST(TakeSnapshot, ResampledSizesUseTheCanvasAreaAveraging) {
  const CardCanvas canvas = save_test::ComposedCard();
  const std::span<const std::uint8_t> pixels(canvas.Pixels(), std::size_t{273} * 159 * 3);
  for (auto [w, h] : {std::pair{100, 159}, std::pair{137, 80}, std::pair{300, 200}}) {
    const Bytes bmp = canvas::TakeSnapshot(canvas, w, h);
    const auto expected = canvas::ScaleImage(pixels, 273, 159, 3, w, h);
    for (std::int32_t y = 0; y < h; ++y)
      for (std::int32_t x = 0; x < w; ++x) {
        const std::size_t at = (static_cast<std::size_t>(y) * w + x) * 3;
        ASSERT_EQ(SnapshotPixel(bmp, x, y), (canvas::Rgb{expected[at], expected[at + 1], expected[at + 2]}))
            << w << "x" << h << " at " << x << "," << y;
      }
  }
}

TEST(TakeSnapshot, SizesBeyondWhatAPictureMayBeGiveEmptyBytes) {
  const CardCanvas canvas = save_test::ComposedCard();
  EXPECT_TRUE(canvas::TakeSnapshot(canvas, 70000, 1).empty());
  EXPECT_TRUE(canvas::TakeSnapshot(canvas, 1, 70000).empty());
  EXPECT_TRUE(canvas::TakeSnapshot(canvas, -100000, -100000).empty());
}

}  // namespace
