#include <png.h>

#include <gtest/gtest.h>

#include "canvas/decode_picture.h"
#include "format_samples.h"

namespace {

using canvas::PictureFormat;
using canvas::Rgb;
using namespace format_tests;


// Pieces for the variants: the information header, and a file around images.
Bytes InfoHeader(std::int32_t width, std::int32_t double_height, std::uint16_t bits, std::uint32_t compression = 0,
                 std::uint32_t colors_used = 0, std::uint32_t header_size = 40) {
  Bytes h = Join({Le32(header_size), Le32(static_cast<std::uint32_t>(width)),
                  Le32(static_cast<std::uint32_t>(double_height)), Le16(1), Le16(bits), Le32(compression), Le32(0),
                  Le32(0), Le32(0), Le32(colors_used), Le32(0)});
  h.resize(header_size < 40 ? 40 : header_size, 0);
  return h;
}

struct EntryImage {
  std::uint8_t width_byte;
  std::uint8_t color_count;
  Bytes image;
};

Bytes IconFile(std::uint16_t type, const std::vector<EntryImage>& entries) {
  Bytes directory = Join({Le16(0), Le16(type), Le16(static_cast<std::uint16_t>(entries.size()))});
  Bytes images;
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const EntryImage& e : entries) {
    directory = Join({directory, {e.width_byte, e.width_byte, e.color_count, 0}, Le16(1), Le16(0),
                      Le32(static_cast<std::uint32_t>(e.image.size())), Le32(offset)});
    offset += static_cast<std::uint32_t>(e.image.size());
    images = Join({images, e.image});
  }
  return Join({directory, images});
}

Bytes Icon(const Bytes& image, std::uint16_t type = 1) { return IconFile(type, {{2, 0, image}}); }

// 1 x 1, 24 bits, opaque: tells entries apart by colour.
Bytes SolidImage(Rgb c) { return Join({InfoHeader(1, 2, 24), {c.b, c.g, c.r, 0}, {0, 0, 0, 0}}); }

const Bytes kMaskNone2 = {0, 0, 0, 0, 0, 0, 0, 0};  // two mask rows, all opaque
const Bytes kMaskNone1 = {0, 0, 0, 0};

