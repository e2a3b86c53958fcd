#pragma once
#include <QImage>
#include <QRawFont>
#include <QRgb>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// Character cells of one font drawn once per colour pair and then copied into an image. Drawing a
// glyph through the painter blends its coverage mask into the image pixel by pixel every time, which
// is most of the cost of showing a page; a cell holds exactly what the painter leaves there (the
// background fill, then the glyph), so copying it gives the same pixels. That holds only while the
// glyph stays inside its cell: one that reaches out (an accent above the row, a stroke into the
// neighbour) is marked as not fitting, and text with it is left to the painter.
class GlyphCells {
public:
  struct Cell {
    bool fits = false;
    int width = 0;
    std::vector<quint32> pixels;  // width x height, row by row
  };
  // The cells of one colour pair, by the Windows-1250 byte they show.
  struct Pair {
    quint32 fill = 0;  // the pixel a fill with the background leaves
    std::array<std::unique_ptr<Cell>, 256> cells;
  };

  // `glyphs` and `advances` by byte, as the canvas measures them; cells are `height` pixels tall with the
  // baseline `ascent` pixels down, for images of `format`.
  GlyphCells(const QRawFont& raw, const std::array<quint32, 256>& glyphs, const std::array<int, 256>& advances,
             int ascent, int height, QImage::Format format);

  QImage::Format Format() const { return format_; }
  int Height() const { return height_; }
  // Opaque colours only: a colour with alpha blends with what is under it, which no cell can hold.
  Pair& For(QRgb fg, QRgb bg);
  const Cell& Get(Pair& pair, QRgb fg, QRgb bg, unsigned char byte);

private:
  Cell Draw(QRgb fg, QRgb bg, quint32 fill, unsigned char byte) const;

  QRawFont raw_;
  std::array<quint32, 256> glyphs_;
  std::array<int, 256> advances_;
  int ascent_ = 0, height_ = 0;
  QImage::Format format_;
  // Few enough to look through: a row of text switches between two or three pairs all the time.
  std::vector<std::pair<std::uint64_t, std::unique_ptr<Pair>>> pairs_;
};
