#pragma once
#include <QRawFont>
#include <array>
#include <memory>
#include <vector>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <functional>

#include "platform/Canvas.h"
#include "ui/GlyphCells.h"

// The core's drawing surface on a Qt paint device (the editor's back buffer, a printer page, a
// recorded picture). A painter is opened on the device at the first drawing call and stays open until
// Flush, so a whole paint pass runs on one painter; Flush before the device is read or replaced.
class QtCanvas : public Canvas {
public:
  explicit QtCanvas(QPaintDevice* device = nullptr);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  void SetDevice(QPaintDevice* device);
  void SetPalette(const QPalette& palette) {
    palette_ = palette;
    penSet_ = false;
  }
  void Flush();
  // Text on an image is copied from pre-drawn character cells where that gives the painter's own
  // pixels (the default); off, the painter draws every glyph. Tests compare the two.
  void SetCellCopying(bool on) {
    FlushRun();
    cellCopying_ = on;
  }
  // Called when a drawing pass starts on the device (the first drawing call after a Flush), so the
  // owner can schedule showing the result.
  std::function<void()> OnBeginPaint;
  // Called with the area of every drawing call (device pixels before any clip), so the owner can show
  // just what was drawn.
  std::function<void(const QRect&)> OnDrawn;

  // The font for a face name and point size; a face the system does not know (such as "FixedSys")
  // becomes the system's fixed-pitch font at that size.
  static QFont ResolveFont(const std::string& name, int pointSize);
  const QFont& CurrentFont() const { return font_; }

  void SetFont(const std::string& name, int size) override;
  int CellHeight() override;
  int AverageCharWidth() override;
  int TextWidth(std::string_view text) override;
  void TextOut(int x, int y, std::string_view text, TColor fg, TColor bg) override;
  void CharacterOut(int x, int y, int cellWidth, char32_t character, TColor fg, TColor bg) override;
  void FillRect(int left, int top, int right, int bottom, TColor color) override;
  void SetPixel(int x, int y, TColor color) override;
  void Line(int x1, int y1, int x2, int y2, TColor color) override;
  void DrawGlyph(int index, int x, int y) override;
  void SetClip(int left, int top, int right, int bottom) override;

private:
  QPainter* Painter();  // null without a device

  QPaintDevice* device_ = nullptr;
  QPainter painter_;
  QPalette palette_;
  // A font with what measuring it needs: the advance of every Windows-1250 byte. The hinted whole-pixel
  // advances make a text's width the sum of its characters' advances, so measuring needs no shaping.
  struct MeasuredFont {
    std::string name;
    int size = 0;
    QFont font;
    QFontMetrics metrics{QFont()};
    std::array<int, 256> advance{};
    // The glyph of every byte in the font itself (0 when the font has none and Qt must find a
    // fallback font): text made only of such bytes is drawn as a glyph run, without shaping.
    QRawFont raw;
    std::array<quint32, 256> glyph{};
    std::unique_ptr<GlyphCells> cells;  // made at the first text copied in this font
  };
  MeasuredFont& Measured(const std::string& name, int size);
  int Width(std::string_view text) const;

  std::vector<std::unique_ptr<MeasuredFont>> fonts_;  // the few fonts in use, the current one first
  QFont font_;
  QFontMetrics metrics_;
  // Asked on every drawing call; QFontMetrics looks them up in the font engine each time.
  int cellHeight_ = 0;
  int ascent_ = 0;
  MeasuredFont* current_ = nullptr;
  QRect clip_;  // empty = no limit
  // The pen colour last set on the painter, so runs of tokens in one colour set it once.
  TColor pen_ = 0;
  bool penSet_ = false;
  void SetPen(TColor color);

  // Tokens drawn side by side on one row in the same colours are collected and drawn as one fill and
  // one glyph run, so a line costs a few painter calls instead of two per token.
  struct PendingRun {
    bool active = false;
    int x = 0, y = 0, end = 0;
    TColor fg = 0, bg = 0;
    bool hasGlyphs = false;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    std::string bytes;  // the byte of each glyph
  };
  PendingRun run_;
  void FlushRun();
  // Copies the run from character cells straight into the image; false (and nothing drawn) where
  // that would not give the painter's pixels.
  bool CopyRunFromCells();
  bool cellCopying_ = true;
  struct RunCell {
    int x, width;
    const quint32* pixels;
  };
  std::vector<RunCell> runCells_;
  // A colour as the painter gets it (ToQColor), without building a QColor for the usual RGB value.
  QRgb Rgb(TColor color) const;
};
