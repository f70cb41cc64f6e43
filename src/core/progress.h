// The progress display that both conversion routines drive: percentage panel, progress bar,
// remaining time and the application title, refreshed from inside the copy loop.
#pragma once

#include "core/program_state.h"

#include <cstdint>

namespace vavizi
{

struct ProgressState
{
  std::int64_t size = 0;          // the total the position is measured against
  std::int64_t start_second = 0;  // clock second at which timing started
  std::int64_t last_second = 0;   // clock second of the last remaining-time update
  float start_percentage = 0.0f;  // percentage at the start position
  int shown_percent = -1;         // last percent shown; the panel and bar repaint only on change
};

// Locks the window for a run, shows the hourglass, waits for the next clock second (unless the
// state says not to) and records the start percentage of `start_position` out of `size`.
[[nodiscard]] ProgressState ProgressStart(ConversionContext& context, std::int64_t start_position,
                                          std::int64_t size);

// True once the abort button has been hidden.
[[nodiscard]] bool AbortRequested(ConversionContext& context);

// Processes pending events, then shows the percentage and bar and, once per clock second, the
// remaining time and the title.
void ProgressStep(ConversionContext& context, ProgressState& progress, std::int64_t position);

// Clears the remaining time, restores the cursor and unlocks the window.
void ProgressEnd(ConversionContext& context);

// "(%3d%)" as the percentage panel shows it.
[[nodiscard]] std::string PercentText(int percent);
// "%02d:%02d" of a number of seconds; minutes take as many digits as they need.
[[nodiscard]] std::string RemainingText(std::int64_t seconds);
// "変換済(%3d%%)残 %02d:%02d", the application title during a run.
[[nodiscard]] std::string ProgressTitle(int percent, std::int64_t seconds);

}  // namespace vavizi
