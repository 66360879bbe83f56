#include "canvas/area_scaler.h"

#include <cassert>

namespace canvas {
namespace {

// Overlaps measured in units of 1/(source*target) of the whole axis: source
// pixel i spans [i*target, (i+1)*target), target pixel j spans
// [j*source, (j+1)*source). Every target pixel's weights add up to `source`.
struct Span {
  std::int32_t first = 0;              // first source pixel touched
  std::vector<std::uint32_t> weights;  // one per source pixel from `first` on
};

std::vector<Span> AxisSpans(std::int32_t source, std::int32_t target) {
  std::vector<Span> spans(static_cast<std::size_t>(target));
  const auto s = static_cast<std::int64_t>(source);
  const auto t = static_cast<std::int64_t>(target);
  for (std::int64_t j = 0; j < t; ++j) {
    const std::int64_t begin = j * s;
    const std::int64_t end = begin + s;
    Span& span = spans[static_cast<std::size_t>(j)];
    span.first = static_cast<std::int32_t>(begin / t);
    for (std::int64_t i = span.first; i < s && i * t < end; ++i) {
      const std::int64_t lo = std::max(begin, i * t);
      const std::int64_t hi = std::min(end, (i + 1) * t);
      span.weights.push_back(static_cast<std::uint32_t>(hi - lo));
    }
  }
  return spans;
}

}  // namespace

void ScaleByAreaAveraging(std::int32_t source_width, std::int32_t source_height, int channels,
                          const SourceRowFn& source_row, std::int32_t target_width,
                          std::int32_t target_height, const TargetRowFn& target_row) {
  if (source_width <= 0 || source_height <= 0 || target_width <= 0 || target_height <= 0) return;
  const auto c = static_cast<std::size_t>(channels);
  const auto sw = static_cast<std::size_t>(source_width);
  const std::vector<Span> columns = AxisSpans(source_width, target_width);
  const std::vector<Span> rows = AxisSpans(source_height, target_height);

  // Column sums of one target row: at most 255 * source_height, fits 32 bits
  // for any allowed height.
  std::vector<std::uint32_t> column_sums(sw * c);
  std::vector<std::uint8_t> scratch(sw * c);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(target_width) * c);
  const std::uint64_t total = static_cast<std::uint64_t>(source_width) *
                              static_cast<std::uint64_t>(source_height);

  for (std::int32_t ty = 0; ty < target_height; ++ty) {
    const Span& row_span = rows[static_cast<std::size_t>(ty)];
    std::fill(column_sums.begin(), column_sums.end(), 0u);
    for (std::size_t k = 0; k < row_span.weights.size(); ++k) {
      const std::uint32_t w = row_span.weights[k];
      const std::uint8_t* src = source_row(row_span.first + static_cast<std::int32_t>(k), scratch.data());
      std::uint32_t* sum = column_sums.data();
      const std::size_t n = sw * c;
      for (std::size_t i = 0; i < n; ++i) sum[i] += w * src[i];
    }
    for (std::int32_t tx = 0; tx < target_width; ++tx) {
      const Span& col = columns[static_cast<std::size_t>(tx)];
      std::uint64_t acc[4] = {0, 0, 0, 0};
      const std::uint32_t* sum = column_sums.data() + static_cast<std::size_t>(col.first) * c;
      for (std::size_t k = 0; k < col.weights.size(); ++k, sum += c)
        for (std::size_t ch = 0; ch < c; ++ch) acc[ch] += static_cast<std::uint64_t>(col.weights[k]) * sum[ch];
      std::uint8_t* dst = out.data() + static_cast<std::size_t>(tx) * c;
      for (std::size_t ch = 0; ch < c; ++ch) dst[ch] = static_cast<std::uint8_t>((acc[ch] + total / 2) / total);
    }
    target_row(ty, out.data());
  }
}

std::vector<std::uint8_t> ScaleImage(std::span<const std::uint8_t> pixels, std::int32_t width,
                                     std::int32_t height, int channels, std::int32_t target_width,
                                     std::int32_t target_height) {
  std::vector<std::uint8_t> result;
  if (width <= 0 || height <= 0 || target_width <= 0 || target_height <= 0) return result;
  const auto c = static_cast<std::size_t>(channels);
  const std::size_t row = static_cast<std::size_t>(width) * c;
  const std::size_t target_row_bytes = static_cast<std::size_t>(target_width) * c;
  result.resize(target_row_bytes * static_cast<std::size_t>(target_height));
  ScaleByAreaAveraging(
      width, height, channels,
      [&](std::int32_t y, std::uint8_t*) { return pixels.data() + static_cast<std::size_t>(y) * row; },
      target_width, target_height,
      [&](std::int32_t y, const std::uint8_t* out) {
        std::copy(out, out + target_row_bytes, result.data() + static_cast<std::size_t>(y) * target_row_bytes);
      });
  return result;
}

}  // namespace canvas
