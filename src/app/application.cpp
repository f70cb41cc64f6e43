// Application set-up shared by the program and its window tests.
#include "application.h"

#include "Unit1.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <exception>

static void InitResources()
{
  Q_INIT_RESOURCE(vavizi);
}

namespace vavizi
{

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
  try
  {
    return QApplication::notify(receiver, event);
  }
  catch (const std::exception& error)
  {
    ShowException(error.what());
  }
  return false;
}

QFont PixelFont(const QString& family, int pixel_size)
{
  QFont font(family);
  font.setPixelSize(pixel_size);
  return font;
}

void ShowException(const char* message)
{
  const QString title = Form1 ? QString::fromStdString(Form1->Title()) : QStringLiteral("VAVIZI");
  QMessageBox::critical(nullptr, title, QString::fromUtf8(message));
}

void PrepareApplication(QApplication& application)
{
  InitResources();
  // The windows name the fonts of a Japanese desktop; these installed fonts take their place.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("IPAPGothic"));

  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_ja"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);

  QApplication::setApplicationName(QStringLiteral("VAVIZI"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/vavizi.png")));
}

}  // namespace vavizi
