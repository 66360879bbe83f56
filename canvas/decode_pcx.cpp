// PCX: run-length coded rows after a 128-byte header; 8-bit files end with a
// 256-colour palette, 1-bit files are kept as bits for the canvas to colour.
#include <algorithm>
#include <vector>

#include "canvas/byte_reader.h"
#include "canvas/decode_picture.h"

namespace canvas {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kMaxVersion = 5;
constexpr std::uint8_t kRunLengthEncoding = 1;
constexpr std::size_t kPlanesOffset = 65;
constexpr std::uint8_t kPaletteMarker = 0x0C;
constexpr std::size_t kPaletteBytes = 256 * 3;
// A byte above this is a run of (byte - kRunBase) copies of the next one.
constexpr std::uint8_t kRunBase = 0xC0;
constexpr std::size_t kLongestRun = 0xFF - kRunBase;

struct Header {
  std::uint8_t version = 0;
  std::uint8_t encoding = 0;
  std::uint8_t bits_per_pixel = 0;
  std::uint16_t x_min = 0, y_min = 0, x_max = 0, y_max = 0;
  std::uint8_t planes = 0;
  std::uint16_t bytes_per_line = 0;
};

std::optional<Header> ReadHeader(ByteReader& reader) {
  Header h;
  const auto manufacturer = reader.ReadU8();
  const auto version = reader.ReadU8();
  const auto encoding = reader.ReadU8();
  const auto bits = reader.ReadU8();
  const auto x_min = reader.ReadLe16();
  const auto y_min = reader.ReadLe16();
  const auto x_max = reader.ReadLe16();
  const auto y_max = reader.ReadLe16();
  // Resolution, the 16-colour palette and a reserved byte are not used.
  if (!reader.Seek(kPlanesOffset)) return std::nullopt;
  const auto planes = reader.ReadU8();
  const auto bytes_per_line = reader.ReadLe16();
  if (!manufacturer || !version || !encoding || !bits || !x_min || !y_min || !x_max || !y_max || !planes ||
      !bytes_per_line || *manufacturer != kManufacturer)
    return std::nullopt;
  h.version = *version;
  h.encoding = *encoding;
  h.bits_per_pixel = *bits;
  h.x_min = *x_min;
  h.y_min = *y_min;
  h.x_max = *x_max;
  h.y_max = *y_max;
  h.planes = *planes;
  h.bytes_per_line = *bytes_per_line;
  return h;
}

// Unpacks the rows as one stream: a run may go on into the next row.
class RunLengthReader {
 public:
  explicit RunLengthReader(ByteReader& reader) : reader_(reader) {}

  // Fills `out` completely, or fails when the data ends first.
  bool Fill(std::span<std::uint8_t> out) {
    std::size_t filled = 0;
    while (filled < out.size()) {
      if (run_left_ == 0 && !NextRun()) return false;
      const std::size_t n = std::min(run_left_, out.size() - filled);
      std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(filled), n, value_);
      filled += n;
      run_left_ -= n;
    }
    return true;
  }

 private:
  bool NextRun() {
    const auto byte = reader_.ReadU8();
    if (!byte) return false;
    if (*byte <= kRunBase) {  // 0xC0 itself is a plain data byte
      value_ = *byte;
      run_left_ = 1;
      return true;
    }
    const auto value = reader_.ReadU8();
    if (!value) return false;
    value_ = *value;
    run_left_ = *byte - kRunBase;
    return true;
  }

  ByteReader& reader_;
  std::uint8_t value_ = 0;
  std::size_t run_left_ = 0;
};

// Whether `remaining` coded bytes could possibly unpack to `needed` bytes;
// spares allocating for a header that claims far more than the file holds.
bool CouldHold(std::size_t remaining, std::size_t needed) { return needed / kLongestRun <= remaining; }

std::optional<DecodedPicture> DecodePcx8(ByteReader& reader, const Header& header, std::size_t width,
                                         std::size_t height) {
  // Several planes would be true colour, which this picture kind cannot hold;
  // rows shorter than the picture would leave pixels without an index.
  if (header.planes != 1 || header.bytes_per_line < width) return std::nullopt;
  if (!PictureSizeAllowed(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height), 1))
    return std::nullopt;
  if (!CouldHold(reader.Remaining(), std::size_t{header.bytes_per_line} * height)) return std::nullopt;

  DecodedPicture picture;
  picture.format = PictureFormat::Pcx8;
  picture.width = static_cast<std::int32_t>(width);
  picture.height = static_cast<std::int32_t>(height);
  picture.indices.resize(width * height);
  std::vector<std::uint8_t> row(header.bytes_per_line);
  RunLengthReader runs(reader);
  for (std::size_t y = 0; y < height; ++y) {
    if (!runs.Fill(row)) return std::nullopt;
    std::copy_n(row.begin(), width, picture.indices.begin() + static_cast<std::ptrdiff_t>(y * width));
  }
  // The palette follows the image data directly; without it there are no colours.
  const auto marker = reader.ReadU8();
  const auto palette = reader.ReadBytes(kPaletteBytes);
  if (!marker || *marker != kPaletteMarker || !palette) return std::nullopt;
  for (std::size_t i = 0; i < picture.palette.size(); ++i)
    picture.palette[i] = Rgb{(*palette)[i * 3], (*palette)[i * 3 + 1], (*palette)[i * 3 + 2]};
  return picture;
}

std::optional<DecodedPicture> DecodePcx1(ByteReader& reader, const Header& header, std::size_t width,
                                         std::size_t height) {
  if (header.planes != 1) return std::nullopt;
  DecodedPicture picture;
  picture.format = PictureFormat::Pcx1;
  picture.width = static_cast<std::int32_t>(width);
  picture.height = static_cast<std::int32_t>(height);
  const std::size_t stride = picture.BitRowStride();
  if (!PictureSizeAllowed(static_cast<std::int64_t>(stride), static_cast<std::int64_t>(height), 1))
    return std::nullopt;
  // A row holds just enough bytes for its pixels; bytes per line is not used.
  const std::size_t row_bytes = (width + 7) / 8;
  if (!CouldHold(reader.Remaining(), row_bytes * height)) return std::nullopt;

  picture.bits.resize(stride * height);
  RunLengthReader runs(reader);
  for (std::size_t y = 0; y < height; ++y) {
    if (!runs.Fill(std::span(picture.bits).subspan(y * stride, row_bytes))) return std::nullopt;
  }
  return picture;
}

}  // namespace

std::optional<DecodedPicture> DecodePcx(ByteSpan bytes, PictureFormat format) {
  if (bytes.size() <= kHeaderSize) return std::nullopt;
  ByteReader reader(bytes);
  const std::optional<Header> header = ReadHeader(reader);
  if (!header || header->encoding != kRunLengthEncoding || header->version > kMaxVersion) return std::nullopt;
  if (header->x_max < header->x_min || header->y_max < header->y_min) return std::nullopt;
  const std::size_t width = std::size_t{header->x_max} - header->x_min + 1;
  const std::size_t height = std::size_t{header->y_max} - header->y_min + 1;
  if (!reader.Seek(kHeaderSize)) return std::nullopt;

  if (header->bits_per_pixel == 8 && format == PictureFormat::Pcx8) return DecodePcx8(reader, *header, width, height);
  if (header->bits_per_pixel == 1 && format == PictureFormat::Pcx1) return DecodePcx1(reader, *header, width, height);
  return std::nullopt;
}

}  // namespace canvas
