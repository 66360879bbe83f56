#include <gtest/gtest.h>

#include "card/tag_color.h"

namespace {

TEST(DrawRandom, FollowsTheCardGenerator) {
  struct Case {
    std::uint32_t seed, draw;
  };
  for (const Case c : {Case{0, 38}, Case{1000, 3304}, Case{1332, 4388}, Case{1484, 4884}, Case{1788, 5877}})
    EXPECT_EQ(card::DrawRandom(c.seed), c.draw) << "seed " << c.seed;
}

TEST(PickTagColor, FourPicksInOneMillisecond) {
  card::SeedCounter() = 0;
  platform::FixedTickCounter ticks(1000);
  // violet, red, blue, teal
  const canvas::ColorRef expected[] = {0xFF0090, 0x0000FF, 0xFF0000, 0x808000};
  for (canvas::ColorRef c : expected) EXPECT_EQ(card::PickTagColor(ticks), c);
  EXPECT_EQ(card::SeedCounter().load(), 1140u);
}

TEST(PickTagColor, SeedZeroGivesRedAndCounterWraps) {
  card::SeedCounter() = 0;
  platform::FixedTickCounter zero(0);
  EXPECT_EQ(card::PickTagColor(zero), 0x0000FFu);
  EXPECT_EQ(card::SeedCounter().load(), 100u);

  // Tick counter and seed counter add modulo 2^32.
  card::SeedCounter() = 0xFFFFFFF0u;
  platform::FixedTickCounter late(0x20);
  card::PickTagColor(late);  // seed 0x10
  EXPECT_EQ(card::SeedCounter().load(), 0xFFFFFFF0u + 0x10u + 100u);
}

}  // namespace