// A PNG written by libpng, as the newer icon files hold them.
Bytes Png(int width, int height, int color_type, const Bytes& samples) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t n) {
        auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
        o->insert(o->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, color_type,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const std::size_t stride = samples.size() / static_cast<std::size_t>(height);
  for (int y = 0; y < height; ++y) png_write_row(png, samples.data() + static_cast<std::size_t>(y) * stride);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

struct Case {
  const char* name;
  Bytes bytes;
  PictureFormat format;
  int width;
  int height;
  std::vector<Rgb> colors;           // row by row
  std::vector<bool> transparent;     // row by row
};

TEST(DecodeIcon, DecodesTheChosenImageWithItsMask) {
  const Rgb R = kRed, G = kGreen, B = kBlue, Y = kYellow, K = kBlack, W = kWhite;
  const Case cases[] = {
      {"1 bit per pixel", Bytes(std::begin(kOneBitIcon), std::end(kOneBitIcon)), PictureFormat::Icon, 2, 2,
       {B, Y, Y, B}, {false, false, false, true}},
      {"4 bits per pixel with two colours used",
       Icon(Join({InfoHeader(2, 4, 4, 0, 2), {0, 0, 0xFF, 0, 0, 0xFF, 0, 0},  // red, green
                  {0x01, 0, 0, 0}, {0x10, 0, 0, 0},                            // bottom 0 1, top 1 0
                  {0x80, 0, 0, 0}, {0, 0, 0, 0}})),                            // bottom-left transparent
       PictureFormat::Icon, 2, 2, {G, R, R, G}, {false, false, true, false}},
      {"8 bits per pixel: an index past the table is black",
       Icon(Join({InfoHeader(2, 2, 8, 0, 1), {0xFF, 0xFF, 0xFF, 0}, {0, 5, 0, 0}, kMaskNone1})),
       PictureFormat::Icon, 2, 1, {W, K}, {false, false}},
      {"24 bits per pixel, blue green red, bottom row first",
       Icon(Join({InfoHeader(2, 4, 24), {0xFF, 0, 0, 0, 0xFF, 0, 0, 0}, {0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0},
                  kMaskNone2})),
       PictureFormat::Icon, 2, 2, {R, W, B, G}, {false, false, false, false}},
      {"32 bits per pixel: the fourth byte is not transparency, the mask is",
       Icon(Join({InfoHeader(2, 2, 32), {0, 0xFF, 0, 0x00, 0, 0, 0xFF, 0xFF}, {0x40, 0, 0, 0}})),
       PictureFormat::Icon, 2, 1, {G, R}, {false, true}},
      {"a longer information header puts the colour table after it",
       Icon(Join({InfoHeader(1, 2, 1, 0, 0, 108), {0, 0xFF, 0, 0, 0, 0, 0xFF, 0}, {0x80, 0, 0, 0}, kMaskNone1})),
       PictureFormat::Icon, 1, 1, {R}, {false}},
      {"an odd height counts half, rounded down",
       Icon(Join({InfoHeader(1, 3, 24), {0, 0xFF, 0, 0}, kMaskNone1})), PictureFormat::Icon, 1, 1, {G}, {false}},
      {"a cursor decodes like an icon", Icon(SolidImage(B), 2), PictureFormat::Cursor, 1, 1, {B}, {false}},
      {"a PNG entry: colours kept, under half opacity transparent",
       Icon(Png(4, 1, PNG_COLOR_TYPE_RGB_ALPHA,
                {0xFF, 0, 0, 0, 0, 0xFF, 0, 127, 0, 0, 0xFF, 128, 0xFF, 0xFF, 0xFF, 0xFF})),
       PictureFormat::Icon, 4, 1, {R, G, B, W}, {true, true, false, false}},
      {"a grey PNG entry is opaque",
       Icon(Png(2, 1, PNG_COLOR_TYPE_GRAY, {0x00, 0xFF})), PictureFormat::Icon, 2, 1, {K, W}, {false, false}},
  };
  for (const Case& c : cases) {
    const auto picture = canvas::DecodePicture(c.bytes);
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(picture->format, c.format) << c.name;
    ASSERT_EQ(picture->width, c.width) << c.name;
    ASSERT_EQ(picture->height, c.height) << c.name;
    EXPECT_EQ(AllColors(*picture), c.colors) << c.name;
    std::vector<bool> transparent;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) transparent.push_back(TransparentAt(*picture, x, y));
    EXPECT_EQ(transparent, c.transparent) << c.name;
  }
}

TEST(DecodeIcon, ChoosesTheFirst32PixelEntryWith16ColoursOrElseTheLast) {
  struct Choice {
    const char* name;
    std::vector<EntryImage> entries;
    Rgb shown;
  };
  const Choice cases[] = {
      {"the first 32-pixel entry with 16 colours or more",
       {{16, 16, SolidImage(kRed)}, {32, 2, SolidImage(kYellow)}, {32, 16, SolidImage(kGreen)},
        {32, 255, SolidImage(kBlue)}},
       kGreen},
      {"more than 16 colours counts too", {{32, 0, SolidImage(kRed)}, {32, 200, SolidImage(kBlue)}}, kBlue},
      {"only 256-colour entries (colour count 0): the last one",
       {{16, 0, SolidImage(kRed)}, {32, 0, SolidImage(kGreen)}, {48, 0, SolidImage(kBlue)}}, kBlue},
      {"a 256-pixel entry (width byte 0) is not a 32-pixel one",
       {{0, 16, SolidImage(kRed)}, {48, 16, SolidImage(kGreen)}}, kGreen},
  };
  for (const Choice& c : cases) {
    const auto picture = canvas::DecodePicture(IconFile(1, c.entries));
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(ColorAt(*picture, 0, 0), c.shown) << c.name;
  }
}

TEST(DecodeIcon, MalformedInputGivesNoPicture) {
  const Bytes good(std::begin(kOneBitIcon), std::end(kOneBitIcon));
  Bytes bad_crc = Png(1, 1, PNG_COLOR_TYPE_RGB, {1, 2, 3});
  bad_crc[29] ^= 0xFF;  // the header chunk's checksum
  const Bytes png = Png(2, 2, PNG_COLOR_TYPE_RGB, Bytes(12, 7));
  struct Bad {
    const char* name;
    Bytes bytes;
  };
  const Bad cases[] = {
      {"an entry cut short", Bytes(good.begin(), good.begin() + 16)},
      {"more entries claimed than present", Join({Bytes{0, 0, 1, 0, 9, 0}, Bytes(good.begin() + 6, good.end())})},
      {"image offset past the end",
       Join({Bytes{0, 0, 1, 0, 1, 0, 2, 2, 0, 0}, Le16(1), Le16(0), Le32(8), Le32(1000), Bytes(8, 0)})},
      {"image size past the end", Bytes(good.begin(), good.end() - 1)},
      {"an information header of 12 bytes", Icon(Join({Le32(12), Le16(1), Le16(2), Le16(1), Le16(24),
                                                       Bytes{0, 0, 0xFF, 0}, kMaskNone1}))},
      {"an information header longer than the image", Icon(InfoHeader(1, 2, 24, 0, 0, 400))},
      {"16 bits per pixel", Icon(Join({InfoHeader(1, 2, 16), Bytes{0, 0, 0, 0}, kMaskNone1}))},
      {"2 bits per pixel", Icon(Join({InfoHeader(1, 2, 2), Bytes(16, 0), Bytes{0, 0, 0, 0}, kMaskNone1}))},
      {"run-length compressed", Icon(Join({InfoHeader(1, 2, 8, 1), Bytes(1024, 0), Bytes{0, 0, 0, 0}, kMaskNone1}))},
      {"width 0", Icon(Join({InfoHeader(0, 2, 24), kMaskNone1}))},
      {"a negative width", Icon(Join({InfoHeader(-1, 2, 24), Bytes{0, 0, 0, 0}, kMaskNone1}))},
      {"a height of one row: half is none", Icon(Join({InfoHeader(1, 1, 24), Bytes{0, 0, 0, 0}, kMaskNone1}))},
      {"a negative height", Icon(Join({InfoHeader(1, -2, 24), Bytes{0, 0, 0, 0}, kMaskNone1}))},
      {"a colour table cut short", Icon(Join({InfoHeader(1, 2, 8), Bytes(40, 0)}))},
      {"colour rows cut short", Icon(Join({InfoHeader(2, 4, 24), Bytes(12, 0)}))},
      {"no mask rows", Icon(Join({InfoHeader(1, 2, 24), Bytes{0, 0, 0xFF, 0}}))},
      {"mask rows cut short", Icon(Join({InfoHeader(1, 4, 24), Bytes(8, 0), kMaskNone1}))},
      {"beyond the size limit", Icon(Join({InfoHeader(40000, 80000, 24), Bytes(64, 0)}))},
      {"a PNG with a broken checksum", Icon(bad_crc)},
      {"a PNG cut short", Icon(Bytes(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2)))},
      {"a PNG signature alone", Icon(Bytes(png.begin(), png.begin() + 8))},
  };
  ASSERT_TRUE(canvas::DecodePicture(good));
  for (const Bad& c : cases) {
    const PictureFormat format = canvas::IdentifyPictureFormat(c.bytes);
    ASSERT_EQ(format, PictureFormat::Icon) << c.name;
    EXPECT_FALSE(canvas::DecodePicture(c.bytes)) << c.name;
  }
}

}  // namespace
