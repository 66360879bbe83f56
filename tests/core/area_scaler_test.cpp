#include <gtest/gtest.h>

#include <algorithm>

#include "canvas/area_scaler.h"

namespace {

std::vector<std::uint8_t> Scale(const std::vector<std::uint8_t>& grey, int w, int h, int tw, int th) {
  return canvas::ScaleImage(grey, w, h, 1, tw, th);
}

TEST(AreaScaler, AveragesByCoverage) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> source;
    int w, h, tw, th;
    std::vector<std::uint8_t> expected;
  };
  const Case cases[] = {
      {"same size is a copy", {1, 2, 3, 4}, 2, 2, 2, 2, {1, 2, 3, 4}},
      {"2x2 to 1x1 is the mean", {0, 100, 200, 100}, 2, 2, 1, 1, {100}},
      {"3 to 2: thirds split between targets", {0, 90, 180}, 3, 1, 2, 1, {30, 150}},
      {"1 to 3 enlarges by repeating", {77}, 1, 1, 3, 2, {77, 77, 77, 77, 77, 77}},
      {"2 to 3: the middle target straddles", {0, 240}, 2, 1, 3, 1, {0, 120, 240}},
      {"rounds halves up", {0, 1}, 2, 1, 1, 1, {1}},
  };
  for (const Case& c : cases) EXPECT_EQ(Scale(c.source, c.w, c.h, c.tw, c.th), c.expected) << c.name;
}

TEST(AreaScaler, KeepsAUniformColourExactlyAtAnySize) {
  const std::vector<std::uint8_t> rgb(37 * 23 * 3, 0);
  std::vector<std::uint8_t> source(37 * 23 * 3);
  for (std::size_t i = 0; i < source.size(); i += 3) source[i] = 10, source[i + 1] = 200, source[i + 2] = 99;
  for (auto [tw, th] : {std::pair{78, 128}, std::pair{5, 3}, std::pair{37, 1}, std::pair{100, 100}}) {
    const auto out = canvas::ScaleImage(source, 37, 23, 3, tw, th);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(tw * th * 3));
    for (std::size_t i = 0; i < out.size(); i += 3) {
      ASSERT_EQ(out[i], 10);
      ASSERT_EQ(out[i + 1], 200);
      ASSERT_EQ(out[i + 2], 99);
    }
  }
}

// The definition itself, pixel by pixel: each target pixel is the sum of
// every source pixel times the area it shares with it, over the source area.
std::vector<std::uint8_t> ScaleByDefinition(const std::vector<std::uint8_t>& source, int w, int h, int c, int tw,
                                            int th) {
  // Source pixel i spans [i*t, (i+1)*t), target pixel j spans [j*s, (j+1)*s).
  auto overlap = [](std::int64_t i, std::int64_t j, std::int64_t s, std::int64_t t) {
    return std::max<std::int64_t>(0, std::min((i + 1) * t, (j + 1) * s) - std::max(i * t, j * s));
  };
  std::vector<std::uint8_t> out(static_cast<std::size_t>(tw * th * c));
  const std::uint64_t area = static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
  for (int ty = 0; ty < th; ++ty)
    for (int tx = 0; tx < tw; ++tx)
      for (int ch = 0; ch < c; ++ch) {
        std::uint64_t sum = 0;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x)
            sum += static_cast<std::uint64_t>(overlap(x, tx, w, tw) * overlap(y, ty, h, th)) *
                   source[static_cast<std::size_t>((y * w + x) * c + ch)];
        out[static_cast<std::size_t>((ty * tw + tx) * c + ch)] = static_cast<std::uint8_t>((sum + area / 2) / area);
      }
  return out;
}

TEST(AreaScaler, MatchesTheDefinitionAtUnevenSizes) {
  struct Case {
    int w, h, channels, tw, th;
  };
  const Case cases[] = {
      {7, 5, 3, 3, 2},     // shrinking: pixels split between neighbours on both axes
      {3, 2, 3, 7, 5},     // enlarging: most target pixels inside one source pixel
      {5, 9, 1, 5, 4},     // one axis kept, the other shrunk
      {10, 10, 4, 4, 6},   // four channels, shrunk one way and enlarged the other
      {1, 1, 3, 4, 3},     // one pixel filling everything
      {13, 600, 3, 4, 2},  // hundreds of source rows under one target row
      {600, 3, 2, 1, 3},   // a whole row into one pixel
      {9, 6, 3, 9, 6},     // same size
  };
  std::uint32_t state = 12345;
  for (const Case& c : cases) {
    std::vector<std::uint8_t> source(static_cast<std::size_t>(c.w * c.h * c.channels));
    for (auto& v : source) v = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 23);
    // Saturated corners, where a sum that overflows would show.
    source.front() = source.back() = 255;
    EXPECT_EQ(canvas::ScaleImage(source, c.w, c.h, c.channels, c.tw, c.th),
              ScaleByDefinition(source, c.w, c.h, c.channels, c.tw, c.th))
        << c.w << "x" << c.h << "x" << c.channels << " to " << c.tw << "x" << c.th;
  }
}

TEST(AreaScaler, WhiteStaysWhiteUnderHundredsOfRows) {
  // Sums of hundreds of full rows outgrow 16 bits.
  const std::vector<std::uint8_t> white(3 * 1000 * 3, 255);
  for (auto [tw, th] : {std::pair{1, 1}, std::pair{2, 3}, std::pair{3, 1000}}) {
    const auto out = canvas::ScaleImage(white, 3, 1000, 3, tw, th);
    EXPECT_EQ(out, std::vector<std::uint8_t>(static_cast<std::size_t>(tw * th * 3), 255)) << tw << "x" << th;
  }
}

}  // namespace
