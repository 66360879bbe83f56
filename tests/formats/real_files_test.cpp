// Files written by common tools (see tests/data/formats/make_files.py)
// decode to the drawing they were made from.
#include <gtest/gtest.h>

#include "canvas/decode_picture.h"
#include "format_test_support.h"

namespace {

using canvas::PictureFormat;
using canvas::Rgb;
using namespace format_tests;

TEST(RealFiles, PaletteFilesShowTheirDrawingExactly) {
  const Reference drawing = ReadReference("drawing.ppm");
  ASSERT_EQ(drawing.width, 24);
  struct File {
    const char* name;
    PictureFormat format;
  };
  const File files[] = {
      {"pillow.gif", PictureFormat::Gif},  // interlaced
      {"magick.gif", PictureFormat::Gif},  // with a graphic control block
      {"magick.pcx", PictureFormat::Pcx8},
  };
  for (const File& f : files) {
    const auto picture = canvas::DecodePicture(ReadDataFile(f.name));
    ASSERT_TRUE(picture) << f.name;
    EXPECT_EQ(picture->format, f.format) << f.name;
    ASSERT_EQ(picture->width, drawing.width) << f.name;
    ASSERT_EQ(picture->height, drawing.height) << f.name;
    EXPECT_EQ(AllColors(*picture), drawing.rgb) << f.name;
  }
}

TEST(RealFiles, IconsShowTheirDrawingThroughTheMask) {
  const Reference drawing = ReadReference("icon.pam");
  ASSERT_EQ(drawing.alpha.size(), 16u * 16u);
  for (const char* name : {"magick.ico", "pillow.ico"}) {  // a bitmap entry, a PNG entry
    const auto picture = canvas::DecodePicture(ReadDataFile(name));
    ASSERT_TRUE(picture) << name;
    EXPECT_EQ(picture->format, PictureFormat::Icon) << name;
    ASSERT_EQ(picture->width, drawing.width) << name;
    ASSERT_EQ(picture->height, drawing.height) << name;
    int mismatches = 0;
    for (int y = 0; y < drawing.height; ++y) {
      for (int x = 0; x < drawing.width; ++x) {
        const std::size_t i = static_cast<std::size_t>(y * drawing.width + x);
        const bool transparent = drawing.alpha[i] == 0;
        // Colours under a transparent mask bit are whatever the tool left there.
        if (TransparentAt(*picture, x, y) != transparent || (!transparent && ColorAt(*picture, x, y) != drawing.rgb[i]))
          ++mismatches;
      }
    }
    EXPECT_EQ(mismatches, 0) << name;
  }
}

TEST(RealFiles, OneBitPcxDecodesAsVersion3Only) {
  Bytes file = ReadDataFile("pillow-1bit.pcx");
  const Reference stripes = ReadReference("bilevel.ppm");
  ASSERT_GT(file.size(), 128u);
  ASSERT_EQ(file[3], 1);  // bits per pixel

  // The tool writes a version other than 3: such a 1-bit file is not recognised.
  ASSERT_NE(file[1], 3);
  EXPECT_EQ(canvas::IdentifyPictureFormat(file), PictureFormat::Unrecognised);
  EXPECT_FALSE(canvas::DecodePicture(file));
  file[1] = 5;
  EXPECT_FALSE(canvas::DecodePicture(file));

  file[1] = 3;
  const auto picture = canvas::DecodePicture(file);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->format, PictureFormat::Pcx1);
  ASSERT_EQ(picture->width, stripes.width);
  ASSERT_EQ(picture->height, stripes.height);
  for (int y = 0; y < stripes.height; ++y)
    for (int x = 0; x < stripes.width; ++x)
      EXPECT_EQ(BitAt(*picture, x, y), stripes.rgb[static_cast<std::size_t>(y * stripes.width + x)] == kWhite)
          << x << "," << y;
}

}  // namespace
