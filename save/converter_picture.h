#pragma once
// The picture between reading a source file and writing the JPEG, and the
// readers that fill it. Internal to the converter; tests use it directly.
#include <cstdint>
#include <vector>

#include "canvas/picture.h"

namespace save {

// Rows from the top down, each exactly width * channels bytes, no gaps.
// channels 3: red, green, blue; channels 1: gray.
struct ConverterPicture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  int channels = 0;
  std::vector<std::uint8_t> pixels;
  // The resolution a source records, in dots per centimetre. Without one the
  // JPEG keeps libjpeg's default (no unit, 1:1).
  bool has_resolution = false;
  std::uint16_t x_dots_per_cm = 0;
  std::uint16_t y_dots_per_cm = 0;

  const std::uint8_t* Row(std::int32_t y) const {
    return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * channels;
  }
};

// What a reader made of a file. A reader that accepts a file owns it: if its
// decoding fails, no later reader is tried.
enum class ReadOutcome { NotAccepted, Decoded, DecodeFailed };

// Sets up `picture` for width x height x channels, within the pictures the
// program allows; false when too large or out of memory.
bool AllocatePicture(ConverterPicture& picture, std::int64_t width, std::int64_t height, int channels);

// Readers, in the order the converter tries them.
ReadOutcome ReadJpegSource(canvas::ByteSpan file, ConverterPicture& picture);
ReadOutcome ReadBmpSource(canvas::ByteSpan file, ConverterPicture& picture);
ReadOutcome ReadPngSource(canvas::ByteSpan file, ConverterPicture& picture);

// The source picture brought to the depth the output needs: 24-bit for
// colour, 8-bit gray (weighted as libjpeg weighs its luminance) for grayscale.
// Returns `picture` itself when it already has that depth, and an empty
// picture (which EncodeJpeg refuses) when memory runs out.
const ConverterPicture& PictureOfDepth(const ConverterPicture& picture, int channels, ConverterPicture& scratch);

struct JpegSettings {
  bool grayscale = false;
  int quality = 75;
  bool optimize_coding = true;
  int smoothing = 0;
};

// Encodes the picture (of 3 channels for colour, 1 for grayscale) as a JFIF
// baseline JPEG into `out`; false on any error libjpeg raises.
bool EncodeJpeg(const ConverterPicture& picture, const JpegSettings& settings, std::vector<std::uint8_t>& out);

}  // namespace save
