#include "ui/QtCanvas.h"

#include <QFontDatabase>
#include <QHash>

#include "ui/GutterGlyphs.h"
#include "ui/QtColor.h"
#include "ui/Win1250Text.h"

QtCanvas::QtCanvas(QPaintDevice* device)
    : device_(device), font_(ResolveFont("FixedSys", 10)), metrics_(font_) {}

QtCanvas::~QtCanvas() { Flush(); }

void QtCanvas::SetDevice(QPaintDevice* device) {
  Flush();
  device_ = device;
}

void QtCanvas::Flush() {
  if (painter_.isActive()) painter_.end();
}

QPainter* QtCanvas::Painter() {
  if (device_ == nullptr) return nullptr;
  if (!painter_.isActive()) {
    if (!painter_.begin(device_)) return nullptr;
    painter_.setFont(font_);
    if (!clip_.isEmpty()) painter_.setClipRect(clip_);
    if (OnBeginPaint) OnBeginPaint();
  }
  return &painter_;
}

QFont QtCanvas::ResolveFont(const std::string& name, int pointSize) {
  // Asking the font database for every paint would be slow; the answer per face does not change.
  static QHash<QString, bool> known;
  const QString family = QString::fromStdString(name);
  auto it = known.find(family.toLower());
  if (it == known.end())
    it = known.insert(family.toLower(), QFontDatabase::families().contains(family, Qt::CaseInsensitive));
  QFont font = *it ? QFont(family) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(pointSize > 0 ? pointSize : 10);
  font.setBold(false);
  font.setItalic(false);
  // Whole-pixel advances keep the width of a text equal to the sum of its characters' widths, which
  // the editor's column arithmetic relies on.
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void QtCanvas::SetFont(const std::string& name, int size) {
  font_ = ResolveFont(name, size);
  metrics_ = QFontMetrics(font_, device_);
  if (painter_.isActive()) painter_.setFont(font_);
}

int QtCanvas::CellHeight() { return metrics_.height(); }

int QtCanvas::AverageCharWidth() { return metrics_.averageCharWidth(); }

int QtCanvas::TextWidth(std::string_view text) { return metrics_.horizontalAdvance(FromWin1250(text)); }

void QtCanvas::TextOut(int x, int y, std::string_view text, TColor fg, TColor bg) {
  QPainter* p = Painter();
  if (p == nullptr || text.empty()) return;
  const QString s = FromWin1250(text);
  p->fillRect(QRect(x, y, metrics_.horizontalAdvance(s), metrics_.height()), ToQColor(bg, palette_));
  p->setPen(ToQColor(fg, palette_));
  p->drawText(QPoint(x, y + metrics_.ascent()), s);
}

void QtCanvas::FillRect(int left, int top, int right, int bottom, TColor color) {
  QPainter* p = Painter();
  if (p == nullptr || right <= left || bottom <= top) return;
  p->fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), ToQColor(color, palette_));
}

void QtCanvas::SetPixel(int x, int y, TColor color) {
  if (QPainter* p = Painter()) {
    p->setPen(ToQColor(color, palette_));
    p->drawPoint(x, y);
  }
}

void QtCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
  if (QPainter* p = Painter()) {
    p->setPen(ToQColor(color, palette_));
    p->drawLine(x1, y1, x2, y2);
  }
}

void QtCanvas::DrawGlyph(int index, int x, int y) {
  const QImage& glyph = GutterGlyph(index);
  QPainter* p = Painter();
  if (p != nullptr && !glyph.isNull()) p->drawImage(x, y, glyph);
}

void QtCanvas::SetClip(int left, int top, int right, int bottom) {
  clip_ = right <= left || bottom <= top ? QRect() : QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
  if (!painter_.isActive()) return;
  if (clip_.isEmpty())
    painter_.setClipping(false);
  else
    painter_.setClipRect(clip_);
}
