#include <gtest/gtest.h>

#include "canvas/decode_picture.h"
#include "format_samples.h"

namespace {

using canvas::PictureFormat;
using canvas::Rgb;
using namespace format_tests;


// Pieces for the variants below, in the order they appear in a file.
Bytes Screen(std::uint16_t width, std::uint16_t height, std::uint8_t flags, std::uint8_t background) {
  return Join({{'G', 'I', 'F', '8', '9', 'a'}, Le16(width), Le16(height), {flags, background, 0}});
}
constexpr std::uint8_t kTable2 = 0x80;  // colour table flag, 2 entries
constexpr std::uint8_t kTable4 = 0x81;
constexpr std::uint8_t kTable8 = 0x82;
constexpr std::uint8_t kInterlaced = 0x40;
const Bytes kRgbw = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
// red, green, blue, cyan, magenta, yellow, black, white
const Bytes kEightColors = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0xFF, 0xFF,
                            0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF};

Bytes Descriptor(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                 std::uint8_t flags) {
  return Join({{0x2C}, Le16(left), Le16(top), Le16(width), Le16(height), {flags}});
}
// The initial code size, the codes in one sub-block, and the terminator.
Bytes ImageData(std::uint8_t code_size, const Bytes& codes) {
  return Join({{code_size, static_cast<std::uint8_t>(codes.size())}, codes, {0}});
}
const Bytes kTrailer = {0x3B};

// Codes for initial code size 2, as packed bits.
const Bytes kPixels0123 = {0x44, 0x34, 0x05};  // clear, 0, 1, 2, 3, end
const Bytes kPixels01 = {0x44, 0x0A};          // clear, 0, 1, end
const Bytes kPixels10 = {0x0C, 0x0A};          // clear, 1, 0, end
const Bytes kPixel0 = {0x44, 0x01};            // clear, 0, end
const Bytes kPixel3 = {0x5C, 0x01};            // clear, 3, end

const Bytes kAllExtensions = {
    0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',  // application
    3, 1, 0, 0, 0,                                                          //   loop for ever
    0x21, 0xFE, 3, 'h', 'i', '!', 0,                                        // comment
    0x21, 0xF9, 4, 0x01, 0, 0, 0, 0,  // graphic control: index 0 transparent
    0x21, 0x01, 12, 0, 0, 0, 0, 16, 0, 8, 0, 8, 8, 1, 0,  // plain text grid and colours
    2, 'h', 'i', 0,                                        //   its text
};

struct Case {
  const char* name;
  Bytes bytes;
  int width;
  int height;
  std::vector<Rgb> pixels;  // row by row
};

TEST(DecodeGif, DecodesTheFirstImage) {
  const Rgb R = kRed, G = kGreen, B = kBlue, C = kCyan, M = kMagenta, Y = kYellow, K = kBlack, W = kWhite;
  const Case cases[] = {
      {"two by two with a global table", Bytes(std::begin(kTwoByTwoGif), std::end(kTwoByTwoGif)), 2, 2, {R, G, B, W}},
      {"interlaced rows arrive as rows 0, 4, 2, 1, 3",
       Join({Screen(1, 5, kTable8, 0), kEightColors, Descriptor(0, 0, 1, 5, kInterlaced),
             ImageData(3, {0x08, 0x24, 0x31, 0x09}),  // clear 8, 0, 4, 2, 1, 3, end 9 (4 bits)
             kTrailer}),
       1, 5, {R, G, B, C, M}},
      {"the image goes to the top-left corner; the rest shows the background colour",
       Join({Screen(3, 2, kTable4, 3), kRgbw, Descriptor(1, 1, 2, 1, 0), ImageData(2, kPixels01), kTrailer}),
       3, 2, {R, G, W, W, W, W}},
      {"an image larger than the screen is cropped",
       Join({Screen(1, 1, kTable4, 3), kRgbw, Descriptor(0, 0, 2, 2, 0), ImageData(2, kPixels0123), kTrailer}),
       1, 1, {R}},
      {"a local colour table replaces the global one",
       Join({Screen(2, 1, kTable4, 0), kRgbw, Descriptor(0, 0, 2, 1, kTable2), Bytes{0xFF, 0xFF, 0, 0, 0xFF, 0xFF},
             ImageData(2, kPixels10), kTrailer}),
       2, 1, {C, Y}},
      {"beside a local table, uncovered pixels still show the global background colour",
       Join({Screen(3, 1, kTable4, 2), kRgbw, Descriptor(0, 0, 1, 1, kTable2), Bytes{0xFF, 0xFF, 0, 0, 0, 0xFF},
             ImageData(2, kPixel0), kTrailer}),
       3, 1, {Y, B, B}},
      {"without a global table uncovered pixels are black",
       Join({Screen(2, 1, 0, 1), Descriptor(0, 0, 1, 1, kTable2), Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0, 0},
             ImageData(2, kPixel0), kTrailer}),
       2, 1, {W, K}},
      {"without any colour table everything is black",
       Join({Screen(2, 1, 0, 0), Descriptor(0, 0, 1, 1, 0), ImageData(2, kPixel3), kTrailer}), 2, 1, {K, K}},
      {"indices past the colour table show black",
       Join({Screen(1, 1, kTable2, 0), Bytes{0xFF, 0, 0, 0, 0xFF, 0}, Descriptor(0, 0, 1, 1, 0),
             ImageData(2, kPixel3), kTrailer}),
       1, 1, {K}},
      {"extensions are passed over and the transparent index shows its colour",
       Join({Screen(2, 2, kTable4, 3), kRgbw, kAllExtensions, Descriptor(0, 0, 2, 2, 0), ImageData(2, kPixels0123),
             kTrailer}),
       2, 2, {R, G, B, W}},
      {"an animation shows its first image only",
       Join({Screen(2, 2, kTable4, 3), kRgbw, Descriptor(0, 0, 2, 2, 0), ImageData(2, kPixels0123),
             Bytes{0x21, 0xF9, 4, 0, 10, 0, 0, 0}, Descriptor(0, 0, 1, 1, 0), ImageData(2, kPixel3), kTrailer}),
       2, 2, {R, G, B, W}},
      {"image data that ends after a row keeps that row",
       Join({Screen(3, 2, kTable8, 7), kEightColors, Descriptor(0, 0, 3, 2, 0),
             ImageData(3, {0x08, 0x21}),  // clear 8, 0, 1, 2 (4 bits), no end code
             kTrailer}),
       3, 2, {R, G, B, W, W, W}},
      {"a file that ends inside the image data keeps what was decoded",
       Join({Screen(2, 2, kTable4, 3), kRgbw, Descriptor(0, 0, 2, 2, 0),
             Bytes{2, 3, 0x44}}),  // sub-block of 3 bytes cut after one: clear, 0
       2, 2, {R, W, W, W}},
      {"a code that names no entry keeps what came before it",
       Join({Screen(2, 2, kTable4, 3), kRgbw, Descriptor(0, 0, 2, 2, 0),
             ImageData(2, {0xC4, 0x01}),  // clear 4, 0, then 7 while the next entry is 6
             kTrailer}),
       2, 2, {R, W, W, W}},
      {"an image with no data at all shows the background",
       Join({Screen(2, 1, kTable4, 1), kRgbw, Descriptor(0, 0, 2, 1, 0), Bytes{2, 0}, kTrailer}), 2, 1, {G, G}},
  };
  for (const Case& c : cases) {
    const auto picture = canvas::DecodePicture(c.bytes);
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(picture->format, PictureFormat::Gif) << c.name;
    EXPECT_EQ(picture->width, c.width) << c.name;
    EXPECT_EQ(picture->height, c.height) << c.name;
    EXPECT_EQ(AllColors(*picture), c.pixels) << c.name;
  }
}

