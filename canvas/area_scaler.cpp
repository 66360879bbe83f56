#include "canvas/area_scaler.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace canvas {
namespace {

// Overlaps are measured in units of 1/(source*target) of the whole axis:
// source pixel i spans [i*target, (i+1)*target), target pixel j spans
// [j*source, (j+1)*source). Every target pixel's weights add up to `source`.
// Most source pixels under a target pixel are covered whole, with the weight
// min(source, target); they form one run, so they are summed plainly and
// multiplied once, and only the partly covered ones at the ends carry their
// own weights. Sums are exact integers, so the order of adding is free.
struct Edge {
  std::int32_t index;
  std::uint32_t weight;
};

struct Span {
  std::int32_t first = 0;       // first source pixel touched
  std::int32_t last = 0;        // last source pixel touched
  std::int32_t full_begin = 0;  // wholly covered source pixels: [full_begin, full_end)
  std::int32_t full_end = 0;
  Edge edges[2] = {};  // the partly covered ones
  int edge_count = 0;
};

struct Axis {
  std::uint32_t full_weight = 0;
  std::vector<Span> spans;  // one per target pixel
};

Axis MakeAxis(std::int32_t source, std::int32_t target) {
  Axis axis;
  const auto s = static_cast<std::int64_t>(source);
  const auto t = static_cast<std::int64_t>(target);
  axis.full_weight = static_cast<std::uint32_t>(std::min(s, t));
  axis.spans.resize(static_cast<std::size_t>(target));
  for (std::int64_t j = 0; j < t; ++j) {
    const std::int64_t begin = j * s;
    const std::int64_t end = begin + s;
    Span& span = axis.spans[static_cast<std::size_t>(j)];
    span.first = static_cast<std::int32_t>(begin / t);
    span.full_begin = span.full_end = span.first;
    for (std::int64_t i = span.first; i < s && i * t < end; ++i) {
      span.last = static_cast<std::int32_t>(i);
      const auto weight = static_cast<std::uint32_t>(std::min(end, (i + 1) * t) - std::max(begin, i * t));
      if (weight == axis.full_weight) {
        if (span.full_begin == span.full_end) span.full_begin = static_cast<std::int32_t>(i);
        span.full_end = static_cast<std::int32_t>(i + 1);
      } else {
        // Partly covered pixels lie only at the two ends.
        assert(span.edge_count < 2);
        span.edges[span.edge_count++] = Edge{static_cast<std::int32_t>(i), weight};
      }
    }
  }
  return axis;
}

// (n + d/2) / d, rounded down, for many n below 2^bits and one d: a
// multiplication by a fixed-point reciprocal that is exact in that range.
// With l = bits of d, any shift s >= bits + l and m = 2^s / d + 1, rounded
// down, m * d lies in (2^s, 2^s + 2^l], so n * m / 2^s rounds down to n / d
// for every n below 2^bits. s is at least 64, so the product's high half and
// a small shift give the quotient.
class RoundedDivider {
 public:
  RoundedDivider(std::uint64_t d, std::uint64_t largest_sum) : half_(d / 2), by_one_(d == 1) {
    const int shift = std::max(64, static_cast<int>(std::bit_width(largest_sum + half_) + std::bit_width(d)));
    high_shift_ = shift - 64;
    if (!by_one_) multiplier_ = static_cast<std::uint64_t>((static_cast<unsigned __int128>(1) << shift) / d + 1);
  }
  std::uint8_t operator()(std::uint64_t sum) const {
    if (by_one_) return static_cast<std::uint8_t>(sum);
    const auto high = static_cast<std::uint64_t>((static_cast<unsigned __int128>(sum + half_) * multiplier_) >> 64);
    return static_cast<std::uint8_t>(high >> high_shift_);
  }

