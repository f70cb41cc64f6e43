// What the program sets up before its windows exist: fonts standing in for the ones the windows
// name, the Japanese texts of Qt's own buttons, the icon, and an exception display for handlers.
#pragma once

#include <QApplication>

namespace vavizi
{

// The application object: shows an exception that escapes an event handler in an error box
// captioned with the application title, and goes on.
class Application : public QApplication
{
public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Font substitutes, translations and the icon; run once after the application object exists.
void PrepareApplication(QApplication& application);

// The error box of an exception, captioned with the application title.
void ShowException(const char* message);

}  // namespace vavizi
