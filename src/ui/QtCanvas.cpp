#include "ui/QtCanvas.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QHash>
#include <cstring>

#include "editor/ForeignMarks.h"
#include "ui/GutterGlyphs.h"
#include "ui/QtColor.h"
#include "ui/Win1250Text.h"

QtCanvas::QtCanvas(QPaintDevice* device)
    : device_(device), font_(ResolveFont("FixedSys", 10)), metrics_(font_), cellHeight_(metrics_.height()),
      ascent_(metrics_.ascent()) {}

QtCanvas::~QtCanvas() { Flush(); }

void QtCanvas::SetDevice(QPaintDevice* device) {
  Flush();
  device_ = device;
}

void QtCanvas::Flush() {
  if (painter_.isActive()) {
    FlushRun();
    painter_.end();
  }
}

QPainter* QtCanvas::Painter() {
  if (device_ == nullptr) return nullptr;
  if (!painter_.isActive()) {
    if (!painter_.begin(device_)) return nullptr;
    painter_.setFont(font_);
    penSet_ = false;
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

QtCanvas::MeasuredFont& QtCanvas::Measured(const std::string& name, int size) {
  for (const auto& f : fonts_) {
    if (f->name == name && f->size == size) return *f;
  }
  auto f = std::make_unique<MeasuredFont>();
  f->name = name;
  f->size = size;
  f->font = ResolveFont(name, size);
  f->metrics = QFontMetrics(f->font, device_);
  f->raw = QRawFont::fromFont(f->font);
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const QString text = FromWin1250(std::string_view(&byte, 1));
    f->advance[static_cast<std::size_t>(b)] = f->metrics.horizontalAdvance(text);
    if (b >= 32 && f->raw.isValid()) {
      const QList<quint32> glyphs = f->raw.glyphIndexesForString(text);
      if (glyphs.size() == 1) f->glyph[static_cast<std::size_t>(b)] = glyphs[0];
    }
  }
  // A foreign-character mark takes a cell of one average character, or two for a wide character;
  // CharacterOut draws the real character there.
  const int cell = std::max(1, f->metrics.averageCharWidth());
  f->advance[static_cast<unsigned char>(kMarkByte)] = cell;
  f->advance[static_cast<unsigned char>(kWideMarkByte)] = 2 * cell;
  f->glyph[static_cast<unsigned char>(kMarkByte)] = f->glyph[static_cast<unsigned char>(kWideMarkByte)] = 0;
  if (fonts_.size() >= 4) fonts_.erase(fonts_.begin());
  fonts_.push_back(std::move(f));
  return *fonts_.back();
}

void QtCanvas::SetFont(const std::string& name, int size) {
  // The editor selects its font on every paint (and the gutter's small one in between): only a real
  // change costs anything.
  if (current_ != nullptr && current_->name == name && current_->size == size) return;
  FlushRun();
  current_ = &Measured(name, size);
  font_ = current_->font;
  metrics_ = current_->metrics;
  cellHeight_ = metrics_.height();
  ascent_ = metrics_.ascent();
  if (painter_.isActive()) painter_.setFont(font_);
}

int QtCanvas::Width(std::string_view text) const {
  if (current_ == nullptr) return metrics_.horizontalAdvance(FromWin1250(text));
  int w = 0;
  for (char c : text) w += current_->advance[static_cast<unsigned char>(c)];
  return w;
}

int QtCanvas::CellHeight() { return cellHeight_; }

int QtCanvas::AverageCharWidth() { return metrics_.averageCharWidth(); }

int QtCanvas::TextWidth(std::string_view text) { return Width(text); }

void QtCanvas::TextOut(int x, int y, std::string_view text, TColor fg, TColor bg) {
  QPainter* p = Painter();
  if (p == nullptr || text.empty()) return;
  // Blanks only show their background; the editor clears every line's end with 1024 of them.
  const bool blank = text.find_first_not_of(' ') == std::string_view::npos;
  const int width = blank && current_ != nullptr ? static_cast<int>(text.size()) * current_->advance[' ']
                                                 : Width(text);
  // Every byte needs a glyph of the font itself to be placed directly; otherwise Qt shapes the text
  // and finds a fallback font.
  if (OnDrawn) OnDrawn(QRect(x, y, width, cellHeight_));
  bool direct = current_ != nullptr && current_->raw.isValid();
  for (std::size_t i = 0; direct && !blank && i < text.size(); ++i) {
    direct = text[i] == ' ' || current_->glyph[static_cast<unsigned char>(text[i])] != 0;
  }
  if (!direct) {
    FlushRun();
    p->fillRect(QRect(x, y, width, cellHeight_), ToQColor(bg, palette_));
    if (blank) return;
    SetPen(fg);
    p->drawText(QPoint(x, y + ascent_), FromWin1250(text));
    return;
  }
  const bool joins = run_.active && run_.y == y && run_.end == x && run_.bg == bg &&
                     (blank || !run_.hasGlyphs || run_.fg == fg);
  if (!joins) {
    FlushRun();
    run_.active = true;
    run_.x = run_.end = x;
    run_.y = y;
    run_.bg = bg;
  }
  if (!blank) {
    run_.fg = fg;
    run_.hasGlyphs = true;
    int at = x - run_.x;
    run_.bytes.append(text);
    for (char c : text) {
      const auto b = static_cast<unsigned char>(c);
      run_.glyphs.push_back(current_->glyph[b]);
      run_.positions.push_back(QPointF(at, 0));
      at += current_->advance[b];
    }
  }
  run_.end = x + width;
}

void QtCanvas::CharacterOut(int x, int y, int cellWidth, char32_t character, TColor fg, TColor bg) {
  FlushRun();
  QPainter* p = Painter();
  if (p == nullptr || cellWidth <= 0) return;
  const QRect cell(x, y, cellWidth, metrics_.height());
  p->fillRect(cell, ToQColor(bg, palette_));
  // Qt finds the glyph in a fallback font when the editor's font has none.
  const QString text = QString::fromUcs4(&character, 1);
  const int width = metrics_.horizontalAdvance(text);
  if (width <= 0) return;
  SetPen(fg);
  p->save();
  p->setClipRect(cell, Qt::IntersectClip);
  if (width <= cellWidth) {
    p->drawText(QPoint(x + (cellWidth - width) / 2, y + metrics_.ascent()), text);
  } else {
    p->translate(x, y + metrics_.ascent());
    p->scale(static_cast<double>(cellWidth) / width, 1.0);
    p->drawText(QPoint(0, 0), text);
  }
  p->restore();
}

void QtCanvas::FlushRun() {
  if (!run_.active) return;
  run_.active = false;
  if (!CopyRunFromCells()) {
    painter_.fillRect(QRect(run_.x, run_.y, run_.end - run_.x, cellHeight_), ToQColor(run_.bg, palette_));
    if (run_.hasGlyphs) {
      SetPen(run_.fg);
      QGlyphRun glyphRun;
      glyphRun.setRawFont(current_->raw);
      glyphRun.setGlyphIndexes(run_.glyphs);
      glyphRun.setPositions(run_.positions);
      painter_.drawGlyphRun(QPointF(run_.x, run_.y + ascent_), glyphRun);
    }
  }
  run_.hasGlyphs = false;
  run_.glyphs.clear();
  run_.positions.clear();
  run_.bytes.clear();
}

bool QtCanvas::CopyRunFromCells() {
  // Only into a plain image the painter draws on unscaled, which no one else shares (a shared image
  // would be copied on the first write, away from the painter).
  if (!cellCopying_ || current_ == nullptr || device_->devType() != QInternal::Image) return false;
  auto* image = static_cast<QImage*>(device_);
  if ((image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied) ||
      image->devicePixelRatio() != 1.0 || !image->isDetached() || painter_.transform().type() != QTransform::TxNone)
    return false;
  const QRgb fg = Rgb(run_.fg), bg = Rgb(run_.bg);
  if (qAlpha(fg) != 255 || qAlpha(bg) != 255) return false;
  MeasuredFont& font = *current_;
  if (!font.cells || font.cells->Format() != image->format() || font.cells->Height() != cellHeight_)
    font.cells = std::make_unique<GlyphCells>(font.raw, font.glyph, font.advance, ascent_, cellHeight_, image->format());
  GlyphCells::Pair& pair = font.cells->For(fg, bg);
  runCells_.clear();
  if (run_.hasGlyphs) {
    const QPointF* positions = run_.positions.constData();
    for (std::size_t i = 0; i < run_.bytes.size(); ++i) {
      const GlyphCells::Cell& cell = font.cells->Get(pair, fg, bg, static_cast<unsigned char>(run_.bytes[i]));
      if (!cell.fits) return false;
      runCells_.push_back({run_.x + static_cast<int>(positions[i].x()), cell.width, cell.pixels.data()});
    }
  }
  // What the painter would touch: the run's cells within the image and the clip.
  QRect area = QRect(run_.x, run_.y, run_.end - run_.x, cellHeight_) & image->rect();
  if (!clip_.isEmpty()) area &= clip_;
  const int left = area.left(), right = area.right() + 1;
  uchar* bits = image->bits();
  const auto stride = static_cast<std::size_t>(image->bytesPerLine());
  // Row by row: the background up to each glyph, the glyph's cell, the background after the last.
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* row = reinterpret_cast<quint32*>(bits + static_cast<std::size_t>(y) * stride);
    const auto cellRow = static_cast<std::size_t>(y - run_.y);
    int at = left;
    for (const RunCell& c : runCells_) {
      const int from = std::max(c.x, left), to = std::min(c.x + c.width, right);
      if (to <= from) continue;
      if (from > at) std::fill(row + at, row + from, pair.fill);
      const quint32* source = c.pixels + cellRow * static_cast<std::size_t>(c.width) + (from - c.x);
      if (to - from == 8)
        std::memcpy(row + from, source, 8 * sizeof(quint32));  // the usual cell: a few moves, no call
      else
        std::copy(source, source + (to - from), row + from);
      at = to;
    }
    if (right > at) std::fill(row + at, row + right, pair.fill);
  }
  return true;
}

