#include "bench/picture_writers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>

namespace bench {
namespace {

// xorshift32: deterministic everywhere, unlike the standard distributions.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1) {}
  // A value in [-amplitude, amplitude].
  int Next(int amplitude) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % static_cast<std::uint32_t>(2 * amplitude + 1)) - amplitude;
  }

 private:
  std::uint32_t state_;
};

std::uint8_t Clamp(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// A smooth wave across one axis, so pictures have broad light and dark areas.
std::vector<int> Wave(int length, double periods, double phase, int amplitude) {
  std::vector<int> wave(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i)
    wave[static_cast<std::size_t>(i)] =
        static_cast<int>(amplitude * std::sin(phase + 6.2831853 * periods * i / length));
  return wave;
}

void PutLe16(Bytes& out, std::size_t at, unsigned v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLe32(Bytes& out, std::size_t at, std::uint32_t v) {
  PutLe16(out, at, v & 0xFFFF);
  PutLe16(out, at + 2, v >> 16);
}

}  // namespace

Bytes PhotoPixels(int width, int height, std::uint32_t seed) {
  Bytes rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  Noise noise(seed);
  const std::vector<int> columns[3] = {Wave(width, 1.3, 0.0, 60), Wave(width, 0.7, 1.0, 50), Wave(width, 2.1, 2.0, 40)};
  const std::vector<int> rows[3] = {Wave(height, 0.9, 0.5, 50), Wave(height, 1.7, 1.5, 60), Wave(height, 0.4, 2.5, 40)};
  const int base[3] = {140, 110, 90};
  std::size_t i = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c)
        rgb[i++] = Clamp(base[c] + columns[c][static_cast<std::size_t>(x)] + rows[c][static_cast<std::size_t>(y)] +
                         noise.Next(12));
  return rgb;
}

Bytes PhotoIndices(int width, int height, std::uint32_t seed) {
  Bytes indices(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  Noise noise(seed);
  const std::vector<int> columns = Wave(width, 1.1, 0.3, 70);
  const std::vector<int> rows = Wave(height, 0.8, 1.1, 50);
  std::size_t i = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      indices[i++] = Clamp(128 + columns[static_cast<std::size_t>(x)] + rows[static_cast<std::size_t>(y)] +
                           noise.Next(3));
  return indices;
}

std::array<canvas::Rgb, 256> PhotoPalette() {
  std::array<canvas::Rgb, 256> palette{};
  for (int i = 0; i < 256; ++i)
    palette[static_cast<std::size_t>(i)] = canvas::Rgb{static_cast<std::uint8_t>(i),
                                                        static_cast<std::uint8_t>(32 + i * 7 / 8),
                                                        static_cast<std::uint8_t>(255 - i)};
  return palette;
}

Bytes WriteJpeg(const Bytes& rgb, int width, int height, int quality) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);  // a failure here ends the benchmark run, which is right
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(rgb.data()) + cinfo.next_scanline * stride;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

Bytes WriteBmp24(const Bytes& rgb, int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const std::size_t image_size = stride * static_cast<std::size_t>(height);
  Bytes out(54 + image_size, 0);
  out[0] = 'B';
  out[1] = 'M';
  PutLe32(out, 2, static_cast<std::uint32_t>(out.size()));
  PutLe32(out, 10, 54);
  PutLe32(out, 14, 40);
  PutLe32(out, 18, static_cast<std::uint32_t>(width));
  PutLe32(out, 22, static_cast<std::uint32_t>(height));
  PutLe16(out, 26, 1);
  PutLe16(out, 28, 24);
  PutLe32(out, 34, static_cast<std::uint32_t>(image_size));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
    std::uint8_t* dst = out.data() + 54 + static_cast<std::size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  return out;
}

Bytes WriteGif(const Bytes& indices, int width, int height, const std::array<canvas::Rgb, 256>& palette) {
  Bytes out;
  auto append = [](GifFileType* gif, const GifByteType* data, int length) {
    auto* sink = static_cast<Bytes*>(gif->UserData);
    sink->insert(sink->end(), data, data + length);
    return length;
  };
  int error = 0;
  GifFileType* gif = EGifOpen(&out, append, &error);
  if (!gif) throw std::runtime_error("giflib cannot open a writer");
  GifColorType colors[256];
  for (std::size_t i = 0; i < 256; ++i) colors[i] = GifColorType{palette[i].r, palette[i].g, palette[i].b};
  ColorMapObject* map = GifMakeMapObject(256, colors);
  bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < height; ++y)
    ok = EGifPutLine(gif, const_cast<GifPixelType*>(indices.data()) + static_cast<std::size_t>(y) * width, width) ==
         GIF_OK;
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &error) != GIF_OK || !ok) throw std::runtime_error("giflib cannot write the picture");
  return out;
}

Bytes WritePcx8(const Bytes& indices, int width, int height, const std::array<canvas::Rgb, 256>& palette) {
  const int bytes_per_line = (width + 1) / 2 * 2;  // PCX lines hold an even number of bytes
  Bytes out(128, 0);
  out[0] = 0x0A;  // manufacturer
  out[1] = 5;     // version
  out[2] = 1;     // run-length encoding
  out[3] = 8;     // bits per pixel
  PutLe16(out, 8, static_cast<unsigned>(width - 1));
  PutLe16(out, 10, static_cast<unsigned>(height - 1));
  PutLe16(out, 12, 72);
  PutLe16(out, 14, 72);
  out[65] = 1;  // planes
  PutLe16(out, 66, static_cast<unsigned>(bytes_per_line));
  PutLe16(out, 68, 1);  // colour palette
  std::vector<std::uint8_t> line(static_cast<std::size_t>(bytes_per_line), 0);
  for (int y = 0; y < height; ++y) {
    std::copy_n(indices.data() + static_cast<std::size_t>(y) * width, width, line.begin());
    for (std::size_t x = 0; x < line.size();) {
      std::size_t run = 1;
      while (x + run < line.size() && run < 63 && line[x + run] == line[x]) ++run;
      // Counts are 0xC1..0xFF; a data byte of 0xC0 or more always goes with a count.
      if (run > 1 || line[x] >= 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 + run));
      out.push_back(line[x]);
      x += run;
    }
  }
  out.push_back(0x0C);
  for (const canvas::Rgb& c : palette) {
    out.push_back(c.r);
    out.push_back(c.g);
    out.push_back(c.b);
  }
  return out;
}

}  // namespace bench