TEST(DecodeGif, MalformedInputGivesNoPicture) {
  const Bytes good(std::begin(kTwoByTwoGif), std::end(kTwoByTwoGif));
  const Bytes screen = Join({Screen(2, 2, kTable4, 3), kRgbw});
  const Bytes image = Join({Descriptor(0, 0, 2, 2, 0), ImageData(2, kPixels0123), kTrailer});
  struct Bad {
    const char* name;
    Bytes bytes;
  };
  const Bad cases[] = {
      {"shorter than 14 bytes", Join({Screen(1, 1, 0, 0)})},
      {"a global table that leaves no byte after it", Join({Screen(1, 1, kTable4, 0), kRgbw})},
      {"a global table longer than the file", Join({Screen(1, 1, 0x87, 0), kRgbw, image})},
      {"the trailer before any image", Join({screen, kTrailer, image})},
      {"a stray zero before any image", Join({screen, {0x00}, image})},
      {"an unknown block", Join({screen, {0x2A}, image})},
      {"an unknown extension label", Join({screen, {0x21, 0x02, 0}, image})},
      {"a comment that runs past the end", Join({screen, {0x21, 0xFE, 9, 'h', 'i'}})},
      {"a comment without its terminator", Join({screen, {0x21, 0xFE, 2, 'h', 'i'}})},
      {"a graphic control block cut short", Join({screen, {0x21, 0xF9, 4, 0, 0}})},
      {"an application block cut short", Join({screen, {0x21, 0xFF, 11, 'N', 'E', 'T'}})},
      {"a plain text block cut short", Join({screen, {0x21, 0x01, 12, 0, 0, 0}})},
      {"no image before the end of the file", Join({screen, {0x21, 0xFE, 1, 'x', 0}})},
      {"an image descriptor cut short", Join({screen, {0x2C, 0, 0, 0, 0, 2, 0}})},
      {"a local table cut short", Join({screen, Descriptor(0, 0, 2, 2, kTable4), {0xFF, 0, 0}})},
      {"no initial code size", Join({screen, Descriptor(0, 0, 2, 2, 0)})},
      {"initial code size 1", Join({screen, Descriptor(0, 0, 2, 2, 0), ImageData(1, kPixels0123), kTrailer})},
      {"initial code size 9", Join({screen, Descriptor(0, 0, 2, 2, 0), ImageData(9, kPixels0123), kTrailer})},
      {"a screen of width 0", Join({Screen(0, 2, kTable4, 3), kRgbw, image})},
      {"a screen of height 0", Join({Screen(2, 0, kTable4, 3), kRgbw, image})},
      {"a screen beyond the size limit", Join({Screen(65535, 65535, kTable4, 3), kRgbw, image})},
  };
  ASSERT_TRUE(canvas::DecodePicture(good));
  for (const Bad& c : cases) {
    ASSERT_EQ(canvas::IdentifyPictureFormat(c.bytes), PictureFormat::Gif) << c.name;
    EXPECT_FALSE(canvas::DecodePicture(c.bytes)) << c.name;
  }
}

}  // namespace
