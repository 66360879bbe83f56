#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "canvas/decode_picture.h"
#include "canvas/take_snapshot.h"
#include "card/card_background.h"
#include "save/convert_to_jpeg.h"
#include "save_test_support.h"

namespace {

using save_test::BmpLayout;
using save_test::Bytes;
using save_test::Rgb;
using save_test::ScratchFolder;

std::string CodeName(int code) { return save::ConversionResultName(code); }

// A JPEG that libjpeg decodes to four components (CMYK), which the converter does not take.
Bytes CmykJpeg() {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 8;
  cinfo.image_height = 8;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(8 * 4, 0x40);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// A PNG written by libpng: `format` one of the PNG_FORMAT_* values.
void WritePng(const std::string& path, std::uint32_t format, std::uint32_t width, std::uint32_t height,
              const std::vector<std::uint8_t>& samples) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.format = format;
  image.width = width;
  image.height = height;
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, samples.data(), 0, nullptr)) << image.message;
}

// Every result code, and the files each outcome leaves behind.
TEST(ConvertToJpeg, ResultCodes) {
  ScratchFolder dir;
  const Bytes bmp = save_test::BuildBmp({.width = 9, .height = 7}, save_test::Pattern(9, 7));
  save_test::WriteFile(dir / "source.bmp", bmp);
  save_test::WriteFile(dir / "eight-bit.bmp", save_test::BuildBmp({.width = 4, .height = 4, .bits = 8}, {}));
  save_test::WriteFile(dir / "cut.bmp", save_test::BuildBmp({.width = 9, .height = 7, .drop_tail = 40},
                                                            save_test::Pattern(9, 7)));
  save_test::WriteFile(dir / "empty", {});
  save_test::WriteFile(dir / "text.txt", Bytes{'h', 'e', 'l', 'l', 'o'});
  save_test::WriteFile(dir / "cmyk.jpg", CmykJpeg());
  const auto background = card::CardBackground();
  save_test::WriteFile(dir / "background.jpg", Bytes(background.begin(), background.end()));
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_directory(dir / "busy");
  save_test::WriteFile(dir / "busy/inside", {});
  // 65501 pixels wide: a BMP the reader takes but libjpeg refuses to encode.
  save_test::WriteFile(dir / "too-wide.bmp",
                       save_test::BuildBmp({.width = 65501, .height = 1}, save_test::Pattern(65501, 1)));

  struct Case {
    const char* what;
    std::string source, target;
    int quality = 75, smoothing = 0;
    int expected;
  };
  const std::string out = dir / "out.jpg";
  const Case cases[] = {
      {"a 24-bit BMP", dir / "source.bmp", out, 75, 0, save::ConversionOk},
      {"quality 1 and 100, smoothing 100", dir / "source.bmp", out, 1, 100, save::ConversionOk},
      {"a JPEG source", dir / "background.jpg", out, 100, 0, save::ConversionOk},
      {"missing source", dir / "nothing.bmp", out, 75, 0, save::SourceMissing},
      {"a folder as source", dir / "folder", out, 75, 0, save::SourceUnreadable},
      {"an empty file", dir / "empty", out, 75, 0, save::SourceUnreadable},
      {"an 8-bit BMP", dir / "eight-bit.bmp", out, 75, 0, save::SourceUnreadable},
      {"a BMP cut short", dir / "cut.bmp", out, 75, 0, save::SourceUnreadable},
      {"a text file", dir / "text.txt", out, 75, 0, save::SourceUnreadable},
      {"a CMYK JPEG", dir / "cmyk.jpg", out, 75, 0, save::SourceUnreadable},
      {"target in a missing folder", dir / "source.bmp", dir / "no-such-folder/out.jpg", 75, 0,
       save::TargetNotWritten},
      {"target is a folder with files", dir / "source.bmp", dir / "busy", 75, 0, save::TargetNotWritten},
      {"too wide for JPEG", dir / "too-wide.bmp", out, 75, 0, save::TargetNotWritten},
      {"quality 0", dir / "source.bmp", out, 0, 0, save::BadArguments},
      {"quality 101", dir / "source.bmp", out, 101, 0, save::BadArguments},
      {"smoothing -1", dir / "source.bmp", out, 75, -1, save::BadArguments},
      {"smoothing 101", dir / "source.bmp", out, 75, 101, save::BadArguments},
      {"bad arguments win over a missing source", dir / "nothing.bmp", out, 0, 0, save::BadArguments},
      {"no source path", "", out, 75, 0, save::BadArguments},
      {"no target path", dir / "source.bmp", "", 75, 0, save::BadArguments},
      {"a NUL inside the target path", dir / "source.bmp", out + std::string(1, '\0') + "x", 75, 0,
       save::BadArguments},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(out);
    const auto entries_before = dir.Entries();
    const Bytes source_before = save_test::ReadFile(c.source);
    EXPECT_EQ(CodeName(save::ConvertToJpeg(c.source, c.target, false, c.quality, true, c.smoothing)),
              CodeName(c.expected))
        << c.what;
    EXPECT_EQ(save_test::ReadFile(c.source), source_before) << c.what << ": the source is only read";
    auto entries_after = dir.Entries();
    if (c.expected == save::ConversionOk) {
      EXPECT_TRUE(save_test::Exists(out)) << c.what;
      std::erase(entries_after, "out.jpg");
    }
    // Failures create nothing, not even a temporary file beside the target.
    EXPECT_EQ(entries_after, entries_before) << c.what;
  }
  EXPECT_EQ(save_test::ReadFile(dir / "busy/inside"), Bytes{}) << "the folder in the way is left alone";
}

