// GIF: the first image of the file, placed at the top-left corner of a picture
// of the logical screen's size. Later images and transparency are ignored.
#include <algorithm>
#include <vector>

#include "canvas/byte_reader.h"
#include "canvas/decode_picture.h"
#include "canvas/lzw_decoder.h"

namespace canvas {
namespace {

constexpr std::size_t kSignatureSize = 6;  // "GIF87a" or "GIF89a"
constexpr std::size_t kHeaderSize = 13;    // signature and logical screen descriptor
constexpr std::size_t kMinFileSize = 14;

constexpr std::uint8_t kColorTableFlag = 0x80;
constexpr std::uint8_t kInterlaceFlag = 0x40;
constexpr std::uint8_t kColorTableSizeBits = 0x07;

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kPlainTextLabel = 0x01;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kCommentLabel = 0xFE;
constexpr std::uint8_t kApplicationLabel = 0xFF;
// Bytes after the label that come before any sub-blocks.
constexpr std::size_t kPlainTextHeaderSize = 13;
constexpr std::size_t kApplicationHeaderSize = 12;
// Size byte, four data bytes and the terminator, passed over whatever they say.
constexpr std::size_t kGraphicControlSize = 6;

struct ColorTable {
  std::array<Rgb, 256> colors{};  // entries past the table's size stay black
  bool present = false;
};

std::size_t ColorTableBytes(std::uint8_t flags) { return (std::size_t{2} << (flags & kColorTableSizeBits)) * 3; }

bool ReadColorTable(ByteReader& reader, std::uint8_t flags, ColorTable& table) {
  const auto bytes = reader.ReadBytes(ColorTableBytes(flags));
  if (!bytes) return false;
  for (std::size_t i = 0; i * 3 < bytes->size(); ++i)
    table.colors[i] = Rgb{(*bytes)[i * 3], (*bytes)[i * 3 + 1], (*bytes)[i * 3 + 2]};
  table.present = true;
  return true;
}

// Passes over data sub-blocks up to the zero-length one.
bool SkipSubBlocks(ByteReader& reader) {
  for (;;) {
    const auto length = reader.ReadU8();
    if (!length) return false;
    if (*length == 0) return true;
    if (!reader.Skip(*length)) return false;
  }
}

bool SkipExtension(ByteReader& reader) {
  const auto label = reader.ReadU8();
  if (!label) return false;
  switch (*label) {
    case kPlainTextLabel: return reader.Skip(kPlainTextHeaderSize) && SkipSubBlocks(reader);
    case kGraphicControlLabel: return reader.Skip(kGraphicControlSize);
    case kCommentLabel: return SkipSubBlocks(reader);
    case kApplicationLabel: return reader.Skip(kApplicationHeaderSize) && SkipSubBlocks(reader);
    default: return false;
  }
}

// The image data's sub-blocks joined up. Data that stops short simply ends
// the codes there: the rows decoded so far are kept.
std::vector<std::uint8_t> JoinSubBlocks(ByteReader& reader) {
  std::vector<std::uint8_t> joined;
  joined.reserve(reader.Remaining());  // never more than the file holds
  for (;;) {
    const auto length = reader.ReadU8();
    if (!length || *length == 0) break;
    const std::size_t present = std::min<std::size_t>(*length, reader.Remaining());
    const auto bytes = *reader.ReadBytes(present);
    joined.insert(joined.end(), bytes.begin(), bytes.end());
    if (present < *length) break;
  }
  return joined;
}

// The screen row that the k-th stored row of an interlaced image belongs to:
// every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
std::size_t InterlacedRow(std::size_t k, std::size_t height) {
  constexpr std::size_t kStart[] = {0, 4, 2, 1};
  constexpr std::size_t kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const std::size_t rows = height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
    if (k < rows) return kStart[pass] + k * kStep[pass];
    k -= rows;
  }
  return height;  // past the last row
}

// The picture has one palette, the first image's; the uncovered screen shows
// `color`, so it takes an index of that colour, the nearest one if none is exact.
std::uint8_t IndexShowing(const std::array<Rgb, 256>& palette, Rgb color, std::uint8_t preferred) {
  if (palette[preferred] == color) return preferred;
  std::size_t best = 0;
  int best_distance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int dr = palette[i].r - color.r, dg = palette[i].g - color.g, db = palette[i].b - color.b;
    const int distance = dr * dr + dg * dg + db * db;
    if (best_distance < 0 || distance < best_distance) {
      best = i;
      best_distance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

struct Screen {
  std::size_t width = 0;
  std::size_t height = 0;
  ColorTable global;
  std::uint8_t background_index = 0;
};

std::optional<DecodedPicture> DecodeFirstImage(ByteReader& reader, const Screen& screen) {
  const auto left = reader.ReadLe16();
  const auto top = reader.ReadLe16();
  const auto width = reader.ReadLe16();
  const auto height = reader.ReadLe16();
  const auto flags = reader.ReadU8();
  if (!left || !top || !width || !height || !flags) return std::nullopt;

  ColorTable local;
  if ((*flags & kColorTableFlag) && !ReadColorTable(reader, *flags, local)) return std::nullopt;
  const auto code_size = reader.ReadU8();
  if (!code_size) return std::nullopt;
  const std::vector<std::uint8_t> codes = JoinSubBlocks(reader);
  auto lzw = LzwDecoder::Create(*code_size, codes);
  if (!lzw) return std::nullopt;

  DecodedPicture picture;
  picture.format = PictureFormat::Gif;
  picture.width = static_cast<std::int32_t>(screen.width);
  picture.height = static_cast<std::int32_t>(screen.height);
  picture.palette = local.present ? local.colors : screen.global.colors;
  // Uncovered pixels show the global background colour, black without a global table.
  const Rgb backdrop = screen.global.present ? screen.global.colors[screen.background_index] : Rgb{};
  picture.indices.assign(screen.width * screen.height,
                         IndexShowing(picture.palette, backdrop, screen.background_index));

  // The image goes to the top-left corner whatever its stated position, cropped to the screen.
  const std::size_t image_width = *width;
  const std::size_t image_height = *height;
  const bool interlaced = (*flags & kInterlaceFlag) != 0;
  const std::size_t shown = std::min(image_width, screen.width);
  std::vector<std::uint8_t> row(image_width);
  for (std::size_t k = 0; k < image_height; ++k) {
    const std::size_t y = interlaced ? InterlacedRow(k, image_height) : k;
    // Rows stored in order below the screen are never shown: stop reading.
    if (!interlaced && y >= screen.height) break;
    std::uint8_t* screen_row = y < screen.height ? picture.indices.data() + y * screen.width : nullptr;
    // A row as wide as the screen is decoded in place; others go through `row`.
    const bool in_place = screen_row && image_width == screen.width;
    const std::size_t got = lzw->Read(in_place ? std::span(screen_row, image_width) : std::span(row));
    if (screen_row && !in_place) std::copy_n(row.begin(), std::min(got, shown), screen_row);
    if (got < image_width) break;  // codes ended early or went bad: keep what came
  }
  return picture;
}

}  // namespace

std::optional<DecodedPicture> DecodeGif(ByteSpan bytes) {
  if (bytes.size() < kMinFileSize) return std::nullopt;
  ByteReader reader(bytes);
  Screen screen;
  if (!reader.Skip(kSignatureSize)) return std::nullopt;
  const auto width = reader.ReadLe16();
  const auto height = reader.ReadLe16();
  const auto flags = reader.ReadU8();
  const auto background_index = reader.ReadU8();
  const auto aspect_ratio = reader.ReadU8();
  if (!width || !height || !flags || !background_index || !aspect_ratio) return std::nullopt;
  if (!PictureSizeAllowed(*width, *height, 1)) return std::nullopt;
  screen.width = *width;
  screen.height = *height;
  screen.background_index = *background_index;

  if (*flags & kColorTableFlag) {
    // The table must leave at least one byte after it.
    if (kHeaderSize + ColorTableBytes(*flags) >= bytes.size()) return std::nullopt;
    if (!ReadColorTable(reader, *flags, screen.global)) return std::nullopt;
  }

  for (;;) {
    const auto block = reader.ReadU8();
    if (!block) return std::nullopt;  // no image before the end of the data
    if (*block == kImageSeparator) return DecodeFirstImage(reader, screen);
    // The trailer, a stray zero or anything unknown before an image: nothing to show.
    if (*block != kExtensionIntroducer || !SkipExtension(reader)) return std::nullopt;
  }
}

}  // namespace canvas
