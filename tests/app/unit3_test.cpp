// The description dialog: how each way of leaving it sets Tag and hides it, the text kept from one
// showing to the next, its size and frame, and its centring over the main window on every paint.
#include "Unit3.h"

#include "dialog_test.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace
{

enum class Leave
{
  EnterInEdit1,
  ReturnInEdit1,
  EscapeInEdit1,
  EscapeOnButton1,
  ClickButton1,
  ClickButton2,
  CloseBox,
};

}  // namespace

Q_DECLARE_METATYPE(Leave)

class TForm3Test : public QObject
{
  Q_OBJECT

private:
  std::unique_ptr<TForm3> m_dialog;

  QLineEdit* Edit1() const { return m_dialog->findChild<QLineEdit*>(QStringLiteral("Edit1")); }
  QPushButton* Button(const char* name) const
  {
    return m_dialog->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  // Shows the dialog the way the conversion does: Tag 0, not modal.
  void ShowWaiting()
  {
    m_dialog->SetTag(0);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
  }

private slots:
  void initTestCase() { dialog_test::PrepareAsTheProgram(); }
  void init() { m_dialog = std::make_unique<TForm3>(); }
  void cleanup() { m_dialog.reset(); }

  void LeavingSetsTagAndHides_data()
  {
    QTest::addColumn<Leave>("leave");
    QTest::addColumn<int>("tag");
    QTest::newRow("Enter in Edit1 starts") << Leave::EnterInEdit1 << 1;
    QTest::newRow("Return in Edit1 starts") << Leave::ReturnInEdit1 << 1;
    QTest::newRow("Esc in Edit1 cancels") << Leave::EscapeInEdit1 << 2;
    QTest::newRow("Esc on Button1 cancels") << Leave::EscapeOnButton1 << 2;
    QTest::newRow("Button1 starts") << Leave::ClickButton1 << 1;
    QTest::newRow("Button2 cancels") << Leave::ClickButton2 << 2;
    QTest::newRow("close box cancels") << Leave::CloseBox << 2;
  }
  void LeavingSetsTagAndHides()
  {
    QFETCH(Leave, leave);
    QFETCH(int, tag);
    ShowWaiting();
    QCOMPARE(m_dialog->isModal(), false);
    switch (leave)
    {
      case Leave::EnterInEdit1:
      case Leave::ReturnInEdit1:
      case Leave::EscapeInEdit1:
        Edit1()->setFocus();
        QTest::keyClick(Edit1(), leave == Leave::EnterInEdit1    ? Qt::Key_Enter
                                 : leave == Leave::ReturnInEdit1 ? Qt::Key_Return
                                                                 : Qt::Key_Escape);
        break;
      case Leave::EscapeOnButton1:
        Button("Button1")->setFocus();
        QTest::keyClick(Button("Button1"), Qt::Key_Escape);
        break;
      case Leave::ClickButton1:
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        break;
      case Leave::ClickButton2:
        QTest::mouseClick(Button("Button2"), Qt::LeftButton);
        break;
      case Leave::CloseBox:
        QVERIFY(m_dialog->close());
        break;
    }
    QCOMPARE(m_dialog->Tag(), tag);
    QVERIFY(m_dialog->isHidden());
  }

  // The text is never reset: each showing offers what the last one left, started or cancelled.
  void TextIsKeptBetweenShowings()
  {
    QCOMPARE(m_dialog->Edit1Text(), QStringLiteral("ＩＳＯｔｏRID"));

    ShowWaiting();
    // Japanese arrives from the input method as a commit, which inserts it like this.
    Edit1()->selectAll();
    Edit1()->insert(QStringLiteral("ゲーム 第1巻"));
    QTest::keyClick(Edit1(), Qt::Key_Return);
    QCOMPARE(m_dialog->Tag(), 1);

    ShowWaiting();
    QCOMPARE(m_dialog->Edit1Text(), QStringLiteral("ゲーム 第1巻"));
    QTest::keyClicks(Edit1(), QStringLiteral(" 2"));
    QTest::keyClick(Edit1(), Qt::Key_Escape);
    QCOMPARE(m_dialog->Tag(), 2);

    ShowWaiting();
    QCOMPARE(m_dialog->Edit1Text(), QStringLiteral("ゲーム 第1巻 2"));
  }

  // The box keeps all of a long text; the header takes what fits.
  void Edit1HasNoLengthLimit()
  {
    const QString long_text(40000, QLatin1Char('x'));
    Edit1()->setText(long_text);
    QCOMPARE(m_dialog->Edit1Text(), long_text);
  }

  void IsAFixedDialogWithCloseBoxOnly()
  {
    ShowWaiting();
    QCOMPARE(m_dialog->size(), QSize(394, 109));
    QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
    const Qt::WindowFlags flags = m_dialog->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("変換開始時の説明入力"));
  }

  void TabGoesButton1Button2Edit1()
  {
    const QList<QWidget*> want = {Button("Button2"), Edit1(), Button("Button1")};
    QList<QWidget*> order;
    QWidget* widget = Button("Button1");
    while (order.size() < want.size())
    {
      widget = widget->nextInFocusChain();
      if (widget->focusPolicy() & Qt::TabFocus)
        order.append(widget);
    }
    QCOMPARE(order, want);
  }

  void PaintCentresOverMainWindow_data() { dialog_test::AddCentringRows(); }
  void PaintCentresOverMainWindow()
  {
    QWidget main_window;
    m_dialog->SetMainWindow(&main_window);
    ShowWaiting();
    dialog_test::CheckCentring(*m_dialog, main_window);
  }

  void PaintWithoutMainWindowMovesNothing()
  {
    ShowWaiting();
    m_dialog->move(40, 30);
    dialog_test::MoveRecorder recorder(m_dialog.get());
    m_dialog->repaint();
    QCOMPARE(recorder.positions, QList<QPoint>());
    QCOMPARE(m_dialog->frameGeometry().topLeft(), QPoint(40, 30));
  }

  void Screenshot()
  {
    const QString folder = dialog_test::ScreenshotFolder();
    if (folder.isEmpty())
      QSKIP("VAVIZI_SCREENSHOT_DIR is not set");
    ShowWaiting();
    QVERIFY(m_dialog->grab().save(QDir(folder).filePath(QStringLiteral("description-dialog.png"))));
  }
};

QTEST_MAIN(TForm3Test)
#include "unit3_test.moc"