 private:
  std::uint64_t half_;
  bool by_one_;
  std::uint64_t multiplier_ = 0;
  int high_shift_ = 0;
};

// One target row from the column sums: for each target pixel, the wholly
// covered columns summed plainly and multiplied once, the partly covered
// ones with their weights.
template <std::size_t C>
void SumAcross(const std::uint32_t* sums, const Axis& columns, const RoundedDivider& divide, std::uint8_t* out) {
  const std::uint64_t full = columns.full_weight;
  for (const Span& col : columns.spans) {
    std::uint64_t acc[C] = {};
    const std::uint32_t* s = sums + static_cast<std::size_t>(col.full_begin) * C;
    const std::uint32_t* end = sums + static_cast<std::size_t>(col.full_end) * C;
    for (; s != end; s += C)
      for (std::size_t ch = 0; ch < C; ++ch) acc[ch] += s[ch];
    for (std::size_t ch = 0; ch < C; ++ch) acc[ch] *= full;
    for (int e = 0; e < col.edge_count; ++e) {
      const std::uint64_t w = col.edges[e].weight;
      const std::uint32_t* edge = sums + static_cast<std::size_t>(col.edges[e].index) * C;
      for (std::size_t ch = 0; ch < C; ++ch) acc[ch] += w * edge[ch];
    }
    for (std::size_t ch = 0; ch < C; ++ch) out[ch] = divide(acc[ch]);
    out += C;
  }
}

template <typename Sum>
void Assign(Sum* sum, const std::uint8_t* src, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) sum[i] = src[i];
}
template <typename Sum>
void Add(Sum* sum, const std::uint8_t* src, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) sum[i] = static_cast<Sum>(sum[i] + src[i]);
}
void AssignWeighted(std::uint32_t* sum, const std::uint8_t* src, std::size_t n, std::uint32_t w) {
  for (std::size_t i = 0; i < n; ++i) sum[i] = w * src[i];
}
void AddWeighted(std::uint32_t* sum, const std::uint8_t* src, std::size_t n, std::uint32_t w) {
  for (std::size_t i = 0; i < n; ++i) sum[i] += w * src[i];
}

}  // namespace

struct AreaScaler::Impl {
  std::int32_t source_width, source_height, target_width, target_height;
  std::size_t channels;
  std::size_t row_values;  // source_width * channels
  Axis columns, rows;
  TargetRowFn target_row;
  RoundedDivider divide;

  // The target row being gathered: wholly covered source rows summed plainly
  // (16 bits when they cannot overflow it), partly covered ones with weights.
  bool narrow_plain = false;
  std::vector<std::uint16_t> plain16;
  std::vector<std::uint32_t> plain32;
  std::vector<std::uint32_t> weighted;
  int plain_rows = 0;
  int weighted_rows = 0;
  std::int32_t next_source_row = 0;
  std::int32_t target_y = 0;
  std::vector<std::uint8_t> out;

  Impl(std::int32_t sw, std::int32_t sh, int c, std::int32_t tw, std::int32_t th, TargetRowFn fn)
      : source_width(sw), source_height(sh), target_width(tw), target_height(th),
        channels(static_cast<std::size_t>(c)), row_values(static_cast<std::size_t>(sw) * static_cast<std::size_t>(c)),
        columns(MakeAxis(sw, tw)), rows(MakeAxis(sh, th)), target_row(std::move(fn)),
        divide(static_cast<std::uint64_t>(sw) * static_cast<std::uint64_t>(sh),
               255 * static_cast<std::uint64_t>(sw) * static_cast<std::uint64_t>(sh)) {
    std::int64_t most_plain_rows = 0;
    for (const Span& span : rows.spans) most_plain_rows = std::max<std::int64_t>(most_plain_rows, span.full_end - span.full_begin);
    narrow_plain = most_plain_rows * 255 <= 0xFFFF;
    if (narrow_plain) plain16.resize(row_values);
    else plain32.resize(row_values);
    weighted.resize(row_values);
    out.resize(static_cast<std::size_t>(tw) * channels);
  }

