#include <gtest/gtest.h>

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

}  // namespace
