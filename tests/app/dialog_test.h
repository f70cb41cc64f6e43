// What the tests of both dialogs share: the program's own start-up (fonts, icon), the cases of the
// centring over the main window, and the check that a paint puts the dialog there, top first and
// then left, each a move of its own.
#pragma once

#include "application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTest>
#include <QWidget>

#include <cstdlib>

namespace dialog_test
{

// What the program sets up before its windows exist: the fonts standing in for the ones the
// dialogs name, so that text is measured as the program shows it.
inline void PrepareAsTheProgram()
{
  vavizi::PrepareApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
}

// Where a screenshot goes, or empty when none is asked for.
inline QString ScreenshotFolder()
{
  return QString::fromLocal8Bit(std::getenv("VAVIZI_SCREENSHOT_DIR"));
}

// Every position the watched window takes, read when Qt reports the move.
class MoveRecorder : public QObject
{
public:
  explicit MoveRecorder(QWidget* window) : m_window(window) { window->installEventFilter(this); }
  ~MoveRecorder() override { m_window->removeEventFilter(this); }

  QList<QPoint> positions;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (watched == m_window && event->type() == QEvent::Move)
      positions.append(m_window->frameGeometry().topLeft());
    return false;
  }

private:
  QWidget* m_window;
};

inline void AddCentringRows()
{
  QTest::addColumn<QPoint>("main_position");
  QTest::addColumn<QSize>("size_difference");  // main window's outer size minus the dialog's
  QTest::addColumn<QPoint>("offset");          // the dialog's position minus the main window's

  QTest::newRow("3 larger goes 1 in") << QPoint(300, 200) << QSize(3, 3) << QPoint(1, 1);
  QTest::newRow("3 smaller goes 1 out") << QPoint(300, 200) << QSize(-3, -3) << QPoint(-1, -1);
  QTest::newRow("1 smaller stays aligned") << QPoint(300, 200) << QSize(-1, -1) << QPoint(0, 0);
  QTest::newRow("even differences") << QPoint(100, 50) << QSize(300, 248) << QPoint(150, 124);
  QTest::newRow("taller but narrower") << QPoint(100, 50) << QSize(-5, 201) << QPoint(-2, 100);
  QTest::newRow("past the screen's edge") << QPoint(0, 0) << QSize(-101, -51) << QPoint(-50, -25);
}

// The dialog must be shown and not yet centred; `main_window` is a plain, hidden widget.
inline void CheckCentring(QWidget& dialog, QWidget& main_window)
{
  QFETCH(QPoint, main_position);
  QFETCH(QSize, size_difference);
  QFETCH(QPoint, offset);

  const QSize dialog_size = dialog.frameGeometry().size();
  main_window.setGeometry(QRect(main_position, dialog_size + size_difference));
  const QPoint start(7, 9);
  dialog.move(start);
  QCOMPARE(dialog.frameGeometry().topLeft(), start);

  const QPoint want = main_position + offset;
  MoveRecorder recorder(&dialog);
  dialog.repaint();
  const QList<QPoint> top_then_left = {QPoint(start.x(), want.y()), want};
  QCOMPARE(recorder.positions, top_then_left);
  QCOMPARE(dialog.frameGeometry().topLeft(), want);

  // At the centred position a paint moves nothing.
  recorder.positions.clear();
  dialog.repaint();
  QCOMPARE(recorder.positions, QList<QPoint>());
}

}  // namespace dialog_test
