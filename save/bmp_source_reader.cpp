// Reads 24-bit BMP files, in the info and core layouts, rows stored bottom-up
// or top-down, each row padded to a multiple of 4 bytes.
#include "canvas/byte_reader.h"
#include "save/converter_picture.h"

namespace save {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
// Header-area bytes the fields need, counted from offset 14: the core layout
// up to its bit depth, the info layout up to its compression.
constexpr std::size_t kCoreFieldsSize = 12;
constexpr std::size_t kInfoFieldsSize = 20;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kLastKnownCompression = 3;

// Resolution fields of the info layout, counted from offset 14.
constexpr std::size_t kResolutionFieldsEnd = 32;
constexpr std::int32_t kCentimetresPerMetre = 100;

struct BmpLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // the number of rows
  bool bottom_up = true;
  std::int32_t x_pixels_per_metre = 0;
  std::int32_t y_pixels_per_metre = 0;
};

// The acceptance test: signature, header area present, a 24-bit layout.
bool ReadLayout(canvas::ByteReader& file, std::uint32_t& pixel_offset, BmpLayout& layout) {
  auto header = file.ReadBytes(kFileHeaderSize);
  if (!header) return false;
  const auto& h = *header;
  if (h[0] != 'B' || (h[1] != 'M' && h[1] != 'A')) return false;
  canvas::ByteReader file_header(h);
  file_header.Skip(10);
  pixel_offset = *file_header.ReadLe32();
  if (pixel_offset < kFileHeaderSize) return false;
  auto area = file.SubReader(kFileHeaderSize, pixel_offset - kFileHeaderSize);
  if (!area) return false;  // the header area cannot be read in full

  const std::size_t area_size = area->Size();
  auto header_size = area->ReadLe32();
  if (!header_size) return false;
  std::uint16_t bits = 0;
  if (*header_size == kCoreHeaderSize) {
    if (area_size < kCoreFieldsSize) return false;
    layout.width = *area->ReadLe16();
    layout.height = *area->ReadLe16();
    layout.bottom_up = true;
    area->Skip(2);  // planes
    bits = *area->ReadLe16();
  } else {
    if (area_size < kInfoFieldsSize) return false;
    const std::int32_t width = *area->ReadLeS32();
    const std::int32_t height = *area->ReadLeS32();
    area->Skip(2);  // planes
    bits = *area->ReadLe16();
    const std::uint32_t compression = *area->ReadLe32();
    if (width < 1 || height == 0 || compression > kLastKnownCompression) return false;
    // Run-length coded files are 8 or 4 bits per pixel whatever the field says.
    if (compression == kRle8) bits = 8;
    if (compression == kRle4) bits = 4;
    layout.width = width;
    layout.height = height < 0 ? -static_cast<std::int64_t>(height) : height;
    layout.bottom_up = height > 0;
    if (area_size >= kResolutionFieldsEnd) {
      area->Skip(4);  // image size
      layout.x_pixels_per_metre = *area->ReadLeS32();
      layout.y_pixels_per_metre = *area->ReadLeS32();
    }
  }
  return bits == 24;
}

}  // namespace

ReadOutcome ReadBmpSource(canvas::ByteSpan bytes, ConverterPicture& picture) {
  canvas::ByteReader file(bytes);
  std::uint32_t pixel_offset = 0;
  BmpLayout layout;
  if (!ReadLayout(file, pixel_offset, layout)) return ReadOutcome::NotAccepted;

  // Accepted: from here on every fault is a failed decoding. (A core-layout
  // file can claim a width or height of 0.)
  if (layout.width < 1 || layout.height < 1) return ReadOutcome::DecodeFailed;
  const std::int64_t stride = (layout.width * 24 + 31) / 32 * 4;
  if (!file.Seek(pixel_offset)) return ReadOutcome::DecodeFailed;
  // All rows must be there; checked before the picture is allocated, so a
  // short file claiming a huge picture costs no memory.
  if (layout.height > static_cast<std::int64_t>(file.Remaining()) / stride) return ReadOutcome::DecodeFailed;
  if (!AllocatePicture(picture, layout.width, layout.height, 3)) return ReadOutcome::DecodeFailed;
  // A recorded resolution goes into the JPEG's header, as other converters do.
  if (layout.x_pixels_per_metre > 0 && layout.y_pixels_per_metre > 0) {
    picture.has_resolution = true;
    picture.x_dots_per_cm = static_cast<std::uint16_t>(layout.x_pixels_per_metre / kCentimetresPerMetre);
    picture.y_dots_per_cm = static_cast<std::uint16_t>(layout.y_pixels_per_metre / kCentimetresPerMetre);
  }

  const auto width = static_cast<std::size_t>(layout.width);
  for (std::int64_t k = 0; k < layout.height; ++k) {
    auto stored = file.ReadBytes(static_cast<std::size_t>(stride));
    if (!stored) return ReadOutcome::DecodeFailed;
    const std::int64_t y = layout.bottom_up ? layout.height - 1 - k : k;
    std::uint8_t* dst = picture.pixels.data() + static_cast<std::size_t>(y) * width * 3;
    const std::uint8_t* src = stored->data();
    for (std::size_t x = 0; x < width; ++x, src += 3, dst += 3) {
      dst[0] = src[2];  // stored blue, green, red
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  return ReadOutcome::Decoded;
}

}  // namespace save
