// The close-kind button.
#include "widgets/close_button.h"

#include <QStyle>

namespace vavizi
{

CloseButton::CloseButton(QWidget* parent) : QPushButton(parent)
{
  setText(QStringLiteral("閉じる(&C)"));
  setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  setDefault(false);
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { window()->close(); });
}

}  // namespace vavizi
