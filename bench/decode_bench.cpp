// The card's decoders beside giflib, stb_image and memcpy, on the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include <gif_lib.h>
#include <stb_image.h>

#include "bench/bench_data.h"
#include "bench/register.h"
#include "canvas/decode_picture.h"

namespace bench {
namespace {

// A decoder that gets the picture wrong must not post a time.
bool SameIndices(const std::optional<canvas::DecodedPicture>& p) {
  return p && p->width == kLargeSide && p->height == kLargeSide && p->indices == Data().large_indices;
}

void DecodeGif(benchmark::State& state) {
  const Bytes& gif = Data().gif_large;
  if (!SameIndices(canvas::DecodeGif(gif))) return state.SkipWithError("the GIF decodes wrongly");
  for (auto _ : state) {
    auto picture = canvas::DecodeGif(gif);
    benchmark::DoNotOptimize(picture);
  }
}

void DecodeBmp(benchmark::State& state) {
  const Bytes& bmp = Data().bmp_large;
  const auto check = canvas::DecodeBmp(bmp);
  if (!check || check->rgb != Data().large_rgb) return state.SkipWithError("the BMP decodes wrongly");
  for (auto _ : state) {
    auto picture = canvas::DecodeBmp(bmp);
    benchmark::DoNotOptimize(picture);
  }
}

void DecodePcx8(benchmark::State& state) {
  const Bytes& pcx = Data().pcx8_large;
  if (!SameIndices(canvas::DecodePcx(pcx, canvas::PictureFormat::Pcx8)))
    return state.SkipWithError("the PCX decodes wrongly");
  for (auto _ : state) {
    auto picture = canvas::DecodePcx(pcx, canvas::PictureFormat::Pcx8);
    benchmark::DoNotOptimize(picture);
  }
}

struct GifSource {
  const Bytes* bytes;
  std::size_t position = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int wanted) {
  auto* source = static_cast<GifSource*>(gif->UserData);
  const std::size_t left = source->bytes->size() - source->position;
  const std::size_t n = std::min(left, static_cast<std::size_t>(wanted));
  std::memcpy(out, source->bytes->data() + source->position, n);
  source->position += n;
  return static_cast<int>(n);
}

// DGifSlurp, then the first image's indices expanded to RGB through its
// palette. The RGB output is allocated once, outside the timing.
void Giflib(benchmark::State& state) {
  const Bytes& gif = Data().gif_large;
  std::vector<std::uint8_t> rgb(Data().large_indices.size() * 3);
  for (auto _ : state) {
    GifSource source{&gif};
    int error = 0;
    GifFileType* file = DGifOpen(&source, ReadGifBytes, &error);
    if (!file || DGifSlurp(file) != GIF_OK || file->ImageCount < 1) {
      if (file) DGifCloseFile(file, &error);
      return state.SkipWithError("giflib cannot read the GIF");
    }
    const SavedImage& image = file->SavedImages[0];
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : file->SColorMap;
    const std::size_t pixels = static_cast<std::size_t>(image.ImageDesc.Width) * image.ImageDesc.Height;
    const GifColorType* colors = map->Colors;
    const int entries = map->ColorCount;
    std::uint8_t* dst = rgb.data();
    for (std::size_t i = 0; i < pixels; ++i, dst += 3) {
      const int index = image.RasterBits[i];
      const GifColorType c = index < entries ? colors[index] : GifColorType{0, 0, 0};
      dst[0] = c.Red;
      dst[1] = c.Green;
      dst[2] = c.Blue;
    }
    DGifCloseFile(file, &error);
    benchmark::DoNotOptimize(rgb.data());
    benchmark::ClobberMemory();
  }
}

// stb_image to 3 channels, as it is most often called.
void StbImage(benchmark::State& state, const Bytes& bytes) {
  for (auto _ : state) {
    int w = 0, h = 0, n = 0;
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &n, 3);
    if (!pixels) return state.SkipWithError("stb_image cannot read the picture");
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
}

// The floor for decoding: copying a 2000 x 2000 RGB picture between two
// buffers that are already in place.
void Memcpy(benchmark::State& state) {
  const std::size_t size = std::size_t{kLargeSide} * kLargeSide * 3;
  std::vector<std::uint8_t> from(Data().large_rgb), to(size, 1);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), size);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace

void RegisterDecodeBenchmarks() {
  const BenchData& d = Data();
  benchmark::RegisterBenchmark("BM_DecodeGif/large", DecodeGif)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Giflib/large", Giflib)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_StbImage/gif_large", StbImage, d.gif_large)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_DecodeBmp/large", DecodeBmp)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_StbImage/bmp_large", StbImage, d.bmp_large)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_DecodePcx8/large", DecodePcx8)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Memcpy/large", Memcpy)->Unit(benchmark::kMillisecond);
}

}  // namespace bench
