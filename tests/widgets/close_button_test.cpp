// The close-kind button: its caption and picture, a click closes the window it
// is in, and it is neither the default nor the cancel button.
#include "widgets/close_button.h"

#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace vavizi
{

// A window that counts how often it was asked to close.
class CountingWindow : public QWidget
{
public:
  int closes = 0;

protected:
  void closeEvent(QCloseEvent* event) override
  {
    ++closes;
    QWidget::closeEvent(event);
  }
};

class CloseButtonTest : public QObject
{
  Q_OBJECT

private slots:
  void HasTheCloseCaptionAndPicture()
  {
    CloseButton button;
    QCOMPARE(button.text(), QStringLiteral("閉じる(&C)"));
    QVERIFY(!button.icon().isNull());
    QVERIFY(!button.isDefault());
    QVERIFY(!button.autoDefault());
  }

  void ClickClosesItsWindow()
  {
    CountingWindow window;
    auto* layout = new QVBoxLayout(&window);
    auto* inner = new QWidget(&window);  // the button closes its window, not its parent
    auto* inner_layout = new QVBoxLayout(inner);
    auto* button = new CloseButton(inner);
    inner_layout->addWidget(button);
    layout->addWidget(inner);
    window.show();
    // Without a window manager (Xvfb) nothing activates a window but the test itself.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(window.closes, 1);
    QVERIFY(!window.isVisible());
    QVERIFY(inner->isVisibleTo(&window));
  }

  void IsNeitherDefaultNorCancelInADialog()
  {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* button = new CloseButton(&dialog);
    layout->addWidget(button);
    QSignalSpy clicks(button, &QPushButton::clicked);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    button->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(clicks.count(), 0);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(clicks.count(), 0);
  }
};

}  // namespace vavizi

QTEST_MAIN(vavizi::CloseButtonTest)
#include "close_button_test.moc"