TEST(ConvertToJpeg, NamesEveryResultCode) {
  for (int code : {1, -1, -3, -4, -7}) EXPECT_NE(CodeName(code), "Unknown") << code;
  EXPECT_EQ(CodeName(0), "Unknown");
}

// Decodes a JPEG file with the program's own decoder.
canvas::DecodedPicture DecodeFile(const std::string& path) {
  const Bytes bytes = save_test::ReadFile(path);
  auto picture = canvas::DecodePicture(bytes);
  if (!picture) ADD_FAILURE() << path << " does not decode";
  return picture.value_or(canvas::DecodedPicture{});
}

Rgb PixelOf(const canvas::DecodedPicture& picture, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 3;
  return Rgb{picture.rgb.at(at), picture.rgb.at(at + 1), picture.rgb.at(at + 2)};
}

bool Near(Rgb a, Rgb b) {
  return std::abs(a.r - b.r) <= 12 && std::abs(a.g - b.g) <= 12 && std::abs(a.b - b.b) <= 12;
}

// Four coloured quarters of a 66 x 48 picture (rows padded by 2 bytes in the
// BMP): wrong row order, swapped channels or shifted rows all show.
TEST(ConvertToJpeg, EveryBmpLayoutComesOutUpright) {
  constexpr int kWidth = 66, kHeight = 48;
  const Rgb quarters[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  std::vector<Rgb> pixels;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) pixels.push_back(quarters[(y >= kHeight / 2) * 2 + (x >= kWidth / 2)]);

  ScratchFolder dir;
  for (const auto& [what, layout] : {std::pair{"bottom-up", BmpLayout{.width = kWidth, .height = kHeight}},
                                     std::pair{"top-down", BmpLayout{.width = kWidth, .height = -kHeight}},
                                     std::pair{"core", BmpLayout{.width = kWidth, .height = kHeight, .core = true}}}) {
    save_test::WriteFile(dir / "source.bmp", save_test::BuildBmp(layout, pixels));
    ASSERT_EQ(save::ConvertToJpeg(dir / "source.bmp", dir / "out.jpg", false, 75, true, 0), save::ConversionOk)
        << what;
    const auto picture = DecodeFile(dir / "out.jpg");
    ASSERT_EQ(picture.width, kWidth) << what;
    ASSERT_EQ(picture.height, kHeight) << what;
    for (int q = 0; q < 4; ++q) {
      const int x = (q % 2) * kWidth / 2 + kWidth / 4, y = (q / 2) * kHeight / 2 + kHeight / 4;
      const Rgb got = PixelOf(picture, x, y);
      EXPECT_TRUE(Near(got, quarters[q])) << what << " quarter " << q << ": " << int(got.r) << "," << int(got.g)
                                          << "," << int(got.b);
    }
  }
}

