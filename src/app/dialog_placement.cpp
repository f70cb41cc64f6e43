// Placement of the dialogs over the main window.
#include "dialog_placement.h"

#include "core/centring.h"

#include <QWidget>

namespace vavizi
{

void CentreOverMainWindow(QWidget& dialog, const QWidget& main_window)
{
  const QRect main_frame = main_window.frameGeometry();
  const WindowBox main_box{main_frame.left(), main_frame.top(), main_frame.width(),
                           main_frame.height()};
  const QRect frame = dialog.frameGeometry();
  // The second move uses the top just set: a window system may report the new frame only later.
  const int top = CentredTop(main_box, frame.height());
  if (top != frame.top())
    dialog.move(frame.left(), top);
  const int left = CentredLeft(main_box, frame.width());
  if (left != frame.left())
    dialog.move(left, top);
}

}  // namespace vavizi
