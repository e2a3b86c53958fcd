#include "ui/ToolIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

constexpr int kSize = 16;
const QColor kInk(40, 40, 40);
const QColor kBlue(29, 79, 145);
const QColor kPaper(255, 255, 255);

QIcon Draw(const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(kSize * 2, kSize * 2);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(2, 2);
  paint(p);
  p.end();
  pixmap.setDevicePixelRatio(2);
  return QIcon(pixmap);
}

void Sheet(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(r);
}

void TextLines(QPainter& p, double x, double y, double w, int count) {
  p.setPen(QPen(QColor(120, 140, 180), 1));
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(x, y + 2.5 * i), QPointF(x + w, y + 2.5 * i));
}

void Letter(QPainter& p, const QString& text, bool bold, bool italic, bool underline, int pixelSize = 12) {
  QFont f(QStringLiteral("DejaVu Serif"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  p.setFont(f);
  p.setPen(kInk);
  p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void Alignment(QPainter& p, int mode) {
  p.setPen(QPen(kInk, 1.2));
  const double widths[] = {12, 8, 12, 6, 12};
  for (int i = 0; i < 5; ++i) {
    const double w = mode == 3 ? 12 : widths[i];
    const double x = mode == 0 ? 2 : mode == 1 ? 8 - w / 2 : mode == 2 ? 14 - w : 2;
    p.drawLine(QPointF(x, 3.5 + 2.5 * i), QPointF(x + w, 3.5 + 2.5 * i));
  }
}

void Indent(QPainter& p, bool increase) {
  TextLines(p, 7, 3.5, 7, 5);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  if (increase)
    p.drawPolygon(QPolygonF({QPointF(1.5, 5), QPointF(5.5, 8.5), QPointF(1.5, 12)}));
  else
    p.drawPolygon(QPolygonF({QPointF(5.5, 5), QPointF(1.5, 8.5), QPointF(5.5, 12)}));
}

}  // namespace

QIcon ToolIcon(const QString& name) {
  if (name == QLatin1String("dokument1"))
    return Draw([](QPainter& p) {
      Sheet(p, QRectF(3.5, 1.5, 9, 13));
      TextLines(p, 5.5, 5, 5, 3);
    });
  if (name == QLatin1String("Otwrz1"))
    return Draw([](QPainter& p) {
      p.setPen(QPen(QColor(120, 80, 0), 1));
      p.setBrush(QColor(240, 200, 80));
      p.drawRect(QRectF(1.5, 4.5, 11, 9));
      p.setBrush(QColor(255, 230, 130));
      p.drawPolygon(QPolygonF({QPointF(4, 7.5), QPointF(15, 7.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)}));
    });
  if (name == QLatin1String("Zapisz1"))
    return Draw([](QPainter& p) {
      p.setPen(QPen(kInk, 1));
      p.setBrush(kBlue);
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(3.5, 9.5, 9, 5));
    });
  if (name == QLatin1String("Drukuj1"))
    return Draw([](QPainter& p) {
      Sheet(p, QRectF(4.5, 1.5, 7, 6));
      p.setBrush(QColor(190, 190, 190));
      p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
      Sheet(p, QRectF(4.5, 10.5, 7, 4));
    });
  if (name == QLatin1String("Kopiuj1"))
    return Draw([](QPainter& p) {
      Sheet(p, QRectF(1.5, 1.5, 8, 10));
      Sheet(p, QRectF(6.5, 4.5, 8, 10));
      TextLines(p, 8.5, 8, 4, 2);
    });
  if (name == QLatin1String("Wytnij1"))
    return Draw([](QPainter& p) {
      p.setPen(QPen(kInk, 1.2));
      p.drawLine(QPointF(4, 1.5), QPointF(10.5, 10));
      p.drawLine(QPointF(12, 1.5), QPointF(5.5, 10));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(kBlue, 1.4));
      p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
      p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
    });
  if (name == QLatin1String("Wklej1"))
    return Draw([](QPainter& p) {
      p.setPen(QPen(QColor(100, 70, 20), 1));
      p.setBrush(QColor(200, 150, 80));
      p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
      p.setBrush(QColor(160, 160, 160));
      p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
      Sheet(p, QRectF(6.5, 6.5, 8, 8));
    });
  if (name == QLatin1String("Cofnij1"))
    return Draw([](QPainter& p) {
      p.setPen(QPen(kBlue, 1.8));
      p.setBrush(Qt::NoBrush);
      QPainterPath path;
      path.moveTo(4, 7);
      path.cubicTo(9, 2.5, 15, 6, 12.5, 13);
      p.drawPath(path);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(1, 4), QPointF(7, 4), QPointF(3, 10)}));
    });
  if (name == QLatin1String("Uruchom1"))
    return Draw([](QPainter& p) {
      p.setPen(QPen(QColor(0, 90, 0), 1));
      p.setBrush(QColor(40, 170, 60));
      p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 8), QPointF(4, 14)}));
    });
  if (name == QLatin1String("Ustawienia1"))
    return Draw([](QPainter& p) {
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(170, 170, 180));
      QPainterPath gear;
      for (int i = 0; i < 8; ++i) {
        QTransform t;
        t.translate(8, 8);
        t.rotate(45.0 * i);
        gear.addPolygon(t.map(QPolygonF({QPointF(-1.6, -7), QPointF(1.6, -7), QPointF(1.6, -4), QPointF(-1.6, -4)})));
      }
      gear.addEllipse(QPointF(8, 8), 5, 5);
      p.drawPath(gear.simplified());
      p.setBrush(kPaper);
      p.drawEllipse(QPointF(8, 8), 2, 2);
    });
  if (name == QLatin1String("Zmniejszwcicie1")) return Draw([](QPainter& p) { Indent(p, false); });
  if (name == QLatin1String("Zwikszwcicie1")) return Draw([](QPainter& p) { Indent(p, true); });
  if (name == QLatin1String("dolewej1")) return Draw([](QPainter& p) { Alignment(p, 0); });
  if (name == QLatin1String("centruj1")) return Draw([](QPainter& p) { Alignment(p, 1); });
  if (name == QLatin1String("doprawej1")) return Draw([](QPainter& p) { Alignment(p, 2); });
  if (name == QLatin1String("justuj1")) return Draw([](QPainter& p) { Alignment(p, 3); });
  if (name == QLatin1String("Pogrubiona1")) return Draw([](QPainter& p) { Letter(p, QStringLiteral("B"), true, false, false); });
  if (name == QLatin1String("Kursywa1")) return Draw([](QPainter& p) { Letter(p, QStringLiteral("I"), false, true, false); });
  if (name == QLatin1String("Podkrelona1")) return Draw([](QPainter& p) { Letter(p, QStringLiteral("U"), false, false, true); });
  if (name.size() == 3 && name.startsWith('H') && name.endsWith('1'))
    return Draw([&name](QPainter& p) { Letter(p, QStringLiteral("H") + name[1], true, false, false, 9); });
  return {};
}

