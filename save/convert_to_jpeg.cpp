#include "save/convert_to_jpeg.h"

#include <new>

#include "platform/file_ops.h"
#include "save/converter_picture.h"

namespace save {
namespace {

// No source that a reader can take comes near this; a larger file is not read.
constexpr std::size_t kMaxSourceBytes = std::size_t{1} << 30;

// A path with a NUL inside would name another file once handed to the system.
bool PathGiven(std::string_view path) { return !path.empty() && path.find('\0') == std::string_view::npos; }

using Reader = ReadOutcome (*)(canvas::ByteSpan, ConverterPicture&);
// The order in which the readers are tried; the first that accepts owns the file.
constexpr Reader kReaders[] = {ReadJpegSource, ReadBmpSource, ReadPngSource};

bool ReadSource(std::string_view source_path, ConverterPicture& picture) {
  std::optional<platform::Bytes> bytes;
  try {
    bytes = platform::ReadRegularFile(source_path, kMaxSourceBytes);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!bytes) return false;  // a folder, a device, or a file that cannot be read
  for (Reader reader : kReaders) {
    switch (reader(*bytes, picture)) {
      case ReadOutcome::Decoded: return true;
      case ReadOutcome::DecodeFailed: return false;
      case ReadOutcome::NotAccepted: break;
    }
  }
  return false;
}

}  // namespace

const char* ConversionResultName(int result) {
  switch (result) {
    case ConversionOk: return "ConversionOk";
    case SourceMissing: return "SourceMissing";
    case SourceUnreadable: return "SourceUnreadable";
    case TargetNotWritten: return "TargetNotWritten";
    case BadArguments: return "BadArguments";
    default: return "Unknown";
  }
}

int EncodeAsJpeg(std::string_view source_path, bool grayscale, int quality, bool optimize_coding, int smoothing,
                 std::vector<std::uint8_t>& jpeg) {
  if (!PathGiven(source_path) || quality < 1 || quality > 100 || smoothing < 0 || smoothing > 100)
    return BadArguments;
  if (!platform::EntryExists(source_path)) return SourceMissing;
  ConverterPicture picture;
  if (!ReadSource(source_path, picture)) return SourceUnreadable;
  ConverterPicture scratch;
  const ConverterPicture& ready = PictureOfDepth(picture, grayscale ? 1 : 3, scratch);
  if (!EncodeJpeg(ready, JpegSettings{grayscale, quality, optimize_coding, smoothing}, jpeg)) return TargetNotWritten;
  return ConversionOk;
}

int ConvertToJpeg(std::string_view source_path, std::string_view target_path, bool grayscale, int quality,
                  bool optimize_coding, int smoothing) {
  if (!PathGiven(target_path)) return BadArguments;
  std::vector<std::uint8_t> jpeg;
  // The pictures are released inside, before the file is written.
  const int encoded = EncodeAsJpeg(source_path, grayscale, quality, optimize_coding, smoothing, jpeg);
  if (encoded != ConversionOk) return encoded;
  // Written beside the target and renamed over it only once complete: a
  // failure leaves neither a partial file nor a damaged old target.
  return platform::ReplaceFile(target_path, jpeg) ? ConversionOk : TargetNotWritten;
}

}  // namespace save
