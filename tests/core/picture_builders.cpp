#include "picture_builders.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <unistd.h>

namespace testing_pictures {
namespace {

void PutLe(Bytes& b, std::size_t offset, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) b[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

Bytes Bmp24(int width, int height, const std::vector<canvas::Rgb>& pixels) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  Bytes b(54 + stride * static_cast<std::size_t>(height), 0);
  b[0] = 'B';
  b[1] = 'M';
  PutLe(b, 2, static_cast<std::uint32_t>(b.size()), 4);
  PutLe(b, 10, 54, 4);
  PutLe(b, 14, 40, 4);
  PutLe(b, 18, static_cast<std::uint32_t>(width), 4);
  PutLe(b, 22, static_cast<std::uint32_t>(height), 4);
  PutLe(b, 26, 1, 2);
  PutLe(b, 28, 24, 2);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = b.data() + 54 + static_cast<std::size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const canvas::Rgb c = pixels[static_cast<std::size_t>(y * width + x)];
      row[x * 3] = c.b;
      row[x * 3 + 1] = c.g;
      row[x * 3 + 2] = c.r;
    }
  }
  return b;
}

Bytes SolidBmp(int width, int height, canvas::Rgb color) {
  return Bmp24(width, height, std::vector<canvas::Rgb>(static_cast<std::size_t>(width * height), color));
}

Bytes Jpeg(int width, int height, int components, const std::vector<std::uint8_t>& samples, bool arithmetic,
           int quality) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  jpeg_mem_dest(&cinfo, &out, &out_size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.arith_code = arithmetic ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + static_cast<std::size_t>(cinfo.next_scanline) *
                                                             static_cast<std::size_t>(width * components));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes bytes(out, out + out_size);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return bytes;
}

std::string WriteTempFile(const std::string& name, const Bytes& bytes) {
  const auto dir = std::filesystem::temp_directory_path() / ("showcard-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto path = dir / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

}  // namespace testing_pictures
