// Icon and cursor files: one entry is chosen from the directory, and its image
// (a bitmap with an AND mask, or a PNG) becomes the picture. A cursor's hot
// spot plays no part; cursors draw like icons.
#include <vector>

#include "canvas/byte_reader.h"
#include "canvas/decode_icon_png.h"
#include "canvas/decode_picture.h"

namespace canvas {
namespace {

// After the directory's reserved word, type word and entry count.
constexpr std::size_t kEntrySize = 16;

// The entry preferred: 32 pixels wide with at least 16 colours.
constexpr std::uint8_t kPreferredWidth = 32;
constexpr std::uint8_t kPreferredMinColors = 16;

constexpr std::uint32_t kMinInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;

struct Entry {
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  std::uint8_t color_count = 0;
  std::uint32_t image_size = 0;
  std::uint32_t image_offset = 0;
};

std::optional<Entry> ReadEntry(ByteReader& reader) {
  Entry entry;
  const auto width = reader.ReadU8();          // 0 stands for 256
  const auto height = reader.ReadU8();
  const auto color_count = reader.ReadU8();    // 0 for 256 colours or more
  const auto reserved = reader.ReadU8();
  const auto planes_or_hot_x = reader.ReadLe16();
  const auto bits_or_hot_y = reader.ReadLe16();
  const auto image_size = reader.ReadLe32();
  const auto image_offset = reader.ReadLe32();
  if (!width || !height || !color_count || !reserved || !planes_or_hot_x || !bits_or_hot_y || !image_size ||
      !image_offset)
    return std::nullopt;
  entry.width = *width;
  entry.height = *height;
  entry.color_count = *color_count;
  entry.image_size = *image_size;
  entry.image_offset = *image_offset;
  return entry;
}

// The first entry 32 pixels wide with 16 colours or more, else the last one.
std::optional<Entry> ChooseEntry(ByteReader& reader, std::uint16_t count) {
  std::optional<Entry> chosen;
  std::optional<Entry> last;
  for (std::uint16_t i = 0; i < count; ++i) {
    // An entry that is not wholly there: the directory claims more than the file holds.
    const auto entry_bytes = reader.ReadBytes(kEntrySize);
    if (!entry_bytes) return std::nullopt;
    ByteReader fields(*entry_bytes);
    last = ReadEntry(fields);
    if (!last) return std::nullopt;
    if (!chosen && last->width == kPreferredWidth && last->color_count >= kPreferredMinColors) chosen = last;
  }
  return chosen ? chosen : last;
}

bool SupportedBitCount(std::uint16_t bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32; }

// A bitmap icon image: information header, colour table (8 bits and fewer),
// colour rows, then the 1-bit AND mask rows; both kinds of rows bottom-up and
// padded to 4 bytes.
std::optional<DecodedPicture> DecodeIconBitmap(ByteSpan image, PictureFormat format) {
  ByteReader reader(image);
  const auto header_size = reader.ReadLe32();
  const auto width = reader.ReadLeS32();
  const auto double_height = reader.ReadLeS32();  // colour rows and mask rows together
  const auto planes = reader.ReadLe16();
  const auto bits = reader.ReadLe16();
  const auto compression = reader.ReadLe32();
  const auto image_bytes = reader.ReadLe32();
  const auto x_resolution = reader.ReadLe32();
  const auto y_resolution = reader.ReadLe32();
  const auto colors_used = reader.ReadLe32();
  const auto colors_important = reader.ReadLe32();
  if (!header_size || !width || !double_height || !planes || !bits || !compression || !image_bytes ||
      !x_resolution || !y_resolution || !colors_used || !colors_important)
    return std::nullopt;
  if (*header_size < kMinInfoHeaderSize || !reader.Seek(*header_size)) return std::nullopt;
  if (*compression != kUncompressed || !SupportedBitCount(*bits)) return std::nullopt;

  const std::int64_t w = *width;
  const std::int64_t h = *double_height / 2;
  if (!PictureSizeAllowed(w, h, 4)) return std::nullopt;  // colour and mask

  std::array<Rgb, 256> table{};
  std::size_t table_entries = 0;
  if (*bits <= 8) {
    const std::uint64_t entries = *colors_used != 0 ? *colors_used : (1u << *bits);
    if (entries > reader.Remaining() / 4) return std::nullopt;
    for (std::uint64_t i = 0; i < entries; ++i) {
      const auto entry = *reader.ReadBytes(4);  // blue, green, red, reserved
      if (i < table.size()) table[i] = Rgb{entry[2], entry[1], entry[0]};
    }
    table_entries = static_cast<std::size_t>(std::min<std::uint64_t>(entries, table.size()));
  }

  const auto cols = static_cast<std::size_t>(w);
  const auto rows = static_cast<std::size_t>(h);
  const std::size_t color_stride = (cols * *bits + 31) / 32 * 4;
  const std::size_t mask_stride = (cols + 31) / 32 * 4;
  // Both below 2^16 x 2^18 bytes: no overflow in 64 bits.
  const auto color_rows = reader.ReadBytes(color_stride * rows);
  const auto mask_rows = color_rows ? reader.ReadBytes(mask_stride * rows) : std::nullopt;
  if (!mask_rows) return std::nullopt;

  DecodedPicture picture;
  picture.format = format;
  picture.width = static_cast<std::int32_t>(w);
  picture.height = static_cast<std::int32_t>(h);
  picture.rgb.resize(cols * rows * 3);
  picture.mask.resize(cols * rows);
  for (std::size_t k = 0; k < rows; ++k) {
    const std::size_t y = rows - 1 - k;
    const std::uint8_t* src = color_rows->data() + k * color_stride;
    const std::uint8_t* mask = mask_rows->data() + k * mask_stride;
    std::uint8_t* dst = picture.rgb.data() + y * cols * 3;
    for (std::size_t x = 0; x < cols; ++x, dst += 3) {
      Rgb c;
      if (*bits >= 24) {
        const std::uint8_t* p = src + x * (*bits / 8u);  // blue, green, red (and alpha, unused)
        c = Rgb{p[2], p[1], p[0]};
      } else {
        const unsigned per_byte = 8u / *bits;
        const unsigned shift = (per_byte - 1u - static_cast<unsigned>(x % per_byte)) * *bits;
        const unsigned index = (src[x / per_byte] >> shift) & ((1u << *bits) - 1u);
        // Indices past the table show black.
        if (index < table_entries) c = table[index];
      }
      dst[0] = c.r;
      dst[1] = c.g;
      dst[2] = c.b;
      picture.mask[y * cols + x] = (mask[x / 8] >> (7 - x % 8)) & 1u;
    }
  }
  return picture;
}

}  // namespace

std::optional<DecodedPicture> DecodeIcon(ByteSpan bytes, PictureFormat format) {
  if (format != PictureFormat::Icon && format != PictureFormat::Cursor) return std::nullopt;
  ByteReader reader(bytes);
  const auto reserved = reader.ReadLe16();
  const auto type = reader.ReadLe16();
  const auto count = reader.ReadLe16();
  if (!reserved || !type || !count || *count == 0) return std::nullopt;

  const std::optional<Entry> entry = ChooseEntry(reader, *count);
  if (!entry) return std::nullopt;
  const auto image = reader.SubReader(entry->image_offset, entry->image_size);
  if (!image) return std::nullopt;
  if (IsPngData(image->Data())) return DecodeIconPng(image->Data(), format);
  return DecodeIconBitmap(image->Data(), format);
}

}  // namespace canvas
