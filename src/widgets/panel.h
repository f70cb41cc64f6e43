// A panel showing one line of text centred over a background colour, in the three looks of the
// main window: a label (raised one-pixel bevel), a value (sunken single border around a raised
// one-pixel bevel, black text) and the message panel (sunken single border only). Setting the text
// it already shows costs nothing; a conversion sets its figures once per sector.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

#include <string>

namespace vavizi
{

// The look, colour and text are also Qt properties ("look", "color", "text") so that window
// descriptions can set them.
class Panel : public QFrame
{
  Q_OBJECT
  Q_PROPERTY(Look look READ CurrentLook WRITE SetLook)
  Q_PROPERTY(QColor color READ Color WRITE SetColor)
  Q_PROPERTY(QString text READ Text WRITE SetText)

public:
  enum Look
  {
    LabelLook,    // raised one-pixel bevel, no border
    ValueLook,    // sunken single border around a raised one-pixel bevel, black text
    MessageLook,  // sunken single border, no bevel
  };
  Q_ENUM(Look)

  static constexpr int BEVEL_WIDTH = 1;
  // The sunken single border, two pixels as drive-letter systems draw it.
  static constexpr int BORDER_WIDTH = 2;

  // A label panel in the button colour, empty.
  explicit Panel(QWidget* parent = nullptr);
  // An empty panel of `look` in the button colour.
  explicit Panel(Look look, QWidget* parent = nullptr);

  // The look drawn.
  [[nodiscard]] Look CurrentLook() const { return m_look; }
  // Changes the look; schedules a repaint if it changed.
  void SetLook(Look look);

  // The background colour inside the border and bevel.
  [[nodiscard]] QColor Color() const { return m_color; }
  // Fills the panel inside its border and bevel with `color`; schedules a repaint if it changed.
  void SetColor(const QColor& color);

  // The text shown.
  [[nodiscard]] QString Text() const { return m_text; }
  // Shows `text`; a repaint is scheduled only when it differs from the text shown.
  void SetText(const QString& text);
  // The same for UTF-8 text.
  void SetText(const std::string& text);
  void SetText(const char* text);

  // Paints the panel now, before returning, without processing other events.
  void RepaintNow();

  [[nodiscard]] QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  Look m_look = LabelLook;
  QColor m_color;
  QString m_text;
};

}  // namespace vavizi
