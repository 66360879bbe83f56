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

// A coded stream built token by token, with what it unpacks to.
struct Tokens {
  Bytes coded;
  Bytes unpacked;

  void Plain(std::uint8_t value) {  // 0xC0 and below
    coded.push_back(value);
    unpacked.push_back(value);
  }
  void Run(int count, std::uint8_t value) {  // 1 to 63
    coded.push_back(static_cast<std::uint8_t>(0xC0 + count));
    coded.push_back(value);
    unpacked.insert(unpacked.end(), static_cast<std::size_t>(count), value);
  }
};

// Long pictures are unpacked many coded bytes at a time; every token must
// still mean what it means alone, wherever it falls.
TEST(DecodePcx, LongStreamsUnpackTokenByToken) {
  struct Case {
    const char* name;
    int width, height, bytes_per_line;
    int run_percent;  // tokens that are runs
    int longest_run;
  };
  const Case cases[] = {
      {"mostly plain bytes", 1000, 40, 1000, 5, 4},
      {"many short runs, most of single bright values", 1000, 40, 1000, 45, 3},
      {"runs only, long ones across rows", 300, 100, 300, 100, 63},
      {"rows padded past the width", 999, 40, 1002, 30, 8},
  };
  for (const Case& c : cases) {
    Tokens tokens;
    std::uint32_t state = 2024;
    auto next = [&](std::uint32_t below) { return ((state = state * 1664525u + 1013904223u) >> 8) % below; };
    const std::size_t needed = static_cast<std::size_t>(c.bytes_per_line) * static_cast<std::size_t>(c.height);
    while (tokens.unpacked.size() < needed) {
      if (next(100) < static_cast<std::uint32_t>(c.run_percent))
        tokens.Run(1 + static_cast<int>(next(static_cast<std::uint32_t>(c.longest_run))), static_cast<std::uint8_t>(next(256)));
      else
        tokens.Plain(static_cast<std::uint8_t>(next(0xC1)));
    }
    const Bytes file = Join({PcxHeader(With(Pcx8(static_cast<std::uint16_t>(c.width), static_cast<std::uint16_t>(c.height)),
                                            [&](PcxFields& f) { f.bytes_per_line = static_cast<std::uint16_t>(c.bytes_per_line); })),
                             tokens.coded, PcxPalette({})});
    Bytes expected;
    for (int y = 0; y < c.height; ++y) {
      const auto row = tokens.unpacked.begin() + static_cast<std::ptrdiff_t>(y) * c.bytes_per_line;
      expected.insert(expected.end(), row, row + c.width);
    }
    const auto picture = canvas::DecodePcx(file, PictureFormat::Pcx8);
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(picture->indices, expected) << c.name;
  }
}

TEST(DecodePcx, TokensAcrossTheGroupsOfCodedBytes) {
  // Coded bytes are looked at 64 at a time: a count can be the last of them
  // with its value the first of the next, and a value above 0xC0 must never
  // be taken for a count.
  struct Case {
    const char* name;
    int plain_before;  // plain bytes before the runs
  };
  const Case cases[] = {{"a count as the 64th coded byte", 63},
                        {"a count's value as the 64th coded byte", 62},
                        {"runs of bright values from the first coded byte", 0}};
  for (const Case& c : cases) {
    Tokens tokens;
    for (int i = 0; i < c.plain_before; ++i) tokens.Plain(static_cast<std::uint8_t>(i));
    tokens.Run(1, 0xC1);  // bytes that all look like counts
    tokens.Run(2, 0xFF);
    tokens.Run(3, 0xC5);
    for (int k = 0; tokens.unpacked.size() < 4000; ++k) {
      if (k % 3 == 0) tokens.Plain(0xC0);
      if (k % 3 == 1) tokens.Run(1, 0xC9);
      if (k % 3 == 2) tokens.Plain(7);
    }
    const Bytes file = Join({PcxHeader(Pcx8(100, 40)), tokens.coded, PcxPalette({})});
    const auto picture = canvas::DecodePcx(file, PictureFormat::Pcx8);
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(picture->indices, Bytes(tokens.unpacked.begin(), tokens.unpacked.begin() + 4000)) << c.name;
  }
}

}  // namespace
