// How the two dialogs place themselves over the main window on every paint.
#pragma once

class QWidget;

namespace vavizi
{

// Moves `dialog` over the centre of `main_window` (outer frames), the top first and then the left,
// each a move of its own; a move to where the dialog stands already is not made.
void CentreOverMainWindow(QWidget& dialog, const QWidget& main_window);

}  // namespace vavizi
