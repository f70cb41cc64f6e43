// The progress display of a conversion run.
#include "core/progress.h"

#include <cstdio>

namespace vavizi
{

namespace
{

constexpr std::chrono::milliseconds CLOCK_POLL_STEP{5};

// position / size x 100 in double precision, kept as a float. Kept within 0 to 100: the last step
// of a run may stand past the size (a short last block, a source that grew), and the bar takes no
// more.
float Percentage(std::int64_t position, std::int64_t size)
{
  if (size <= 0)
    return 100.0f;
  const double percentage = static_cast<double>(position) / static_cast<double>(size) * 100.0;
  if (percentage < 0.0)
    return 0.0f;
  if (percentage > 100.0)
    return 100.0f;
  return static_cast<float>(percentage);
}

}  // namespace

std::string PercentText(int percent)
{
  char text[32];
  std::snprintf(text, sizeof text, "(%3d%%)", percent);
  return text;
}

std::string RemainingText(std::int64_t seconds)
{
  char text[48];
  std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(seconds / 60),
                static_cast<long long>(seconds % 60));
  return text;
}

std::string ProgressTitle(int percent, std::int64_t seconds)
{
  char text[96];
  std::snprintf(text, sizeof text, "変換済(%3d%%)残 %s", percent, RemainingText(seconds).c_str());
  return text;
}

ProgressState ProgressStart(ConversionContext& context, std::int64_t start_position,
                            std::int64_t size)
{
  WindowOperations& window = context.window;
  window.SetEnabled(Control::Button1, false);
  window.SetEnabled(Control::BitBtn1, false);
  window.SetVisible(Control::Button2, true);
  window.SetBusyCursor(true);

  ProgressState progress;
  progress.size = size;
  std::int64_t now = context.clock.NowSeconds();
  if (context.state.align_to_clock_second)
  {
    // Timing starts on a clock tick so that the first estimate covers whole seconds.
    const std::int64_t first = now;
    while (now == first)
    {
      context.clock.Sleep(CLOCK_POLL_STEP);
      now = context.clock.NowSeconds();
    }
  }
  progress.start_second = now;
  progress.last_second = now;
  progress.start_percentage = Percentage(start_position, size);
  return progress;
}

bool AbortRequested(ConversionContext& context)
{
  return !context.window.IsVisible(Control::Button2);
}

void ProgressStep(ConversionContext& context, ProgressState& progress, std::int64_t position)
{
  WindowOperations& window = context.window;
  window.ProcessEvents();

  const float percentage = Percentage(position, progress.size);
  const int shown_percent = static_cast<int>(percentage);

  const std::int64_t now = context.clock.NowSeconds();
  const float divisor = percentage - progress.start_percentage;
  // Until the position has moved there is no rate to extrapolate; try again at the next step.
  if (now != progress.last_second && divisor > 0.0f)
  {
    const auto elapsed = static_cast<float>(now - progress.start_second);
    const float rate = elapsed / divisor;
    progress.last_second = now;
    const auto remaining = static_cast<std::int64_t>((100.0f - percentage) * rate);
    if (remaining == 0)
    {
      window.SetText(Control::Panel16, "");
    }
    else
    {
      window.SetText(Control::Panel16, RemainingText(remaining));
      window.SetTitle(ProgressTitle(shown_percent, remaining));
    }
  }

  // Repainting costs far more than a sector's copy: only a new figure is drawn.
  if (shown_percent != progress.shown_percent)
  {
    progress.shown_percent = shown_percent;
    window.SetText(Control::Panel4, PercentText(shown_percent));
    window.Repaint(Control::Panel4);
    window.SetProgressPosition(shown_percent);
    window.Repaint(Control::ProgressBar1);
  }
}

void ProgressEnd(ConversionContext& context)
{
  WindowOperations& window = context.window;
  window.SetText(Control::Panel16, "");
  window.SetBusyCursor(false);
  window.SetEnabled(Control::Button1, true);
  window.SetEnabled(Control::BitBtn1, true);
  window.SetVisible(Control::Button2, false);
}

}  // namespace vavizi