// What cjpeg (libjpeg-turbo's own tool, same library) writes for the same BMP
// with the same settings is what the converter writes, byte for byte.
TEST(ConvertToJpeg, WritesWhatCjpegWrites) {
  ScratchFolder dir;
  const auto card = save_test::ComposedCard();
  save_test::WriteFile(dir / "card.bmp", canvas::TakeSnapshot(card, 0, 0));
  save_test::WriteFile(dir / "odd.bmp", save_test::BuildBmp({.width = 37, .height = 23}, save_test::Pattern(37, 23)));
  // A BMP that records its resolution: 2835 pixels per metre across (72 dpi), 3780 down (96 dpi).
  Bytes resolution = save_test::BuildBmp({.width = 37, .height = 23}, save_test::Pattern(37, 23));
  for (auto [offset, value] : {std::pair{38u, 2835u}, std::pair{42u, 3780u}})
    for (unsigned i = 0; i < 4; ++i) resolution[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  save_test::WriteFile(dir / "resolution.bmp", resolution);

  struct Case {
    const char* source;
    bool grayscale;
    int quality;
    bool optimize;
    int smoothing;
    const char* cjpeg_options;
  };
  for (const Case& c : {
           Case{"card.bmp", false, 75, true, 0, "-quality 75 -optimize"},
           Case{"odd.bmp", false, 75, true, 0, "-quality 75 -optimize"},
           Case{"resolution.bmp", false, 75, true, 0, "-quality 75 -optimize"},
           Case{"card.bmp", false, 75, false, 0, "-quality 75"},
           Case{"card.bmp", false, 90, true, 40, "-quality 90 -optimize -smooth 40"},
           Case{"odd.bmp", false, 5, true, 0, "-quality 5 -baseline -optimize"},
           Case{"card.bmp", false, 100, true, 0, "-quality 100 -optimize"},
           Case{"card.bmp", true, 75, true, 0, "-quality 75 -optimize -grayscale"},
           Case{"odd.bmp", true, 60, false, 10, "-quality 60 -grayscale -smooth 10"},
       }) {
    const std::string what = std::string(c.source) + " vs cjpeg " + c.cjpeg_options;
    ASSERT_TRUE(save_test::RunCommand(std::string(SHOWCARD_CJPEG) + " " + c.cjpeg_options + " -outfile '" +
                                      (dir / "expected.jpg") + "' '" + (dir / c.source) + "'"))
        << what;
    ASSERT_EQ(save::ConvertToJpeg(dir / c.source, dir / "out.jpg", c.grayscale, c.quality, c.optimize, c.smoothing),
              save::ConversionOk)
        << what;
    const Bytes expected = save_test::ReadFile(dir / "expected.jpg");
    ASSERT_FALSE(expected.empty()) << what;
    EXPECT_TRUE(save_test::ReadFile(dir / "out.jpg") == expected) << what;
  }
}

TEST(ConvertToJpeg, TopDownAndCoreLayoutsGiveTheSameFileAsBottomUp) {
  ScratchFolder dir;
  const auto pixels = save_test::Pattern(31, 17, 7);
  std::vector<Bytes> outputs;
  for (const BmpLayout& layout : {BmpLayout{.width = 31, .height = 17}, BmpLayout{.width = 31, .height = -17},
                                  BmpLayout{.width = 31, .height = 17, .core = true}}) {
    save_test::WriteFile(dir / "source.bmp", save_test::BuildBmp(layout, pixels));
    ASSERT_EQ(save::ConvertToJpeg(dir / "source.bmp", dir / "out.jpg", false, 75, true, 0), save::ConversionOk);
    outputs.push_back(save_test::ReadFile(dir / "out.jpg"));
  }
  EXPECT_TRUE(outputs[1] == outputs[0]);
  EXPECT_TRUE(outputs[2] == outputs[0]);
}

// The markers of the saved card: JFIF 1.01 without units, baseline, Y 2x2
// with Cb and Cr 1x1, one scan, and nothing else.
TEST(ConvertToJpeg, CardFileStructure) {
  ScratchFolder dir;
  save_test::WriteFile(dir / "temp", canvas::TakeSnapshot(save_test::ComposedCard(), 0, 0));
  ASSERT_EQ(save::ConvertToJpeg(dir / "temp", dir / "IMG1.jpg", false, 75, true, 0), save::ConversionOk);
  const Bytes f = save_test::ReadFile(dir / "IMG1.jpg");
  ASSERT_GT(f.size(), 4u);
  ASSERT_EQ(f[0], 0xFF);
  ASSERT_EQ(f[1], 0xD8);
  std::vector<int> markers;
  std::size_t at = 2;
  while (at + 4 <= f.size() && f[at] == 0xFF) {
    const int marker = f[at + 1];
    const std::size_t length = static_cast<std::size_t>(f[at + 2] << 8 | f[at + 3]);
    const std::uint8_t* body = &f[at + 4];
    markers.push_back(marker);
    if (marker == 0xE0) {  // APP0
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(body), 5), std::string("JFIF\0", 5));
      EXPECT_EQ(body[5], 1);
      EXPECT_EQ(body[6], 1);
      EXPECT_EQ(body[7], 0) << "density unit";
      EXPECT_EQ(body[8] << 8 | body[9], 1) << "X density";
      EXPECT_EQ(body[10] << 8 | body[11], 1) << "Y density";
    } else if (marker == 0xDB) {  // DQT: T.81 Annex K tables at half their values
      for (std::size_t t = 0; t + 65 <= length - 2; t += 65)
        EXPECT_EQ(body[t + 1], (body[t] & 0x0F) == 0 ? 8 : 9) << "first entry of table " << (body[t] & 0x0F);
      EXPECT_EQ(body[0] >> 4, 0) << "8-bit table entries";
    } else if (marker == 0xC0) {  // SOF0
      EXPECT_EQ(body[0], 8);
      EXPECT_EQ(body[1] << 8 | body[2], 159);
      EXPECT_EQ(body[3] << 8 | body[4], 273);
      ASSERT_EQ(body[5], 3);
      const std::uint8_t components[3][3] = {{1, 0x22, 0}, {2, 0x11, 1}, {3, 0x11, 1}};
      for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(body[6 + c * 3 + k], components[c][k]) << "component " << c;
    } else if (marker == 0xDA) {  // SOS: one interleaved scan, tables 0 for Y and 1 for Cb, Cr
      ASSERT_EQ(body[0], 3);
      EXPECT_EQ(body[2], 0x00);
      EXPECT_EQ(body[4], 0x11);
      EXPECT_EQ(body[6], 0x11);
      break;
    }
    at += 2 + length;
  }
  EXPECT_EQ(markers, (std::vector<int>{0xE0, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA}));
  EXPECT_EQ(f[f.size() - 2], 0xFF);
  EXPECT_EQ(f[f.size() - 1], 0xD9);
}

