#include "ui/GlyphCells.h"

#include <QGlyphRun>
#include <QPainter>
#include <algorithm>

namespace {

// An editor shows a handful of colour pairs; beyond these the least used are drawn again when needed.
constexpr std::size_t kMaxPairs = 32;

}  // namespace

GlyphCells::GlyphCells(const QRawFont& raw, const std::array<quint32, 256>& glyphs,
                       const std::array<int, 256>& advances, int ascent, int height, QImage::Format format)
    : raw_(raw), glyphs_(glyphs), advances_(advances), ascent_(ascent), height_(height), format_(format) {}

GlyphCells::Pair& GlyphCells::For(QRgb fg, QRgb bg) {
  const std::uint64_t key = (static_cast<std::uint64_t>(fg & 0xFFFFFFu) << 24) | (bg & 0xFFFFFFu);
  for (std::size_t i = 0; i < pairs_.size(); ++i) {
    if (pairs_[i].first != key) continue;
    // The pair just used is found first next time.
    if (i > 0) std::swap(pairs_[i], pairs_[i - 1]);
    return *pairs_[i > 0 ? i - 1 : 0].second;
  }
  if (pairs_.size() >= kMaxPairs) pairs_.pop_back();
  auto pair = std::make_unique<Pair>();
  // The fill's pixel as the painter writes it into an image of this format.
  QImage one(1, 1, format_);
  {
    QPainter p(&one);
    p.fillRect(QRect(0, 0, 1, 1), QColor(bg));
  }
  pair->fill = reinterpret_cast<const quint32*>(one.constBits())[0];
  pairs_.emplace(pairs_.begin(), key, std::move(pair));
  return *pairs_.front().second;
}

const GlyphCells::Cell& GlyphCells::Get(Pair& pair, QRgb fg, QRgb bg, unsigned char byte) {
  std::unique_ptr<Cell>& cell = pair.cells[byte];
  if (!cell) cell = std::make_unique<Cell>(Draw(fg, bg, pair.fill, byte));
  return *cell;
}

GlyphCells::Cell GlyphCells::Draw(QRgb fg, QRgb bg, quint32 fill, unsigned char byte) const {
  Cell cell;
  cell.width = advances_[byte];
  const quint32 glyph = glyphs_[byte];
  if (glyph == 0 || cell.width <= 0 || height_ <= 0) return cell;
  // The glyph drawn as the canvas draws it, with a margin of a row's height all round to see whether
  // any of it lands outside the cell.
  const int margin = height_;
  QImage scratch(cell.width + 2 * margin, height_ + 2 * margin, format_);
  {
    QPainter p(&scratch);
    p.fillRect(scratch.rect(), QColor(bg));
    p.setPen(QColor(fg));
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    p.drawGlyphRun(QPointF(margin, margin + ascent_), run);
  }
  cell.pixels.reserve(static_cast<std::size_t>(cell.width * height_));
  for (int y = 0; y < scratch.height(); ++y) {
    const auto* row = reinterpret_cast<const quint32*>(scratch.constScanLine(y));
    const bool inside = y >= margin && y < margin + height_;
    for (int x = 0; x < scratch.width(); ++x) {
      if (inside && x >= margin && x < margin + cell.width) {
        cell.pixels.push_back(row[x]);
      } else if (row[x] != fill) {
        cell.pixels.clear();
        return cell;  // the glyph reaches out of its cell
      }
    }
  }
  cell.fits = true;
  return cell;
}