  void AddToTarget(const std::uint8_t* row, std::int32_t y, const Span& span) {
    if (y >= span.full_begin && y < span.full_end) {
      if (narrow_plain) {
        plain_rows++ ? Add(plain16.data(), row, row_values) : Assign(plain16.data(), row, row_values);
      } else {
        plain_rows++ ? Add(plain32.data(), row, row_values) : Assign(plain32.data(), row, row_values);
      }
      return;
    }
    for (int e = 0; e < span.edge_count; ++e)
      if (span.edges[e].index == y) {
        const std::uint32_t w = span.edges[e].weight;
        weighted_rows++ ? AddWeighted(weighted.data(), row, row_values, w)
                        : AssignWeighted(weighted.data(), row, row_values, w);
      }
  }

  // Column sums of the finished target row into `weighted`: full * plain + weighted.
  void CombineRows() {
    std::uint32_t* sums = weighted.data();
    const std::uint32_t full = rows.full_weight;
    if (plain_rows == 0) {
      if (weighted_rows == 0) std::fill(weighted.begin(), weighted.end(), 0u);
      return;
    }
    if (narrow_plain) {
      const std::uint16_t* plain = plain16.data();
      if (weighted_rows == 0)
        for (std::size_t i = 0; i < row_values; ++i) sums[i] = full * plain[i];
      else
        for (std::size_t i = 0; i < row_values; ++i) sums[i] += full * plain[i];
    } else {
      const std::uint32_t* plain = plain32.data();
      if (weighted_rows == 0)
        for (std::size_t i = 0; i < row_values; ++i) sums[i] = full * plain[i];
      else
        for (std::size_t i = 0; i < row_values; ++i) sums[i] += full * plain[i];
    }
  }

  void FinishTargetRow() {
    CombineRows();
    switch (channels) {
      case 1: SumAcross<1>(weighted.data(), columns, divide, out.data()); break;
      case 2: SumAcross<2>(weighted.data(), columns, divide, out.data()); break;
      case 3: SumAcross<3>(weighted.data(), columns, divide, out.data()); break;
      default: SumAcross<4>(weighted.data(), columns, divide, out.data()); break;
    }
    target_row(target_y, out.data());
    plain_rows = 0;
    weighted_rows = 0;
  }

  void AddRow(const std::uint8_t* row) {
    if (next_source_row >= source_height) return;
    const std::int32_t y = next_source_row++;
    // A source row lies under one target row, or under several when it is
    // split between neighbours or the picture is enlarged.
    while (target_y < target_height) {
      const Span& span = rows.spans[static_cast<std::size_t>(target_y)];
      if (span.first > y) break;
      AddToTarget(row, y, span);
      if (span.last != y) break;
      FinishTargetRow();
      ++target_y;
    }
  }
};

AreaScaler::AreaScaler(std::int32_t source_width, std::int32_t source_height, int channels,
                       std::int32_t target_width, std::int32_t target_height, TargetRowFn target_row)
    : impl_(std::make_unique<Impl>(source_width, source_height, channels, target_width, target_height,
                                   std::move(target_row))) {}

AreaScaler::~AreaScaler() = default;

void AreaScaler::AddRow(const std::uint8_t* row) { impl_->AddRow(row); }

void ScaleByAreaAveraging(std::int32_t source_width, std::int32_t source_height, int channels,
                          const SourceRowFn& source_row, std::int32_t target_width,
                          std::int32_t target_height, const TargetRowFn& target_row) {
  if (source_width <= 0 || source_height <= 0 || target_width <= 0 || target_height <= 0) return;
  AreaScaler scaler(source_width, source_height, channels, target_width, target_height, target_row);
  std::vector<std::uint8_t> scratch(static_cast<std::size_t>(source_width) * static_cast<std::size_t>(channels));
  for (std::int32_t y = 0; y < source_height; ++y) scaler.AddRow(source_row(y, scratch.data()));
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
