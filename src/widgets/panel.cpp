// The panel, drawn by hand so that its border and bevel are exactly those of the three looks.
#include "widgets/panel.h"

#include "platform/display_name.h"

#include <QPainter>
#include <qdrawutil.h>

namespace vavizi
{

Panel::Panel(QWidget* parent) : Panel(LabelLook, parent) {}

Panel::Panel(Look look, QWidget* parent)
    : QFrame(parent), m_look(look), m_color(palette().color(QPalette::Button))
{
  setFrameShape(QFrame::NoFrame);
}

void Panel::SetLook(Look look)
{
  if (look != m_look)
  {
    m_look = look;
    update();
  }
}

void Panel::SetColor(const QColor& color)
{
  if (color != m_color)
  {
    m_color = color;
    update();
  }
}

void Panel::SetText(const QString& text)
{
  if (text != m_text)
  {
    m_text = text;
    update();
  }
}

void Panel::SetText(const std::string& text)
{
  // Messages name paths, whose bytes may be CP932.
  SetText(DisplayText(text));
}

void Panel::SetText(const char* text)
{
  SetText(QString::fromUtf8(text));
}

void Panel::RepaintNow()
{
  repaint();
}

QSize Panel::sizeHint() const
{
  return {65, 25};
}

void Panel::paintEvent(QPaintEvent* /*event*/)
{
  QPainter painter(this);
  QRect area = rect();
  const QPalette& colours = palette();

  if (m_look == ValueLook || m_look == MessageLook)
  {
    qDrawWinPanel(&painter, area, colours, true);
    area.adjust(BORDER_WIDTH, BORDER_WIDTH, -BORDER_WIDTH, -BORDER_WIDTH);
  }
  painter.fillRect(area, m_color);
  if (m_look == LabelLook || m_look == ValueLook)
  {
    qDrawShadeRect(&painter, area, colours, false, BEVEL_WIDTH);
    area.adjust(BEVEL_WIDTH, BEVEL_WIDTH, -BEVEL_WIDTH, -BEVEL_WIDTH);
  }

  painter.setPen(m_look == ValueLook ? QColor(Qt::black) : colours.color(QPalette::WindowText));
  painter.setFont(font());
  painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, m_text);
}

}  // namespace vavizi
