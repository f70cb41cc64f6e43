// The version dialog: its version text to the character, OK, Enter and the close box hiding it
// while Escape does nothing, its icon and layout, and its centring over the main window on every
// paint.
#include "Unit2.h"

#include "dialog_test.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <memory>

namespace
{

enum class Press
{
  ClickOk,
  EnterOnOk,
  ReturnOnDialog,
  CloseBox,
  EscapeOnOk,
  EscapeOnDialog,
};

}  // namespace

Q_DECLARE_METATYPE(Press)

class TAboutBoxTest : public QObject
{
  Q_OBJECT

private:
  std::unique_ptr<TAboutBox> m_dialog;

  QLabel* Label(const char* name) const
  {
    return m_dialog->findChild<QLabel*>(QString::fromLatin1(name));
  }
  QPushButton* OKButton() const
  {
    return m_dialog->findChild<QPushButton*>(QStringLiteral("OKButton"));
  }
  void Show()
  {
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
  }

private slots:
  void initTestCase() { dialog_test::PrepareAsTheProgram(); }
  void init() { m_dialog = std::make_unique<TAboutBox>(); }
  void cleanup() { m_dialog.reset(); }

  // Full-width "Ｖｅｒ．", an ideographic space, full-width "１．" and a half-width 3.
  void VersionTextIsExact()
  {
    const QString want = QString::fromUtf16(u"\uFF36\uFF45\uFF52\uFF0E\u3000\uFF11\uFF0E\u0033");
    QCOMPARE(Label("Version")->text(), want);
    QCOMPARE(Label("ProductName")->text(), QStringLiteral("VAVIZI"));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  }

  void KeysAndButtons_data()
  {
    QTest::addColumn<Press>("press");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("OK hides") << Press::ClickOk << true;
    QTest::newRow("Enter on OK hides") << Press::EnterOnOk << true;
    QTest::newRow("Return on the dialog hides") << Press::ReturnOnDialog << true;
    QTest::newRow("close box hides") << Press::CloseBox << true;
    QTest::newRow("Escape on OK does nothing") << Press::EscapeOnOk << false;
    QTest::newRow("Escape on the dialog does nothing") << Press::EscapeOnDialog << false;
  }
  void KeysAndButtons()
  {
    QFETCH(Press, press);
    QFETCH(bool, hidden);
    Show();
    QCOMPARE(m_dialog->isModal(), false);
    switch (press)
    {
      case Press::ClickOk:
        QTest::mouseClick(OKButton(), Qt::LeftButton);
        break;
      case Press::EnterOnOk:
        QTest::keyClick(OKButton(), Qt::Key_Enter);
        break;
      case Press::ReturnOnDialog:
        QTest::keyClick(m_dialog.get(), Qt::Key_Return);
        break;
      case Press::CloseBox:
        m_dialog->close();
        break;
      case Press::EscapeOnOk:
        QTest::keyClick(OKButton(), Qt::Key_Escape);
        break;
      case Press::EscapeOnDialog:
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        break;
    }
    QCOMPARE(m_dialog->isHidden(), hidden);
  }

  void ShownAgainAfterOk()
  {
    Show();
    QTest::mouseClick(OKButton(), Qt::LeftButton);
    Show();
    QVERIFY(m_dialog->isVisible());
  }

  void IsAFixedDialogWithCloseBoxOnly()
  {
    Show();
    QCOMPARE(m_dialog->size(), QSize(298, 184));
    QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
    const Qt::WindowFlags flags = m_dialog->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
  }

  // The labels size themselves to their text; every one must still lie inside the panel's bevel.
  void LabelsFitInsideThePanel_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("ProductName") << QStringLiteral("ProductName") << QPoint(80, 24);
    QTest::newRow("Version") << QStringLiteral("Version") << QPoint(120, 48);
    QTest::newRow("third line") << QStringLiteral("Comments") << QPoint(80, 80);
  }
  void LabelsFitInsideThePanel()
  {
    QFETCH(QString, name);
    QFETCH(QPoint, position);
    const auto* panel = m_dialog->findChild<QFrame*>(QStringLiteral("Panel1"));
    const auto* label = m_dialog->findChild<QLabel*>(name);
    QVERIFY(panel && label);
    QCOMPARE(label->parentWidget(), panel);
    QCOMPARE(label->pos(), position);
    QVERIFY(!label->text().isEmpty());
    QVERIFY2(
        panel->contentsRect().contains(label->geometry()),
        qPrintable(QStringLiteral("%1 ends at x %2").arg(name).arg(label->geometry().right())));
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
  }

  // 32 x 32 in at most 16 colours, shown stretched to the 33 x 33 picture.
  void IconIsSixteenColoursStretched()
  {
    const QImage icon(QStringLiteral(":/vavizi.png"));
    QCOMPARE(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y)
      for (int x = 0; x < icon.width(); ++x)
        colours.insert(icon.pixel(x, y));
    QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));

    const QPixmap shown = Label("ProgramIcon")->pixmap();
    QCOMPARE(shown.size(), QSize(33, 33));
    QSet<QRgb> shown_colours;
    const QImage shown_image = shown.toImage();
    for (int y = 0; y < shown_image.height(); ++y)
      for (int x = 0; x < shown_image.width(); ++x)
        shown_colours.insert(shown_image.pixel(x, y));
    QVERIFY(shown_colours.size() <= colours.size());
  }

  void PaintCentresOverMainWindow_data() { dialog_test::AddCentringRows(); }
  void PaintCentresOverMainWindow()
  {
    QWidget main_window;
    m_dialog->SetMainWindow(&main_window);
    Show();
    dialog_test::CheckCentring(*m_dialog, main_window);
  }

  void PaintWithoutMainWindowMovesNothing()
  {
    Show();
    m_dialog->move(40, 30);
    dialog_test::MoveRecorder recorder(m_dialog.get());
    m_dialog->repaint();
    QCOMPARE(recorder.positions, QList<QPoint>());
  }

  void Screenshot()
  {
    const QString folder = dialog_test::ScreenshotFolder();
    if (folder.isEmpty())
      QSKIP("VAVIZI_SCREENSHOT_DIR is not set");
    Show();
    QVERIFY(m_dialog->grab().save(QDir(folder).filePath(QStringLiteral("version-dialog.png"))));
  }
};

QTEST_MAIN(TAboutBoxTest)
#include "unit2_test.moc"
