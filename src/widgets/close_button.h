// A push button of the close kind: "閉じる(&C)" with a close picture; a click closes the window it
// is in. It is neither the window's default button nor its cancel button.
#pragma once

#include <QPushButton>

namespace vavizi
{

class CloseButton : public QPushButton
{
  Q_OBJECT

public:
  // The button with its caption and picture, wired to close its window.
  explicit CloseButton(QWidget* parent = nullptr);
};

}  // namespace vavizi
