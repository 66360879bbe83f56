#include "card/tag_color.h"

#include <array>

namespace card {
namespace {

constexpr std::array<canvas::ColorRef, 6> kTagPalette = {
    0xFF0000,  // blue
    0x00FF00,  // green
    0x0000FF,  // red
    0x808000,  // teal
    0xFF0090,  // violet
    0x808080,  // grey
};

}  // namespace

std::atomic<std::uint32_t>& SeedCounter() {
  static std::atomic<std::uint32_t> counter{0};
  return counter;
}

std::uint32_t DrawRandom(std::uint32_t seed) {
  std::uint32_t state = seed * 214013u + 2531011u;
  return (state >> 16) & 0x7FFFu;
}

canvas::ColorRef PickTagColor(platform::TickCounter& ticks) {
  const std::uint32_t t = ticks.NowMilliseconds();
  auto& counter = SeedCounter();
  std::uint32_t old_counter = counter.load();
  std::uint32_t seed = 0;
  // Each pick moves the counter on by its own seed, so two picks in the same
  // millisecond still get different seeds.
  do {
    seed = t + old_counter;
  } while (!counter.compare_exchange_weak(old_counter, old_counter + (seed & 0xFFu) + 100u));
  const std::uint32_t r = DrawRandom(seed);
  return kTagPalette[r % 6];
}

}  // namespace card