QRgb QtCanvas::Rgb(TColor color) const {
  if ((color & quill_colors::SystemBit) != 0) return ToQColor(color, palette_).rgba();
  return qRgb(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu), static_cast<int>((color >> 16) & 0xFFu));
}

void QtCanvas::FillRect(int left, int top, int right, int bottom, TColor color) {
  FlushRun();
  QPainter* p = Painter();
  if (p == nullptr || right <= left || bottom <= top) return;
  if (OnDrawn) OnDrawn(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
  p->fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), ToQColor(color, palette_));
}

void QtCanvas::SetPen(TColor color) {
  if (penSet_ && pen_ == color) return;
  painter_.setPen(ToQColor(color, palette_));
  pen_ = color;
  penSet_ = true;
}

void QtCanvas::SetPixel(int x, int y, TColor color) {
  FlushRun();
  if (QPainter* p = Painter()) {
    SetPen(color);
    p->drawPoint(x, y);
    if (OnDrawn) OnDrawn(QRect(x, y, 1, 1));
  }
}

void QtCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
  FlushRun();
  if (QPainter* p = Painter()) {
    SetPen(color);
    p->drawLine(x1, y1, x2, y2);
    if (OnDrawn) OnDrawn(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))));
  }
}

void QtCanvas::DrawGlyph(int index, int x, int y) {
  FlushRun();
  const QImage& glyph = GutterGlyph(index);
  QPainter* p = Painter();
  if (p != nullptr && !glyph.isNull()) {
    p->drawImage(x, y, glyph);
    if (OnDrawn) OnDrawn(QRect(QPoint(x, y), glyph.deviceIndependentSize().toSize()));
  }
}

void QtCanvas::SetClip(int left, int top, int right, int bottom) {
  const QRect clip = right <= left || bottom <= top ? QRect() : QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
  // A paint sets the clip before every row; asking the painter again costs as much as drawing the row.
  if (clip == clip_) return;
  FlushRun();
  clip_ = clip;
  if (!painter_.isActive()) return;
  if (clip_.isEmpty())
    painter_.setClipping(false);
  else
    painter_.setClipRect(clip_);
}
