// The wall clock in whole seconds, behind an interface so that progress timing can be tested with a
// clock that a test moves by hand.
#pragma once

#include <chrono>
#include <cstdint>

namespace vavizi
{

class Clock
{
public:
  virtual ~Clock() = default;
  // Seconds since a fixed origin; only differences matter.
  [[nodiscard]] virtual std::int64_t NowSeconds() = 0;
  // Sleeps about `duration`.
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

}  // namespace vavizi
