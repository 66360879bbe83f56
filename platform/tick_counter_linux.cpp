#include <time.h>

#include "platform/tick_counter.h"

namespace platform {

std::uint32_t SystemTickCounter::NowMilliseconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
            static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);  // wraps like the system's counter
}

TickCounter& SystemTicks() {
  static SystemTickCounter counter;
  return counter;
}

}  // namespace platform
