#pragma once
#include <cstdint>

namespace platform {

// The millisecond tick counter: wraps at 2^32 like the system's own.
class TickCounter {
 public:
  virtual ~TickCounter() = default;
  virtual std::uint32_t NowMilliseconds() = 0;
};

// Milliseconds since the system started.
class SystemTickCounter final : public TickCounter {
 public:
  std::uint32_t NowMilliseconds() override;
};

// A counter that reads what it is told: makes random tag colours reproducible.
class FixedTickCounter final : public TickCounter {
 public:
  explicit FixedTickCounter(std::uint32_t value) : value_(value) {}
  std::uint32_t NowMilliseconds() override { return value_; }
  void Set(std::uint32_t value) { value_ = value; }

 private:
  std::uint32_t value_;
};

// The process-wide system counter.
TickCounter& SystemTicks();

}  // namespace platform
