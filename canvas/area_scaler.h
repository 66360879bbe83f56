#pragma once
// Area-averaging resampler: each target pixel is the coverage-weighted mean of
// the source pixels under it, for shrinking and enlarging alike. Takes the
// source one row at a time, so a large source is never held whole.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace canvas {

// Returns source row y as width*channels bytes; `scratch` has room for one row
// and may be used to build it.
using SourceRowFn = std::function<const std::uint8_t*(std::int32_t y, std::uint8_t* scratch)>;
// Receives target row y as width*channels bytes.
using TargetRowFn = std::function<void(std::int32_t y, const std::uint8_t* row)>;

// Source rows go in top row first, each exactly once; every target row goes
// out as soon as the last source row under it is in.
class AreaScaler {
 public:
  // Sizes must be positive; channels 1 to 4.
  AreaScaler(std::int32_t source_width, std::int32_t source_height, int channels, std::int32_t target_width,
             std::int32_t target_height, TargetRowFn target_row);
  ~AreaScaler();
  AreaScaler(const AreaScaler&) = delete;
  AreaScaler& operator=(const AreaScaler&) = delete;

  void AddRow(const std::uint8_t* row);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

void ScaleByAreaAveraging(std::int32_t source_width, std::int32_t source_height, int channels,
                          const SourceRowFn& source_row, std::int32_t target_width,
                          std::int32_t target_height, const TargetRowFn& target_row);

// Convenience for whole images held in memory (rows packed, top row first).
std::vector<std::uint8_t> ScaleImage(std::span<const std::uint8_t> pixels, std::int32_t width,
                                     std::int32_t height, int channels, std::int32_t target_width,
                                     std::int32_t target_height);

}  // namespace canvas
