#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace save {

enum ConversionResult : int {
  ConversionOk = 1,
  SourceMissing = -1,
  SourceUnreadable = -3,
  TargetNotWritten = -4,
  BadArguments = -7,
};

const char* ConversionResultName(int result);

// Reads the picture at source_path (recognised by content) and writes it as a
// JPEG file at target_path. Paths are GBK. The target is replaced only by a
// complete JPEG.
int ConvertToJpeg(std::string_view source_path, std::string_view target_path, bool grayscale, int quality,
                  bool optimize_coding, int smoothing);

// The conversion up to the JPEG's bytes, with the same checks, readers and
// settings: ConversionOk with `jpeg` filled, or the code ConvertToJpeg gives.
// Nothing is written.
int EncodeAsJpeg(std::string_view source_path, bool grayscale, int quality, bool optimize_coding, int smoothing,
                 std::vector<std::uint8_t>& jpeg);

}  // namespace save
