// Any bytes, written to a file, go through the JPEG converter that saves the
// card. Whatever it accepts must come out as a JPEG the card can read back.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "canvas/decode_picture.h"
#include "save/convert_to_jpeg.h"

namespace {

struct TempFiles {
  std::filesystem::path dir;
  std::string source;
  std::string target;

  TempFiles() {
    dir = std::filesystem::temp_directory_path() / ("showcard-fuzz-convert-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    source = (dir / "temp").string();
    target = (dir / "IMG1.jpg").string();
  }
  ~TempFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TempFiles files;
  {
    std::ofstream out(files.source, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::remove(files.target.c_str());
  const int result = save::ConvertToJpeg(files.source, files.target, false, 75, true, 0);
  switch (result) {
    case save::ConversionOk: {
      const auto written = canvas::DecodePicture(ReadAll(files.target));
      if (!written || written->format != canvas::PictureFormat::Jpeg) __builtin_trap();
      break;
    }
    case save::SourceUnreadable:
    case save::TargetNotWritten: break;
    default: __builtin_trap();  // the paths and settings here are always valid
  }
  return 0;
}
