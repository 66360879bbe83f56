#include "canvas/byte_reader.h"
#include "canvas/decode_picture.h"

namespace canvas {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr std::uint32_t kUncompressed = 0;

struct Headers {
  std::uint32_t pixel_offset = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bits = 0;
  std::uint32_t compression = 0;
  std::uint32_t colors_used = 0;
};

// The fields in file order; those not used are passed over by name.
std::optional<Headers> ReadHeaders(ByteReader& reader) {
  const auto signature = reader.ReadLe16();
  const auto file_size = reader.ReadLe32();
  const auto reserved = reader.ReadLe32();
  const auto pixel_offset = reader.ReadLe32();
  const auto info_size = reader.ReadLe32();
  const auto width = reader.ReadLeS32();
  const auto height = reader.ReadLeS32();
  const auto planes = reader.ReadLe16();
  const auto bits = reader.ReadLe16();
  const auto compression = reader.ReadLe32();
  const auto image_size = reader.ReadLe32();
  const auto x_resolution = reader.ReadLe32();
  const auto y_resolution = reader.ReadLe32();
  const auto colors_used = reader.ReadLe32();
  const auto colors_important = reader.ReadLe32();
  if (!signature || !file_size || !reserved || !pixel_offset || !info_size || !width || !height || !planes ||
      !bits || !compression || !image_size || !x_resolution || !y_resolution || !colors_used || !colors_important)
    return std::nullopt;
  return Headers{*pixel_offset, *width, *height, *bits, *compression, *colors_used};
}

}  // namespace

std::optional<DecodedPicture> DecodeBmp(ByteSpan bytes) {
  ByteReader reader(bytes);
  const std::optional<Headers> headers = ReadHeaders(reader);
  if (!headers) return std::nullopt;
  const std::uint32_t pixel_offset = headers->pixel_offset;
  const std::int32_t stored_width = headers->width;
  const std::int32_t stored_height = headers->height;
  const std::uint16_t bits = headers->bits;
  const std::uint32_t compression = headers->compression;
  const std::uint32_t colors_used = headers->colors_used;

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
