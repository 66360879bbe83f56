#include <windows.h>

#include "platform/tick_counter.h"

namespace platform {

std::uint32_t SystemTickCounter::NowMilliseconds() { return GetTickCount(); }

TickCounter& SystemTicks() {
  static SystemTickCounter counter;
  return counter;
}

}  // namespace platform
