// Where a dialog goes when it centres itself over the main window: half the difference of the outer
// sizes, halved toward zero (3 gives 1, -3 gives -1, -1 gives 0), with no clamping to the screen.
#pragma once

namespace vavizi
{

struct WindowBox
{
  int left = 0;
  int top = 0;
  int width = 0;   // outer width, frame included
  int height = 0;  // outer height, frame included
};

// Halving that truncates toward zero, as the centring has always done.
[[nodiscard]] constexpr int HalfTowardZero(int difference)
{
  return difference / 2;
}

[[nodiscard]] constexpr int CentredTop(const WindowBox& main, int dialog_height)
{
  return main.top + HalfTowardZero(main.height - dialog_height);
}

[[nodiscard]] constexpr int CentredLeft(const WindowBox& main, int dialog_width)
{
  return main.left + HalfTowardZero(main.width - dialog_width);
}

}  // namespace vavizi
