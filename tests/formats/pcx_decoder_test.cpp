#include <gtest/gtest.h>

#include "canvas/decode_picture.h"
#include "format_samples.h"

namespace {

using canvas::PictureFormat;
using canvas::Rgb;
using namespace format_tests;

TEST(DecodePcx, EightBitRowsThroughThePalette) {
  const Rgb R = kRed, G = kGreen, B = kBlue, W = kWhite;
  const Bytes rgbw = PcxPalette({{1, R}, {2, G}, {3, B}, {4, W}});
  struct Case {
    const char* name;
    Bytes bytes;
    int width;
    int height;
    std::vector<Rgb> pixels;
  };
  const Case cases[] = {
      {"a run, a plain byte, and 0xC0 as a plain byte",
       Join({PcxHeader(Pcx8(2, 2)), {0xC2, 5, 7, 0xC0}, PcxPalette({{5, R}, {7, G}, {0xC0, B}})}), 2, 2, {R, R, G, B}},
      {"bytes per line beyond the width are read and dropped",
       Join({PcxHeader(With(Pcx8(2, 2), [](PcxFields& f) { f.bytes_per_line = 3; })), {1, 2, 9, 3, 4, 9}, rgbw}),
       2, 2, {R, G, B, W}},
      {"a run goes on into the next row", Join({PcxHeader(Pcx8(2, 2)), {0xC4, 3}, rgbw}), 2, 2, {B, B, B, B}},
      {"the size counts from Xmin and Ymin",
       Join({PcxHeader(With(Pcx8(2, 1), [](PcxFields& f) { f.x_min = 10; f.x_max = 11; f.y_min = 20; f.y_max = 20; })),
             {4, 2}, rgbw}),
       2, 1, {W, G}},
      {"version 0 is read like version 5",
       Join({PcxHeader(With(Pcx8(1, 1), [](PcxFields& f) { f.version = 0; })), {2}, rgbw}), 1, 1, {G}},
  };
  for (const Case& c : cases) {
    const auto picture = canvas::DecodePicture(c.bytes);
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(picture->format, PictureFormat::Pcx8) << c.name;
    EXPECT_EQ(picture->width, c.width) << c.name;
    EXPECT_EQ(picture->height, c.height) << c.name;
    EXPECT_EQ(AllColors(*picture), c.pixels) << c.name;
  }
}

TEST(DecodePcx, OneBitRowsKeepTheirBits) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::vector<std::string> rows;  // '1' for a set bit
  };
  const Case cases[] = {
      {"bits from the most significant down; bytes per line is not used",
       Join({PcxHeader(With(Pcx1(10, 2), [](PcxFields& f) { f.bytes_per_line = 4; })), {0xA5, 0x80, 0x0F, 0x40}}),
       {"1010010110", "0000111101"}},
      {"17 pixels take 3 bytes a row, kept at an even row stride",
       Join({PcxHeader(Pcx1(17, 2)), {0xC3, 0xAA, 0x55, 0x55, 0x80}}),
       {"10101010101010101", "01010101010101011"}},
  };
  for (const Case& c : cases) {
    const auto picture = canvas::DecodePicture(c.bytes);
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(picture->format, PictureFormat::Pcx1) << c.name;
    ASSERT_EQ(picture->height, static_cast<int>(c.rows.size())) << c.name;
    ASSERT_EQ(picture->width, static_cast<int>(c.rows[0].size())) << c.name;
    for (int y = 0; y < picture->height; ++y) {
      std::string row;
      for (int x = 0; x < picture->width; ++x) row += BitAt(*picture, x, y) ? '1' : '0';
      EXPECT_EQ(row, c.rows[static_cast<std::size_t>(y)]) << c.name << ", row " << y;
    }
  }
}

