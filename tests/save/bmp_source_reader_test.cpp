#include <gtest/gtest.h>

#include "save/converter_picture.h"
#include "save_test_support.h"

namespace {

using save::ConverterPicture;
using save::ReadOutcome;
using save_test::BmpLayout;
using save_test::Bytes;
using save_test::Rgb;

const char* Name(ReadOutcome outcome) {
  switch (outcome) {
    case ReadOutcome::NotAccepted: return "NotAccepted";
    case ReadOutcome::Decoded: return "Decoded";
    case ReadOutcome::DecodeFailed: return "DecodeFailed";
  }
  return "?";
}

std::vector<Rgb> PixelsOf(const ConverterPicture& picture) {
  std::vector<Rgb> pixels;
  for (std::size_t i = 0; i + 2 < picture.pixels.size(); i += 3)
    pixels.push_back(Rgb{picture.pixels[i], picture.pixels[i + 1], picture.pixels[i + 2]});
  return pixels;
}

struct LayoutCase {
  const char* what;
  BmpLayout layout;
};

// Files the reader takes: the picture must come out upright, unshifted and
// in red, green, blue order, whatever the layout.
TEST(BmpSourceReader, ReadsEveryTwentyFourBitLayout) {
  const LayoutCase cases[] = {
      {"bottom-up, 273 wide (one padding byte a row)", {.width = 273, .height = 3}},
      {"top-down (negative height)", {.width = 273, .height = -3}},
      {"core header", {.width = 273, .height = 3, .core = true}},
      {"width 1 (one padding byte)", {.width = 1, .height = 5}},
      {"width 2 (two padding bytes)", {.width = 2, .height = 5}},
      {"width 3 (three padding bytes)", {.width = 3, .height = 5}},
      {"width 4 (no padding)", {.width = 4, .height = 5}},
      {"one pixel", {.width = 1, .height = 1}},
      {"signature BA", {.width = 5, .height = 2, .second_signature_byte = 'A'}},
      {"gap before the pixel rows", {.width = 5, .height = 2, .gap = 37}},
      {"bit-field compression with 24 bits", {.width = 5, .height = 2, .compression = 3}},
      {"core header with a gap", {.width = 6, .height = 4, .core = true, .gap = 10}},
  };
  for (const LayoutCase& c : cases) {
    const std::int32_t rows = c.layout.height < 0 ? -c.layout.height : c.layout.height;
    const auto pixels = save_test::Pattern(c.layout.width, rows, static_cast<std::uint32_t>(c.layout.width));
    ConverterPicture picture;
    ASSERT_EQ(Name(save::ReadBmpSource(save_test::BuildBmp(c.layout, pixels), picture)), std::string("Decoded"))
        << c.what;
    EXPECT_EQ(picture.width, c.layout.width) << c.what;
    EXPECT_EQ(picture.height, rows) << c.what;
    EXPECT_EQ(picture.channels, 3) << c.what;
    EXPECT_EQ(PixelsOf(picture), pixels) << c.what;
  }
}

TEST(BmpSourceReader, StoredBlueGreenRedBecomesRedGreenBlue) {
  // One pixel stored as the bytes 0x00 0x00 0xFF is pure red.
  const Bytes bmp = save_test::BuildBmp({.width = 1, .height = 1}, {Rgb{0xFF, 0x00, 0x00}});
  ASSERT_EQ(bmp[54], 0x00);
  ASSERT_EQ(bmp[56], 0xFF);
  ConverterPicture picture;
  ASSERT_EQ(save::ReadBmpSource(bmp, picture), ReadOutcome::Decoded);
  EXPECT_EQ(picture.pixels, (std::vector<std::uint8_t>{0xFF, 0x00, 0x00}));
}

TEST(BmpSourceReader, BytesAfterTheLastRowAreIgnored) {
  const auto pixels = save_test::Pattern(3, 2);
  Bytes bmp = save_test::BuildBmp({.width = 3, .height = 2}, pixels);
  bmp.insert(bmp.end(), 100, 0x55);
  ConverterPicture picture;
  ASSERT_EQ(save::ReadBmpSource(bmp, picture), ReadOutcome::Decoded);
  EXPECT_EQ(PixelsOf(picture), pixels);
}

// Files the reader refuses (another reader may take them) and files it takes
// but cannot decode (the conversion ends there).
TEST(BmpSourceReader, RejectionsAndFailures) {
  struct Case {
    const char* what;
    Bytes file;
    ReadOutcome expected;
  };
  const auto build = [](BmpLayout layout) {
    const std::int32_t rows = layout.height < 0 ? -layout.height : layout.height;
    return save_test::BuildBmp(layout, save_test::Pattern(std::max(layout.width, 0), std::max(rows, 0)));
  };
  // 60000 x 2^31-1 pixels claimed, four stored.
  Bytes huge_claim = build({.width = 2, .height = 2});
  huge_claim[18] = 0x60, huge_claim[19] = 0xEA, huge_claim[20] = 0, huge_claim[21] = 0;
  huge_claim[22] = 0xFF, huge_claim[23] = 0xFF, huge_claim[24] = 0xFF, huge_claim[25] = 0x7F;
  Bytes thirteen_bytes = build({.width = 2, .height = 2});
  thirteen_bytes.resize(13);
  const Case cases[] = {
      {"empty file", {}, ReadOutcome::NotAccepted},
      {"file header cut short", thirteen_bytes, ReadOutcome::NotAccepted},
      {"signature MB", [&] { Bytes b = build({.width = 2, .height = 2}); b[0] = 'M'; b[1] = 'B'; return b; }(),
       ReadOutcome::NotAccepted},
      {"signature BX", build({.width = 2, .height = 2, .second_signature_byte = 'X'}), ReadOutcome::NotAccepted},
      {"1 bit per pixel", build({.width = 2, .height = 2, .bits = 1}), ReadOutcome::NotAccepted},
      {"4 bits per pixel", build({.width = 2, .height = 2, .bits = 4}), ReadOutcome::NotAccepted},
      {"8 bits per pixel", build({.width = 2, .height = 2, .bits = 8}), ReadOutcome::NotAccepted},
      {"16 bits per pixel", build({.width = 2, .height = 2, .bits = 16}), ReadOutcome::NotAccepted},
      {"32 bits per pixel", build({.width = 2, .height = 2, .bits = 32}), ReadOutcome::NotAccepted},
      {"core header, 8 bits", build({.width = 2, .height = 2, .core = true, .bits = 8}), ReadOutcome::NotAccepted},
      {"run-length 8 claiming 24 bits", build({.width = 2, .height = 2, .compression = 1}), ReadOutcome::NotAccepted},
      {"run-length 4 claiming 24 bits", build({.width = 2, .height = 2, .compression = 2}), ReadOutcome::NotAccepted},
      {"unknown compression 4", build({.width = 2, .height = 2, .compression = 4}), ReadOutcome::NotAccepted},
      {"width 0", build({.width = 0, .height = 2}), ReadOutcome::NotAccepted},
      {"negative width", build({.width = -2, .height = 2}), ReadOutcome::NotAccepted},
      {"height 0", build({.width = 2, .height = 0}), ReadOutcome::NotAccepted},
      {"pixel offset inside the file header", build({.width = 2, .height = 2, .pixel_offset = 10}),
       ReadOutcome::NotAccepted},
      {"pixel offset past the end", build({.width = 2, .height = 2, .pixel_offset = 100000}),
       ReadOutcome::NotAccepted},
      {"header area too short for the info fields", build({.width = 2, .height = 2, .pixel_offset = 30}),
       ReadOutcome::NotAccepted},
      {"header area too short for the core fields",
       build({.width = 2, .height = 2, .core = true, .pixel_offset = 22}), ReadOutcome::NotAccepted},
      {"pixel data ends before the last row", build({.width = 5, .height = 4, .drop_tail = 16}),
       ReadOutcome::DecodeFailed},
      {"last row without its padding", build({.width = 5, .height = 4, .drop_tail = 1}), ReadOutcome::DecodeFailed},
      {"no pixel data at all", build({.width = 5, .height = 4, .drop_tail = 64}), ReadOutcome::DecodeFailed},
      {"core header, width 0", build({.width = 0, .height = 2, .core = true}), ReadOutcome::DecodeFailed},
      {"core header, height 0", build({.width = 2, .height = 0, .core = true}), ReadOutcome::DecodeFailed},
      {"huge picture in a small file", huge_claim, ReadOutcome::DecodeFailed},
  };
  for (const Case& c : cases) {
    ConverterPicture picture;
    EXPECT_EQ(Name(save::ReadBmpSource(c.file, picture)), std::string(Name(c.expected))) << c.what;
  }
}

}  // namespace
