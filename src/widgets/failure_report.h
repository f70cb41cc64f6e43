// How a browser control tells the user that it could not go where it was sent. Each control says so
// itself and stays where it was; tests replace the message box with a recorder.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vavizi
{

// Called with the control and the message; the default shows a warning box over the control.
using FailureReport = std::function<void(QWidget* control, const QString& message)>;

// A warning message box titled "エラー" with an OK button, modal over the control's window.
void ShowFailureBox(QWidget* control, const QString& message);

}  // namespace vavizi