TEST(DecodePcx, MalformedInputGivesNoPicture) {
  const Bytes palette = PcxPalette({{1, kRed}});
  struct Bad {
    const char* name;
    Bytes bytes;
    PictureFormat format;  // the kind the decoder is asked for
  };
  const Bad cases[] = {
      {"the header alone", PcxHeader(Pcx8(1, 1)), PictureFormat::Pcx8},
      {"not run-length encoded", Join({PcxHeader(With(Pcx8(1, 1), [](PcxFields& f) { f.encoding = 0; })), {1}, palette}),
       PictureFormat::Pcx8},
      {"a first byte other than 0x0A",
       Join({PcxHeader(With(Pcx8(1, 1), [](PcxFields& f) { f.manufacturer = 0x0B; })), {1}, palette}),
       PictureFormat::Pcx8},
      {"version 6", Join({PcxHeader(With(Pcx8(1, 1), [](PcxFields& f) { f.version = 6; })), {1}, palette}),
       PictureFormat::Pcx8},
      {"Xmax below Xmin",
       Join({PcxHeader(With(Pcx8(1, 1), [](PcxFields& f) { f.x_min = 5; f.x_max = 4; })), {1}, palette}),
       PictureFormat::Pcx8},
      {"Ymax below Ymin",
       Join({PcxHeader(With(Pcx8(1, 1), [](PcxFields& f) { f.y_min = 5; f.y_max = 4; })), {1}, palette}),
       PictureFormat::Pcx8},
      {"4 bits per pixel", Join({PcxHeader(With(Pcx8(2, 1), [](PcxFields& f) { f.bits_per_pixel = 4; })), {0x12}}),
       PictureFormat::Pcx8},
      {"an 8-bit file asked for as 1-bit", Join({PcxHeader(Pcx8(1, 1)), {1}, palette}), PictureFormat::Pcx1},
      {"8 bits in 3 planes", Join({PcxHeader(With(Pcx8(1, 1), [](PcxFields& f) { f.planes = 3; })), {1, 2, 3}, palette}),
       PictureFormat::Pcx8},
      {"1 bit in 4 planes", Join({PcxHeader(With(Pcx1(8, 1), [](PcxFields& f) { f.planes = 4; })), {1, 2, 3, 4}}),
       PictureFormat::Pcx1},
      {"no palette after the rows", Join({PcxHeader(Pcx8(2, 1)), {1, 1}}), PictureFormat::Pcx8},
      {"a palette marker other than 0x0C", Join({PcxHeader(Pcx8(1, 1)), {1, 0x0B}, Bytes(768, 0)}), PictureFormat::Pcx8},
      {"the palette not right after the rows", Join({PcxHeader(Pcx8(1, 1)), {1, 0}, palette}), PictureFormat::Pcx8},
      {"a palette cut short", Join({PcxHeader(Pcx8(1, 1)), {1, 0x0C}, Bytes(767, 0)}), PictureFormat::Pcx8},
      {"8-bit rows end before the last", Join({PcxHeader(Pcx8(2, 2)), {1, 1, 1}}), PictureFormat::Pcx8},
      {"1-bit rows end before the last", Join({PcxHeader(Pcx1(8, 3)), {1, 2}}), PictureFormat::Pcx1},
      {"a run without its byte", Join({PcxHeader(Pcx8(2, 1)), {0xC2}}), PictureFormat::Pcx8},
      {"bytes per line below the width",
       Join({PcxHeader(With(Pcx8(2, 1), [](PcxFields& f) { f.bytes_per_line = 1; })), {1, 1}, palette}),
       PictureFormat::Pcx8},
      {"beyond the size limit", Join({PcxHeader(Pcx8(65535, 65535)), Bytes(1000, 0xFF)}), PictureFormat::Pcx8},
  };
  for (const Bad& c : cases) {
    EXPECT_FALSE(canvas::DecodePcx(c.bytes, c.format)) << c.name;
    if (canvas::IdentifyPictureFormat(c.bytes) == c.format) {
      EXPECT_FALSE(canvas::DecodePicture(c.bytes)) << c.name;
    }
  }
}

}  // namespace
