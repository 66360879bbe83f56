#include <gtest/gtest.h>

#include "canvas/decode_picture.h"
#include "card/card_background.h"
#include "picture_builders.h"

namespace {

using canvas::PictureFormat;
using testing_pictures::Bytes;

TEST(IdentifyPictureFormat, LooksAtTheFirstSixBytesOnly) {
  struct Case {
    const char* name;
    Bytes head;
    PictureFormat format;
  };
  const Case cases[] = {
      {"bmp", {'B', 'M', 0, 0, 0, 0}, PictureFormat::Bmp},
      {"jpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, PictureFormat::Jpeg},
      {"icon", {0, 0, 1, 0, 1, 0}, PictureFormat::Icon},
      {"icon with no entries", {0, 0, 1, 0, 0, 0}, PictureFormat::Unrecognised},
      {"cursor", {0, 0, 2, 0, 3, 0}, PictureFormat::Cursor},
      {"gif87a", {'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::Gif},
      {"gif89a", {'G', 'I', 'F', '8', '9', 'a'}, PictureFormat::Gif},
      {"gif88a", {'G', 'I', 'F', '8', '8', 'a'}, PictureFormat::Unrecognised},
      {"pcx 8-bit version 5", {0x0A, 5, 1, 8, 0, 0}, PictureFormat::Pcx8},
      {"pcx 8-bit version 6", {0x0A, 6, 1, 8, 0, 0}, PictureFormat::Unrecognised},
      {"pcx 1-bit version 3", {0x0A, 3, 1, 1, 0, 0}, PictureFormat::Pcx1},
      {"pcx 1-bit version 5", {0x0A, 5, 1, 1, 0, 0}, PictureFormat::Unrecognised},
      {"five bytes of a jpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0}, PictureFormat::Unrecognised},
      {"text", {'h', 'e', 'l', 'l', 'o', '!'}, PictureFormat::Unrecognised},
  };
  for (const Case& c : cases) EXPECT_EQ(canvas::IdentifyPictureFormat(c.head), c.format) << c.name;
}

TEST(DecodeJpeg, CardBackgroundIsA275By161ColourPicture) {
  const auto picture = canvas::DecodePicture(card::CardBackground());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->format, PictureFormat::Jpeg);
  EXPECT_EQ(picture->width, 275);
  EXPECT_EQ(picture->height, 161);
  EXPECT_EQ(picture->rgb.size(), 275u * 161u * 3u);
}

TEST(DecodeJpeg, GreyscaleGivesEqualChannels) {
  std::vector<std::uint8_t> grey(16 * 8);
  for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = static_cast<std::uint8_t>(i * 2);
  const auto picture = canvas::DecodePicture(testing_pictures::Jpeg(16, 8, 1, grey));
  ASSERT_TRUE(picture);
  bool some_grey_varies = false;
  for (std::size_t i = 0; i < 16 * 8; ++i) {
    ASSERT_EQ(picture->rgb[i * 3], picture->rgb[i * 3 + 1]);
    ASSERT_EQ(picture->rgb[i * 3], picture->rgb[i * 3 + 2]);
    some_grey_varies |= picture->rgb[i * 3] != picture->rgb[0];
  }
  EXPECT_TRUE(some_grey_varies);
}

TEST(DecodeJpeg, TruncatedDataStillGivesThePicture) {
  std::vector<std::uint8_t> rgb(64 * 64 * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7919 % 251);
  Bytes jpeg = testing_pictures::Jpeg(64, 64, 3, rgb);
  ASSERT_GT(jpeg.size(), 2000u);     // mostly scan data
  jpeg.resize(jpeg.size() * 2 / 3);  // libjpeg pads the rest and warns
  const auto picture = canvas::DecodePicture(jpeg);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 64);
}

TEST(DecodeJpeg, MalformedInputGivesNoPicture) {
  std::vector<std::uint8_t> rgb(8 * 8 * 3, 90);
  const Bytes good = testing_pictures::Jpeg(8, 8, 3, rgb);
  struct Case {
    const char* name;
    Bytes bytes;
  };
  const Case cases[] = {
      {"empty", {}},
      {"first five bytes", Bytes(good.begin(), good.begin() + 5)},
      {"only the start-of-image marker", {0xFF, 0xD8, 0xFF, 0xD9, 0, 0}},
      {"header cut before the frame", Bytes(good.begin(), good.begin() + 30)},
      {"arithmetic coding", testing_pictures::Jpeg(8, 8, 3, rgb, true)},
  };
  for (const Case& c : cases) EXPECT_FALSE(canvas::DecodePicture(c.bytes)) << c.name;
}

// 2 x 2 pictures in each BMP depth, stored bottom-up: red green / blue white.
Bytes BmpHeader(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression,
                std::uint32_t colors_used, std::uint32_t pixel_offset, std::size_t total) {
  Bytes b(total, 0);
  auto put = [&](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put(10, pixel_offset, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, bits, 2);
  put(30, compression, 4);
  put(46, colors_used, 4);
  return b;
}

TEST(DecodeBmp, EveryDepthDecodesUpright) {
  const canvas::Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255};
  auto palette = [](Bytes& b, std::size_t at) {
    const std::uint8_t entries[4][4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};
    for (int i = 0; i < 4; ++i)
      for (int k = 0; k < 4; ++k) b[at + static_cast<std::size_t>(i * 4 + k)] = entries[i][k];
  };
  struct Case {
    const char* name;
    Bytes bytes;
  };
  // 8-bit: table of 4 (colours used 4), rows of 2 indices padded to 4.
  Bytes b8 = BmpHeader(2, 2, 8, 0, 4, 54 + 16, 54 + 16 + 8);
  palette(b8, 54);
  b8[70] = 2, b8[71] = 3;  // bottom row: blue white
  b8[74] = 0, b8[75] = 1;  // top row: red green
  // 4-bit: nibbles, high first.
  Bytes b4 = BmpHeader(2, 2, 4, 0, 4, 54 + 16, 54 + 16 + 8);
  palette(b4, 54);
  b4[70] = 0x23;
  b4[74] = 0x01;
  // 32-bit: the fourth byte is ignored.
  Bytes b32 = BmpHeader(2, 2, 32, 0, 0, 54, 54 + 16);
  const std::uint8_t px32[16] = {255, 0, 0, 7, 255, 255, 255, 7, 0, 0, 255, 7, 0, 255, 0, 7};
  std::copy(px32, px32 + 16, b32.begin() + 54);
  // Top-down 24-bit (negative height): first stored row is the top.
  Bytes top_down = BmpHeader(2, -2, 24, 0, 0, 54, 54 + 16);
  const std::uint8_t px24[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  std::copy(px24, px24 + 16, top_down.begin() + 54);
  const Case cases[] = {
      {"24-bit", testing_pictures::Bmp24(2, 2, {red, green, blue, white})},
      {"32-bit", b32},
      {"8-bit", b8},
      {"4-bit", b4},
      {"24-bit top-down", top_down},
  };
  for (const Case& c : cases) {
    const auto p = canvas::DecodePicture(c.bytes);
    ASSERT_TRUE(p) << c.name;
    EXPECT_EQ(p->format, PictureFormat::Bmp);
    ASSERT_EQ(p->width, 2) << c.name;
    ASSERT_EQ(p->height, 2) << c.name;
    const canvas::Rgb want[4] = {red, green, blue, white};
    for (int i = 0; i < 4; ++i) {
      const canvas::Rgb got{p->rgb[i * 3], p->rgb[i * 3 + 1], p->rgb[i * 3 + 2]};
      EXPECT_EQ(got, want[i]) << c.name << " pixel " << i;
    }
  }
}

TEST(DecodeBmp, OneBitRowsAndPadding) {
  // 9 pixels wide: two bytes of bits per row, padded to 4. Table: black, white.
  Bytes b = BmpHeader(9, 1, 1, 0, 0, 54 + 8, 54 + 8 + 4);
  b[58] = b[59] = b[60] = 255;  // entry 1 white
  b[62] = 0b10100000;
  b[63] = 0b10000000;
  const auto p = canvas::DecodePicture(b);
  ASSERT_TRUE(p);
  const int white_at[] = {0, 2, 8};
  for (int x = 0; x < 9; ++x) {
    const bool white = std::find(std::begin(white_at), std::end(white_at), x) != std::end(white_at);
    EXPECT_EQ(p->rgb[static_cast<std::size_t>(x) * 3], white ? 255 : 0) << "x " << x;
  }
}

TEST(DecodeBmp, MalformedInputGivesNoPicture) {
  const Bytes good = testing_pictures::SolidBmp(3, 3, {1, 2, 3});
  ASSERT_TRUE(canvas::DecodePicture(good));
  auto with = [&](std::size_t at, std::uint32_t v, int n) {
    Bytes b = good;
    for (int i = 0; i < n; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    return b;
  };
  struct Case {
    const char* name;
    Bytes bytes;
  };
  const Case cases[] = {
      {"headers cut short", Bytes(good.begin(), good.begin() + 53)},
      {"run-length compression", with(30, 1, 4)},
      {"bit fields", with(30, 3, 4)},
      {"16 bits per pixel", with(28, 16, 2)},
      {"2 bits per pixel", with(28, 2, 2)},
      {"zero width", with(18, 0, 4)},
      {"zero height", with(22, 0, 4)},
      {"pixel data before the headers end", with(10, 20, 4)},
      {"pixel data offset past the end", with(10, 0xFFFFFFF0u, 4)},
      {"data ends before the last row", Bytes(good.begin(), good.end() - 6)},
      {"huge width", with(18, 0x7FFFFFFF, 4)},
      {"most negative height", with(22, 0x80000000u, 4)},
      {"short colour table", BmpHeader(2, 2, 8, 0, 200, 54, 54 + 40)},
  };
  for (const Case& c : cases) EXPECT_FALSE(canvas::DecodePicture(c.bytes)) << c.name;
}

}  // namespace
