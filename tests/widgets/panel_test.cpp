// The panel: a repaint only when the text really changes, the immediate repaint, and the three
// looks, set through the Qt properties, told apart by the pixels of their edges.
#include "widgets/panel.h"

#include <QImage>
#include <QtTest>

namespace vavizi
{

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
  int paints = 0;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (event->type() == QEvent::Paint)
    {
      ++paints;
    }
    return QObject::eventFilter(watched, event);
  }
};

class PanelTest : public QObject
{
  Q_OBJECT

private slots:
  void RepaintsOnlyWhenTheTextChanges()
  {
    Panel panel(Panel::ValueLook);
    panel.resize(65, 25);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCoreApplication::processEvents();
    PaintCounter counter;
    panel.installEventFilter(&counter);

    panel.SetText(QStringLiteral(" 12%"));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 1);
    for (int sector = 0; sector < 1000; ++sector)
    {
      panel.SetText(QStringLiteral(" 12%"));
      panel.SetText(std::string(" 12%"));
      panel.SetText(" 12%");
    }
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 1);
    panel.SetText(std::string("変換済"));
    QCOMPARE(panel.Text(), QStringLiteral("変換済"));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 2);
  }

  void RepaintNowPaintsBeforeReturning()
  {
    Panel panel(Panel::MessageLook);
    panel.resize(100, 25);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCoreApplication::processEvents();
    PaintCounter counter;
    panel.installEventFilter(&counter);
    panel.SetText("00:01");
    panel.RepaintNow();
    QCOMPARE(counter.paints, 1);
  }

  void DrawsEachLook_data()
  {
    QTest::addColumn<int>("look");
    QTest::addColumn<bool>("sunken_border");
    QTest::addColumn<bool>("raised_bevel");
    QTest::newRow("label") << static_cast<int>(Panel::LabelLook) << false << true;
    QTest::newRow("value") << static_cast<int>(Panel::ValueLook) << true << true;
    QTest::newRow("message") << static_cast<int>(Panel::MessageLook) << true << false;
  }

  void DrawsEachLook()
  {
    QFETCH(int, look);
    QFETCH(bool, sunken_border);
    QFETCH(bool, raised_bevel);
    const QColor fill(231, 231, 231);
    // Set as a window description sets them: through the Qt properties.
    Panel panel;
    QVERIFY(panel.setProperty("look", QVariant::fromValue(static_cast<Panel::Look>(look))));
    QVERIFY(panel.setProperty("color", QVariant(fill)));
    QVERIFY(panel.setProperty("text", QVariant(QStringLiteral(" "))));
    QCOMPARE(panel.CurrentLook(), static_cast<Panel::Look>(look));
    QCOMPARE(panel.Text(), QStringLiteral(" "));
    panel.resize(40, 20);
    const QImage image = panel.grab().toImage();
    const QPalette& colours = panel.palette();
    const auto at = [&image](int x, int y) { return image.pixel(x, y); };

    // Inside the edges: the background colour.
    QCOMPARE(at(20, 10), fill.rgb());
    const int border = sunken_border ? Panel::BORDER_WIDTH : 0;
    if (sunken_border)
    {
      // Sunken: dark along the top and left, light along the bottom and right.
      QCOMPARE(at(0, 10), colours.color(QPalette::Dark).rgb());
      QCOMPARE(at(39, 10), colours.color(QPalette::Light).rgb());
    }
    if (raised_bevel)
    {
      // Raised: light along the top and left, dark along the bottom and right.
      QCOMPARE(at(border, 10), colours.color(QPalette::Light).rgb());
      QCOMPARE(at(39 - border, 10), colours.color(QPalette::Dark).rgb());
    }
    else
    {
      QCOMPARE(at(border, 10), fill.rgb());
    }
  }

  void ValueTextIsBlack()
  {
    Panel panel(Panel::ValueLook);
    QPalette colours = panel.palette();
    colours.setColor(QPalette::WindowText, Qt::red);
    panel.setPalette(colours);
    panel.SetColor(Qt::white);
    panel.SetText(QStringLiteral("■■■■"));
    panel.resize(80, 25);
    const QImage image = panel.grab().toImage();
    bool black = false;
    bool red = false;
    for (int x = 0; x < image.width(); ++x)
    {
      black = black || image.pixelColor(x, 12) == QColor(Qt::black);
      red = red || image.pixelColor(x, 12) == QColor(Qt::red);
    }
    QVERIFY(black);
    QVERIFY(!red);
  }
};

}  // namespace vavizi

QTEST_MAIN(vavizi::PanelTest)
#include "panel_test.moc"
