// The real wall clock.
#pragma once

#include "core/clock.h"

namespace vavizi
{

class SystemClock final : public Clock
{
public:
  std::int64_t NowSeconds() override;
  void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace vavizi
