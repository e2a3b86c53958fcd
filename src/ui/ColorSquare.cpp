#include "ui/ColorSquare.h"

#include <QPainter>

ColorSquare::ColorSquare(const QColor& color, const QString& caption, QWidget* parent)
    : QAbstractButton(parent), color_(color) {
  setText(caption);
  setFixedSize(13, 13);
  setFocusPolicy(Qt::NoFocus);
}

void ColorSquare::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  const bool down = isDown();
  p.fillRect(r, color_.isValid() ? color_ : palette().button().color());
  p.setPen(down ? palette().dark().color() : palette().light().color());
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(down ? palette().light().color() : palette().dark().color());
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  if (!text().isEmpty()) {
    QFont f = font();
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(isEnabled() ? palette().buttonText().color() : palette().color(QPalette::Disabled, QPalette::ButtonText));
    p.drawText(rect().translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
  }
}
