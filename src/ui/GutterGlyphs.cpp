#include "ui/GutterGlyphs.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace {

constexpr int kSize = 16;

QImage Blank() {
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A hooked arrow: the line goes on in the row below.
QImage WrapMark() {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 0, 128), 1.5));
  QPainterPath path;
  path.moveTo(3, 3);
  path.lineTo(12, 3);
  path.quadTo(14, 3, 14, 6);
  path.lineTo(14, 9);
  path.quadTo(14, 12, 11, 12);
  path.lineTo(4, 12);
  p.drawPath(path);
  p.setBrush(QColor(0, 0, 128));
  p.drawPolygon(QPolygonF({QPointF(2, 12), QPointF(6, 9), QPointF(6, 15)}));
  return image;
}

QImage Label() {
  QImage image = Blank();
  QPainter p(&image);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(QColor(255, 255, 192));
  p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(11, 4), QPoint(15, 8), QPoint(11, 12), QPoint(1, 12)}));
  return image;
}

QImage OpenFolder() {
  QImage image = Blank();
  QPainter p(&image);
  p.setPen(QColor(96, 64, 0));
  p.setBrush(QColor(240, 200, 80));
  p.drawRect(1, 4, 12, 9);
  p.setBrush(QColor(255, 230, 130));
  p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
  return image;
}

// A small flag carrying the bookmark's number.
QImage Bookmark(int number) {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0, 64, 0));
  p.setBrush(QColor(0, 150, 60));
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
  QFont font;
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QString::number(number));
  return image;
}

}  // namespace

const QImage& GutterGlyph(int index) {
  static const std::array<QImage, 12> glyphs = [] {
    std::array<QImage, 12> g;
    g[0] = WrapMark();
    g[1] = Label();
    g[2] = OpenFolder();
    for (int n = 1; n <= 9; ++n) g[static_cast<std::size_t>(n + 2)] = Bookmark(n);
    return g;
  }();
  static const QImage none;
  if (index < 0 || index >= static_cast<int>(glyphs.size())) return none;
  return glyphs[static_cast<std::size_t>(index)];
}