namespace {

void PaintProgramPicture(QPainter& p, double scale) {
  p.save();
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kBlue, 2.5));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(8, 4, 42, 54), 3, 3);
  p.setPen(QPen(QColor(155, 179, 214), 2.5, Qt::SolidLine, Qt::RoundCap));
  const double ends[] = {40, 36, 30, 26};
  for (int i = 0; i < 4; ++i) p.drawLine(QPointF(14, 16 + 8 * i), QPointF(ends[i], 16 + 8 * i));
  QPainterPath quill;
  quill.moveTo(56, 6);
  quill.cubicTo(44, 12, 34, 28, 28, 48);
  quill.lineTo(32, 49);
  quill.cubicTo(38, 32, 48, 18, 58, 9);
  quill.closeSubpath();
  p.setPen(QPen(QColor(138, 90, 18), 1.5));
  p.setBrush(QColor(232, 161, 58));
  p.drawPath(quill);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(51, 51, 51));
  p.drawPolygon(QPolygonF({QPointF(28, 48), QPointF(26, 56), QPointF(32, 49)}));
  p.restore();
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    PaintProgramPicture(p, size / 64.0);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QPixmap LogoPixmap(int height) {
  const int pictureSize = height;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(height * 11 / 20);
  font.setBold(true);
  const QString name = QStringLiteral("Quillpad");
  const int textWidth = QFontMetrics(font).horizontalAdvance(name);
  QPixmap pixmap(pictureSize + 4 + textWidth, height);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  PaintProgramPicture(p, pictureSize / 64.0);
  p.setFont(font);
  p.setPen(kBlue);
  p.drawText(QRect(pictureSize + 4, 0, textWidth, height), Qt::AlignVCenter | Qt::AlignLeft, name);
  return pixmap;
}