TEST(ConvertToJpeg, ReplacesAnExistingTargetAndWritesJpegWhateverTheName) {
  ScratchFolder dir;
  save_test::WriteFile(dir / "source.bmp", save_test::BuildBmp({.width = 8, .height = 8}, save_test::Pattern(8, 8)));
  save_test::WriteFile(dir / "picture.bmp", Bytes(50000, 0x42));
  ASSERT_EQ(save::ConvertToJpeg(dir / "source.bmp", dir / "picture.bmp", false, 75, true, 0), save::ConversionOk);
  const Bytes written = save_test::ReadFile(dir / "picture.bmp");
  ASSERT_GT(written.size(), 2u);
  EXPECT_LT(written.size(), 50000u) << "replaced whole, nothing of the old file left";
  EXPECT_EQ(canvas::IdentifyPictureFormat(written), canvas::PictureFormat::Jpeg);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"picture.bmp", "source.bmp"}));
}

TEST(ConvertToJpeg, GrayscaleWritesOneComponent) {
  ScratchFolder dir;
  save_test::WriteFile(dir / "source.bmp", save_test::BuildBmp({.width = 8, .height = 8}, save_test::Pattern(8, 8)));
  ASSERT_EQ(save::ConvertToJpeg(dir / "source.bmp", dir / "gray.jpg", true, 75, true, 0), save::ConversionOk);
  const Bytes f = save_test::ReadFile(dir / "gray.jpg");
  std::size_t sof = 0;
  while (sof + 10 < f.size() && !(f[sof] == 0xFF && f[sof + 1] == 0xC0)) ++sof;
  ASSERT_LT(sof + 10, f.size()) << "no SOF0 marker";
  EXPECT_EQ(f[sof + 9], 1) << "components";
  // A gray JPEG source comes back as a colour JPEG with equal channels.
  ASSERT_EQ(save::ConvertToJpeg(dir / "gray.jpg", dir / "colour.jpg", false, 100, true, 0), save::ConversionOk);
  const auto picture = DecodeFile(dir / "colour.jpg");
  ASSERT_EQ(picture.width, 8);
  for (int i = 0; i < 64; ++i) {
    const Rgb p = PixelOf(picture, i % 8, i / 8);
    EXPECT_LE(std::abs(p.r - p.g) + std::abs(p.g - p.b), 4) << i;
  }
}

