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

enum class PanelLook
{
  Label,
  Value,
  Message,
};

class Panel : public QFrame
{
  Q_OBJECT
  Q_PROPERTY(QColor color READ Color WRITE SetColor)
  Q_PROPERTY(QString text READ Text WRITE SetText)
  Q_PROPERTY(LookKind look READ LookProperty WRITE SetLookProperty)

public:
  // The looks as a window description names them.
  enum LookKind
  {
    LabelLook,
    ValueLook,
    MessageLook,
  };
  Q_ENUM(LookKind)

  static constexpr int BEVEL_WIDTH = 1;
  static constexpr int BORDER_WIDTH =
      2;  // the sunken single border, as drive-letter systems draw it

  explicit Panel(QWidget* parent = nullptr);
  Panel(PanelLook look, QWidget* parent = nullptr);

  [[nodiscard]] PanelLook Look() const { return m_look; }
  // Changes the look and schedules a repaint.
  void SetLook(PanelLook look);
  [[nodiscard]] LookKind LookProperty() const { return static_cast<LookKind>(m_look); }
  void SetLookProperty(LookKind look) { SetLook(static_cast<PanelLook>(look)); }

  [[nodiscard]] QColor Color() const { return m_color; }
  // Fills the panel inside its border and bevel with `color`; schedules a repaint if it changed.
  void SetColor(const QColor& color);

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
  PanelLook m_look = PanelLook::Label;
  QColor m_color;
  QString m_text;
};

}  // namespace vavizi
