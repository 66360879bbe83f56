#include <gtest/gtest.h>

#include "card/card_background.h"
#include "card/compose_card.h"
#include "card/tag_color.h"
#include "picture_builders.h"

namespace {

using canvas::CardCanvas;
using canvas::Rgb;

constexpr Rgb kNameColor{0x15, 0x6F, 0xE9};
constexpr Rgb kGrey{0x80, 0x80, 0x80};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kViolet{0x90, 0x00, 0xFF};
constexpr Rgb kRed{0xFF, 0x00, 0x00};
constexpr Rgb kBlue{0x00, 0x00, 0xFF};

struct Band {
  int x0, y0, x1, y1;  // inclusive
};

// Leftmost x of pixels of exactly this colour inside the band, or -1.
int LeftmostOf(const CardCanvas& canvas, Rgb color, Band band) {
  for (int x = band.x0; x <= band.x1; ++x)
    for (int y = band.y0; y <= band.y1; ++y)
      if (canvas.PixelAt(x, y) == color) return x;
  return -1;
}

class ComposeCardTest : public ::testing::Test {
 protected:
  void SetUp() override { card::SeedCounter() = 0; }

  CardCanvas Compose(card::CardInputs inputs) {
    CardCanvas canvas(card::CardBackgroundBytes());
    card::FixedCardInputs source(std::move(inputs));
    card::ComposeCard(canvas, source, ticks_);
    return canvas;
  }

  static bool SamePixels(const CardCanvas& a, const CardCanvas& b, Band band) {
    for (int y = band.y0; y <= band.y1; ++y)
      for (int x = band.x0; x <= band.x1; ++x)
        if (!(a.PixelAt(x, y) == b.PixelAt(x, y))) return false;
    return true;
  }

  platform::FixedTickCounter ticks_{1000};
  const CardCanvas bare_{card::CardBackgroundBytes()};
};

TEST_F(ComposeCardTest, TextsLandInTheirPlacesAndColours) {
  const CardCanvas canvas = Compose({"abc", "12345", "sig", "", ""});
  struct Case {
    const char* what;
    Rgb color;
    Band band;
    int left;  // where the text's first ink may start
  };
  const Case cases[] = {
      {"name line", kNameColor, {84, 5, 272, 17}, 88},
      {"signature", kGrey, {84, 21, 272, 33}, 88},
      {"first day count", kBlack, {100, 58, 150, 71}, 105},
      {"second day count", kBlack, {168, 58, 230, 71}, 173},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(LeftmostOf(bare_, c.color, c.band), -1) << c.what << ": the bare card must not hold the colour";
    const int left = LeftmostOf(canvas, c.color, c.band);
    EXPECT_GE(left, c.left) << c.what;
    EXPECT_LE(left, c.left + 3) << c.what;
  }
  // Nothing of the name colour strays outside its line.
  EXPECT_EQ(LeftmostOf(canvas, kNameColor, {0, 18, 272, 158}), -1);
}

TEST_F(ComposeCardTest, TagsAdvanceEightPixelsPerByteInRandomColours) {
  // 甲、乙丙、丁 at tick 1000: violet at 88, red at 104, blue at 136.
  const CardCanvas canvas = Compose({"", "", "", "\xBC\xD7\xA1\xA2\xD2\xD2\xB1\xFB\xA1\xA2\xB6\xA1", ""});
  const Band tags{84, 77, 272, 92};
  for (Rgb c : {kViolet, kRed, kBlue}) ASSERT_EQ(LeftmostOf(bare_, c, tags), -1);
  struct Case {
    Rgb color;
    int x;
  };
  for (const Case c : {Case{kViolet, 88}, Case{kRed, 104}, Case{kBlue, 136}}) {
    const int left = LeftmostOf(canvas, c.color, tags);
    EXPECT_GE(left, c.x);
    EXPECT_LE(left, c.x + 2);
  }
  EXPECT_EQ(card::SeedCounter().load(), 1000u % 256 + 100 + (1332u & 0xFF) + 100 + (1484u & 0xFF) + 100);
}

TEST_F(ComposeCardTest, EmptyImpressionPicksNoColour) {
  Compose({"a", "1", "s", "", ""});
  EXPECT_EQ(card::SeedCounter().load(), 0u);
  Compose({"a", "1", "s", "\xA1\xA2", ""});  // one empty piece: nothing drawn, one pick
  EXPECT_EQ(card::SeedCounter().load(), 1000u % 256 + 100);
}

TEST_F(ComposeCardTest, AvatarCoversTheFrameInterior) {
  const std::string avatar = testing_pictures::WriteTempFile("avatar.jpg.bmp",
                                                             testing_pictures::SolidBmp(100, 150, {1, 200, 3}));
  const CardCanvas canvas = Compose({"a", "1", "s", "t", avatar});
  for (int y = 5; y <= 132; ++y)
    for (int x = 5; x <= 82; ++x) ASSERT_EQ(canvas.PixelAt(x, y), (Rgb{1, 200, 3})) << x << "," << y;
  // The frame's outline stays.
  EXPECT_TRUE(SamePixels(canvas, bare_, {4, 4, 4, 133}));
  EXPECT_TRUE(SamePixels(canvas, bare_, {83, 4, 83, 133}));
}

TEST_F(ComposeCardTest, UnusableAvatarLeavesTheSampleFigure) {
  const std::string text_file = testing_pictures::WriteTempFile("notes.jpg", {'h', 'e', 'l', 'l', 'o', '!', '!'});
  for (const std::string& path : {std::string(), std::string("/nonexistent/01.jpg"), text_file}) {
    const CardCanvas canvas = Compose({"a", "1", "s", "t", path});
    EXPECT_TRUE(SamePixels(canvas, bare_, {5, 5, 82, 132})) << path;
  }
}

TEST_F(ComposeCardTest, EachRunStartsFromTheBareCard) {
  const std::string avatar = testing_pictures::WriteTempFile("red.bmp", testing_pictures::SolidBmp(8, 8, {255, 0, 0}));
  CardCanvas canvas(card::CardBackgroundBytes());
  card::FixedCardInputs with_avatar({"WWWWWWWW", "1", "s", "t", avatar});
  card::ComposeCard(canvas, with_avatar, ticks_);
  card::FixedCardInputs without({"", "", "", "", ""});
  card::ComposeCard(canvas, without, ticks_);
  const CardCanvas empty = Compose({"", "", "", "", ""});
  EXPECT_TRUE(SamePixels(canvas, empty, {0, 0, CardCanvas::kWidth - 1, CardCanvas::kHeight - 1}));
  // The empty name line still shows its parentheses.
  EXPECT_GE(LeftmostOf(empty, kNameColor, {84, 5, 272, 17}), 88);
}

}  // namespace