TEST(ConvertToJpeg, PngSources) {
  ScratchFolder dir;
  std::vector<std::uint8_t> rgb;
  for (const Rgb& p : save_test::Pattern(5, 3)) rgb.insert(rgb.end(), {p.r, p.g, p.b});
  WritePng(dir / "rgb.png", PNG_FORMAT_RGB, 5, 3, rgb);
  WritePng(dir / "gray.png", PNG_FORMAT_GRAY, 4, 4, std::vector<std::uint8_t>(16, 0x80));
  // Fully transparent pixels are laid over white.
  WritePng(dir / "clear.png", PNG_FORMAT_RGBA, 2, 2, std::vector<std::uint8_t>(16, 0));
  WritePng(dir / "sixteen-bit.png", PNG_FORMAT_LINEAR_RGB, 2, 2, std::vector<std::uint8_t>(24, 0x10));
  Bytes cut = save_test::ReadFile(dir / "rgb.png");
  cut.resize(cut.size() - 20);
  save_test::WriteFile(dir / "cut.png", cut);

  struct Case {
    const char* source;
    int expected;
    int width = 0, height = 0;
    std::optional<Rgb> top_left = std::nullopt;
  };
  for (const Case& c : {Case{"rgb.png", save::ConversionOk, 5, 3},
                        Case{"gray.png", save::ConversionOk, 4, 4, Rgb{0x80, 0x80, 0x80}},
                        Case{"clear.png", save::ConversionOk, 2, 2, Rgb{255, 255, 255}},
                        Case{"sixteen-bit.png", save::SourceUnreadable}, Case{"cut.png", save::SourceUnreadable}}) {
    std::filesystem::remove(dir / "out.jpg");
    ASSERT_EQ(CodeName(save::ConvertToJpeg(dir / c.source, dir / "out.jpg", false, 90, true, 0)),
              CodeName(c.expected))
        << c.source;
    if (c.expected != save::ConversionOk) {
      EXPECT_FALSE(save_test::Exists(dir / "out.jpg")) << c.source;
      continue;
    }
    const auto picture = DecodeFile(dir / "out.jpg");
    EXPECT_EQ(picture.width, c.width) << c.source;
    EXPECT_EQ(picture.height, c.height) << c.source;
    if (c.top_left) {
      EXPECT_TRUE(Near(PixelOf(picture, 0, 0), *c.top_left)) << c.source;
    }
  }
}

// A write that fails part-way (the file size limit is reached, as on a full
// disk) leaves no partial file and the old target as it was.
TEST(ConvertToJpeg, WriteFailingPartWayLeavesNoPartialFileAndTheOldTarget) {
  ScratchFolder dir;
  save_test::WriteFile(dir / "source.bmp",
                       save_test::BuildBmp({.width = 200, .height = 200}, save_test::Pattern(200, 200)));
  const Bytes old_target(300, 0x33);
  save_test::WriteFile(dir / "target.jpg", old_target);
  // The unlimited conversion's size, so the limit is known to cut it short.
  ASSERT_EQ(save::ConvertToJpeg(dir / "source.bmp", dir / "full.jpg", false, 75, true, 0), save::ConversionOk);
  const std::uint64_t full_size = save_test::ReadFile(dir / "full.jpg").size();
  std::filesystem::remove(dir / "full.jpg");
  ASSERT_GT(full_size, 2000u);

  const int code = save_test::RunWithFileSizeLimit(full_size / 2, [&] {
    return -save::ConvertToJpeg(dir / "source.bmp", dir / "target.jpg", false, 75, true, 0);
  });
  EXPECT_EQ(-code, save::TargetNotWritten);
  EXPECT_TRUE(save_test::ReadFile(dir / "target.jpg") == old_target);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"source.bmp", "target.jpg"}));

  // Without a limit the same call goes through.
  EXPECT_EQ(save_test::RunWithFileSizeLimit(full_size * 2, [&] {
              return save::ConvertToJpeg(dir / "source.bmp", dir / "target.jpg", false, 75, true, 0);
            }),
            save::ConversionOk);
  EXPECT_EQ(save_test::ReadFile(dir / "target.jpg").size(), full_size);
}

TEST(ConvertToJpeg, TheNewFileHasTheUsualPermissions) {
  ScratchFolder dir;
  save_test::WriteFile(dir / "source.bmp", save_test::BuildBmp({.width = 2, .height = 2}, save_test::Pattern(2, 2)));
  const mode_t mask = ::umask(022);
  ASSERT_EQ(save::ConvertToJpeg(dir / "source.bmp", dir / "out.jpg", false, 75, true, 0), save::ConversionOk);
  ::umask(mask);
  struct stat st{};
  ASSERT_EQ(::stat((dir / "out.jpg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

}  // namespace
