#include "canvas/byte_reader.h"
#include "canvas/decode_picture.h"

namespace canvas {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kBitsPerPixelField = 28;
constexpr std::size_t kCompressionField = 30;
constexpr std::size_t kColorsUsedField = 46;
constexpr std::uint32_t kUncompressed = 0;

}  // namespace

std::optional<DecodedPicture> DecodeBmp(ByteSpan bytes) {
  ByteReader reader(bytes);
  if (reader.Size() < kHeadersSize) return std::nullopt;

  auto field32 = [&](std::size_t offset) {
    ByteReader r = *reader.SubReader(offset, 4);
    return *r.ReadLe32();
  };
  auto field16 = [&](std::size_t offset) {
    ByteReader r = *reader.SubReader(offset, 2);
    return *r.ReadLe16();
  };
  const std::uint32_t pixel_offset = field32(kPixelOffsetField);
  const auto stored_width = static_cast<std::int32_t>(field32(kWidthField));
  const auto stored_height = static_cast<std::int32_t>(field32(kHeightField));
  const std::uint16_t bits = field16(kBitsPerPixelField);
  const std::uint32_t compression = field32(kCompressionField);
  const std::uint32_t colors_used = field32(kColorsUsedField);

  if (compression != kUncompressed) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;

  const std::int64_t width = stored_width < 0 ? -static_cast<std::int64_t>(stored_width) : stored_width;
  const std::int64_t height = stored_height < 0 ? -static_cast<std::int64_t>(stored_height) : stored_height;
  if (!PictureSizeAllowed(width, height, 3)) return std::nullopt;

  std::array<Rgb, 256> table{};
  std::size_t table_entries = 0;
  if (!reader.Seek(kHeadersSize)) return std::nullopt;
  if (bits <= 8) {
    const std::uint64_t entries = colors_used != 0 ? colors_used : (1u << bits);
    if (entries > reader.Remaining() / 4) return std::nullopt;  // short table
    for (std::uint64_t i = 0; i < entries; ++i) {
      auto entry = *reader.ReadBytes(4);
      // Entries beyond what an index can reach are read but unused.
      if (i < table.size()) table[i] = Rgb{entry[2], entry[1], entry[0]};
    }
    table_entries = static_cast<std::size_t>(entries < 256 ? entries : 256);
  }
  if (pixel_offset < reader.Position()) return std::nullopt;
  if (!reader.Seek(pixel_offset)) return std::nullopt;

  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  const std::size_t row_bits = w * bits;
  const std::size_t row_bytes = (row_bits + 7) / 8;
  const std::size_t stride = (row_bytes + 3) / 4 * 4;
  if (h > reader.Remaining() / stride + 1) return std::nullopt;
  // The last row needs only its pixel bytes, not its padding.
  if ((h - 1) * stride + row_bytes > reader.Remaining()) return std::nullopt;

  DecodedPicture picture;
  picture.format = PictureFormat::Bmp;
  picture.width = static_cast<std::int32_t>(width);
  picture.height = static_cast<std::int32_t>(height);
  picture.rgb.resize(w * h * 3);

  const ByteSpan data = reader.Rest();
  // Rows are stored bottom-up; a negative height marks a top-down file.
  const bool top_down = stored_height < 0;
  for (std::size_t k = 0; k < h; ++k) {
    const std::uint8_t* src = data.data() + k * stride;
    const std::size_t y = top_down ? k : h - 1 - k;
    std::uint8_t* dst = picture.rgb.data() + y * w * 3;
    switch (bits) {
      case 24:
        for (std::size_t x = 0; x < w; ++x, src += 3, dst += 3) {
          dst[0] = src[2];
          dst[1] = src[1];
          dst[2] = src[0];
        }
        break;
      case 32:
        for (std::size_t x = 0; x < w; ++x, src += 4, dst += 3) {
          dst[0] = src[2];
          dst[1] = src[1];
          dst[2] = src[0];
        }
        break;
      default: {
        const unsigned per_byte = 8u / bits;
        const unsigned mask = (1u << bits) - 1u;
        for (std::size_t x = 0; x < w; ++x, dst += 3) {
          const unsigned shift = (per_byte - 1u - static_cast<unsigned>(x % per_byte)) * bits;
          const unsigned index = (src[x / per_byte] >> shift) & mask;
          // Indices past the table show black.
          const Rgb c = index < table_entries ? table[index] : Rgb{};
          dst[0] = c.r;
          dst[1] = c.g;
          dst[2] = c.b;
        }
      }
    }
  }
  return picture;
}

}  // namespace canvas
