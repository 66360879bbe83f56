// libjpeg-turbo encoding the card snapshot to memory with the card's
// settings: the floor that saving a card stands on.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "bench/bench_data.h"
#include "bench/register.h"
#include "canvas/take_snapshot.h"

namespace bench {
namespace {

constexpr std::size_t kBmpHeaderSize = 54;

// The snapshot's pixels as RGB rows, top row first.
Bytes SnapshotRgb(const Bytes& bmp, int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  Bytes rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = bmp.data() + kBmpHeaderSize + static_cast<std::size_t>(height - 1 - y) * stride;
    std::uint8_t* dst = rgb.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  return rgb;
}

void LibjpegEncode(benchmark::State& state) {
  const int width = canvas::CardCanvas::kWidth, height = canvas::CardCanvas::kHeight;
  const Bytes rgb = SnapshotRgb(canvas::TakeSnapshot(ComposedCard(), 0, 0), width, height);
  // Room for any card, given to libjpeg each time so it never grows a buffer.
  unsigned long capacity = 1 << 20;
  auto* room = static_cast<unsigned char*>(std::malloc(capacity));
  for (auto _ : state) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = room;
    unsigned long size = capacity;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.optimize_coding = TRUE;
    cinfo.smoothing_factor = 0;
    jpeg_set_quality(&cinfo, 75, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
      JSAMPROW row = const_cast<std::uint8_t*>(rgb.data()) + std::size_t{cinfo.next_scanline} * width * 3;
      jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(size);
    benchmark::ClobberMemory();
    if (buffer != room) std::free(buffer);
  }
  std::free(room);
}

}  // namespace

void RegisterEncodeBenchmarks() {
  benchmark::RegisterBenchmark("BM_LibjpegEncode/card", LibjpegEncode)->Unit(benchmark::kMillisecond);
}

}  // namespace bench
