// PCX: run-length coded rows after a 128-byte header; 8-bit files end with a
// 256-colour palette, 1-bit files are kept as bits for the canvas to colour.
#include <algorithm>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
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

// Bit i set when byte i of the 64 at `block` is above 0xC0, so could be a
// count byte.
std::uint64_t CountCandidates(const std::uint8_t* block) {
  std::uint64_t candidates = 0;
#if defined(__SSE2__)
  // Signed compare after flipping the top bit: byte ^ 0x80 > 0x40 is byte > 0xC0.
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i limit = _mm_set1_epi8(0x40);
  for (int k = 0; k < 4; ++k) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * k));
    const auto above = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpgt_epi8(_mm_xor_si128(bytes, flip), limit)));
    candidates |= static_cast<std::uint64_t>(above) << (16 * k);
  }
#else
  // Per byte, the top bit set and the low seven bits above 0x40 (adding 0x3F
  // carries into bit 7, never further); the eight top bits of each group are
  // then gathered into one byte by a multiplication.
  for (int k = 0; k < 8; ++k) {
    std::uint64_t group = 0;
    for (int i = 7; i >= 0; --i) group = (group << 8) | block[8 * k + i];
    const std::uint64_t tops =
        ((group & 0x7F7F7F7F7F7F7F7FULL) + 0x3F3F3F3F3F3F3F3FULL) & group & 0x8080808080808080ULL;
    candidates |= (((tops >> 7) * 0x0102040810204080ULL) >> 56) << (8 * k);
  }
#endif
  return candidates;
}

// Which candidates are count bytes rather than the values that follow counts,
// when a token starts at bit 0. A byte of 0xC0 or less always ends a token,
// so in each run of consecutive candidates the first, third, ... are counts:
// the even bits of runs that start on an even bit, the odd bits of the others.
// Adding a run's lowest bit clears exactly that run.
std::uint64_t CountBytes(std::uint64_t candidates) {
  constexpr std::uint64_t kEven = 0x5555555555555555ULL;
  const std::uint64_t starts = candidates & ~(candidates << 1);
  const std::uint64_t even_runs = candidates & ~(candidates + (starts & kEven));
  return (even_runs & kEven) | (candidates & ~even_runs & ~kEven);
}

constexpr std::size_t kBlock = 64;
// The most 64 coded bytes can give (32 runs of 63) and what the copies below
// write past it; the bytes the copies read past a block.
constexpr std::ptrdiff_t kBlockRoom = kBlock / 2 * 63 + kBlock;
constexpr std::ptrdiff_t kBlockLookahead = 2 * kBlock + 2;

// Unpacks 64 coded bytes at a time while there is room for the most they can
// give and bytes to read ahead, and leaves the rest to the caller: the count
// bytes of a block come from two masks, and only they are looked at one at a
// time. Plain bytes are copied sixteen at a time and runs written eight at a
// time, so bytes past each are read or written; the room and the lookahead
// cover them.
void UnpackBlocks(const std::uint8_t*& in, const std::uint8_t* in_end, std::uint8_t*& dst, std::uint8_t* end) {
  const std::uint8_t* src = in;
  std::uint8_t* out = dst;
  std::uint64_t value_first = 0;  // 1 when a block starts with the value of the last block's count
  while (end - out >= kBlockRoom && in_end - src >= kBlockLookahead) {
    std::uint64_t counts = CountBytes(CountCandidates(src) & ~value_first);
    std::size_t pos = value_first;
    value_first = counts >> 63;
    while (counts != 0) {
      const auto at = static_cast<std::size_t>(std::countr_zero(counts));
      counts &= counts - 1;
      const std::size_t plain = at - pos;
      std::memcpy(out, src + pos, 16);
      for (std::size_t k = 16; k < plain; k += 16) std::memcpy(out + k, src + pos + k, 16);
      out += plain;
      const std::size_t run = src[at] - kRunBase;
      const std::uint64_t copies = 0x0101010101010101ULL * src[at + 1];
      std::memcpy(out, &copies, 8);
      for (std::size_t k = 8; k < run; k += 8) std::memcpy(out + k, &copies, 8);
      out += run;
      pos = at + 2;
    }
    // The plain bytes after the last count, as a whole block's worth.
    for (std::size_t k = 0; k < kBlock; k += 16) std::memcpy(out + k, src + pos + k, 16);
    out += pos < kBlock ? kBlock - pos : 0;
    src += kBlock;
  }
  in = src + value_first;  // the value of a run already written
  dst = out;
}

// Unpacks the rows as one stream: a run may go on into the next row.
class RunLengthReader {
 public:
  explicit RunLengthReader(ByteReader& reader) : reader_(reader) {}

  // Fills `out` completely, or fails when the data ends first.
  bool Fill(std::span<std::uint8_t> out) {
    std::uint8_t* dst = out.data();
    std::uint8_t* const end = dst + out.size();
    const std::size_t carried = std::min(run_left_, out.size());
    std::fill_n(dst, carried, value_);
    dst += carried;
    run_left_ -= carried;

    const ByteSpan coded = reader_.Rest();
    const std::uint8_t* in = coded.data();
    const std::uint8_t* const in_end = in + coded.size();
    UnpackBlocks(in, in_end, dst, end);
    bool filled = true;
    while (dst != end) {
      if (in == in_end) {
        filled = false;
        break;
      }
      const std::uint8_t byte = *in++;
      if (byte <= kRunBase) {  // 0xC0 itself is a plain data byte
        *dst++ = byte;
        continue;
      }
      if (in == in_end) {
        filled = false;
        break;
      }
      const std::uint8_t value = *in++;
      const std::size_t run = byte - kRunBase;
      const std::size_t now = std::min(run, static_cast<std::size_t>(end - dst));
      std::fill_n(dst, now, value);
      dst += now;
      value_ = value;
      run_left_ = run - now;
    }
    reader_.Skip(static_cast<std::size_t>(in - coded.data()));
    return filled;
  }

 private:
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
  RunLengthReader runs(reader);
  if (header.bytes_per_line == width) {
    // The rows follow each other in the picture as in the stream: one go.
    if (!runs.Fill(picture.indices)) return std::nullopt;
  }
  // Otherwise each row straight into the picture, the bytes past the width dropped.
  std::vector<std::uint8_t> beyond_width(header.bytes_per_line - width);
  for (std::size_t y = 0; header.bytes_per_line != width && y < height; ++y) {
    if (!runs.Fill(std::span(picture.indices).subspan(y * width, width)) || !runs.Fill(beyond_width))
      return std::nullopt;
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
