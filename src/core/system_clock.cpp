// The real wall clock.
#include "core/system_clock.h"

#include <thread>

namespace vavizi
{

std::int64_t SystemClock::NowSeconds()
{
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

void SystemClock::Sleep(std::chrono::milliseconds duration)
{
  std::this_thread::sleep_for(duration);
}

}  // namespace vavizi
