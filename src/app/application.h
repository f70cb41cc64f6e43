// What the program sets up before its windows exist: fonts standing in for the ones the windows
// name, the Japanese texts of Qt's own buttons, the icon, and an exception display for handlers.
#pragma once

#include <QApplication>
#include <QFont>

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

// The font of this family at a pixel height: the windows are laid out for pixel sizes at 96 pixels
// per inch, which a window description cannot hold (it stores point sizes).
[[nodiscard]] QFont PixelFont(const QString& family, int pixel_size);

// The error box of an exception, captioned with the application title.
void ShowException(const char* message);

}  // namespace vavizi
