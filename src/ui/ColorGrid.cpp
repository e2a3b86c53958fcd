#include "ui/ColorGrid.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/SetupValues.h"
#include "ui/QtColor.h"

ColorGrid::ColorGrid(QWidget* parent) : QWidget(parent) {
  setFixedSize(sizeHint());
  setFocusPolicy(Qt::NoFocus);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void ColorGrid::SetForegroundIndex(int index) {
  foreground_ = index >= 0 && index < 16 ? index : -1;
  update();
  emit Changed();
}

void ColorGrid::SetBackgroundIndex(int index) {
  background_ = index >= 0 && index < 16 ? index : -1;
  update();
  emit Changed();
}

TColor ColorGrid::ForegroundColor() const {
  return kBasicColors[static_cast<std::size_t>(foreground_ < 0 ? 0 : foreground_)];
}

TColor ColorGrid::BackgroundColor() const {
  return kBasicColors[static_cast<std::size_t>(background_ < 0 ? 15 : background_)];
}

QRect ColorGrid::CellRect(int index) const { return {(index % 4) * kCell, (index / 4) * kCell, kCell, kCell}; }

void ColorGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QFont f = font();
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  for (int i = 0; i < 16; ++i) {
    const QRect r = CellRect(i);
    const QColor color = ToQColor(kBasicColors[static_cast<std::size_t>(i)]);
    p.fillRect(r, color);
    p.setPen(palette().dark().color());
    p.drawRect(r);
    QString mark;
    if (i == foreground_) mark += QStringLiteral("FG");
    if (i == background_) mark += mark.isEmpty() ? QStringLiteral("BG") : QStringLiteral("\nBG");
    if (mark.isEmpty()) continue;
    // The mark in black or white, whichever stands out on the square.
    p.setPen(color.lightness() > 128 ? Qt::black : Qt::white);
    p.drawText(r, Qt::AlignCenter, mark);
  }
}

void ColorGrid::mousePressEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  if (at.x() < 0 || at.y() < 0 || at.x() >= 4 * kCell || at.y() >= 4 * kCell) return;
  const int index = (at.y() / kCell) * 4 + at.x() / kCell;
  if (e->button() == Qt::LeftButton)
    SetForegroundIndex(index);
  else if (e->button() == Qt::RightButton)
    SetBackgroundIndex(index);
}
