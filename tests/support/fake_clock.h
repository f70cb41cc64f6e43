// A clock that moves only when told: by a test, or by the sleeps of the code under test.
#pragma once

#include "core/clock.h"

namespace vavizi::testing
{

class FakeClock : public Clock
{
public:
  std::int64_t NowSeconds() override { return now; }
  void Sleep(std::chrono::milliseconds duration) override
  {
    ++sleep_count;
    slept_ms += duration.count();
    while (slept_ms >= 1000)
    {
      slept_ms -= 1000;
      ++now;
    }
  }

  std::int64_t now = 1000;
  long long slept_ms = 0;
  int sleep_count = 0;
};

}  // namespace vavizi::testing
