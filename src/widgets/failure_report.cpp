// The default failure report of the browser controls.
#include "widgets/failure_report.h"

#include <QMessageBox>

namespace vavizi
{

void ShowFailureBox(QWidget* control, const QString& message)
{
  QMessageBox::warning(control, QStringLiteral("エラー"), message);
}

}  // namespace vavizi
