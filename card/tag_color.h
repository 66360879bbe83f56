#pragma once
#include <atomic>
#include <cstdint>

#include "canvas/color.h"
#include "platform/tick_counter.h"

namespace card {

// Process-wide; only PickTagColor changes it.
std::atomic<std::uint32_t>& SeedCounter();

// The card's 32-bit linear congruential generator: seed, then one draw (0..32767).
std::uint32_t DrawRandom(std::uint32_t seed);

// One of the six tag colours, chosen from the tick counter and SeedCounter.
canvas::ColorRef PickTagColor(platform::TickCounter& ticks);

}  // namespace card
