// The whole card composition, and the plain JPEG decoding it stands on.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "bench/bench_data.h"
#include "bench/register.h"
#include "card/card_background.h"
#include "card/compose_card.h"

namespace bench {
namespace {

// True when the avatar frame differs from a card composed without an avatar.
bool AvatarDrawn(const canvas::CardCanvas& composed) {
  canvas::CardCanvas bare(card::CardBackgroundBytes());
  card::FixedCardInputs inputs(CardTexts(""));
  platform::FixedTickCounter ticks(4242);
  card::ComposeCard(bare, inputs, ticks);
  for (int y = 5; y < 5 + 128; ++y)
    for (int x = 5; x < 5 + 78; ++x)
      if (!(bare.PixelAt(x, y) == composed.PixelAt(x, y))) return true;
  return false;
}

void ComposeCard(benchmark::State& state, const std::string& avatar_path) {
  canvas::CardCanvas canvas(card::CardBackgroundBytes());
  card::FixedCardInputs inputs(CardTexts(avatar_path));
  platform::FixedTickCounter ticks(4242);
  for (auto _ : state) {
    card::ComposeCard(canvas, inputs, ticks);
    benchmark::DoNotOptimize(canvas.Pixels());
    benchmark::ClobberMemory();
  }
  if (!AvatarDrawn(canvas)) state.SkipWithError("the avatar was not drawn");
}

// The decoded size of a JPEG, read from its header.
std::size_t RgbBytes(const Bytes& jpeg) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&cinfo, TRUE);
  const std::size_t bytes = std::size_t{cinfo.image_width} * cinfo.image_height * 3;
  jpeg_destroy_decompress(&cinfo);
  return bytes;
}

// libjpeg-turbo with its default decompression parameters, to RGB. The
// output is allocated once, outside the timing: only the decoding is measured.
void LibjpegDecode(benchmark::State& state, const Bytes& jpeg) {
  std::vector<std::uint8_t> rgb(RgbBytes(jpeg));
  for (auto _ : state) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t{cinfo.output_width} * 3;
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = rgb.data() + cinfo.output_scanline * stride;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(rgb.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace

void RegisterComposeBenchmarks() {
  const BenchData& d = Data();
  benchmark::RegisterBenchmark("BM_ComposeCard/typical", ComposeCard, d.typical_path)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_ComposeCard/photo", ComposeCard, d.photo_path)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_LibjpegDecode/background", LibjpegDecode, d.background_jpeg)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_LibjpegDecode/typical", LibjpegDecode, d.typical_jpeg)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_LibjpegDecode/photo", LibjpegDecode, d.photo_jpeg)->Unit(benchmark::kMillisecond);
}

}  // namespace bench
