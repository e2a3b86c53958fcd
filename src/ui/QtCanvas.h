#pragma once
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <functional>

#include "platform/Canvas.h"

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
  void SetPalette(const QPalette& palette) { palette_ = palette; }
  void Flush();
  // Called when a drawing pass starts on the device (the first drawing call after a Flush), so the
  // owner can schedule showing the result.
  std::function<void()> OnBeginPaint;

  // The font for a face name and point size; a face the system does not know (such as "FixedSys")
  // becomes the system's fixed-pitch font at that size.
  static QFont ResolveFont(const std::string& name, int pointSize);
  const QFont& CurrentFont() const { return font_; }

  void SetFont(const std::string& name, int size) override;
  int CellHeight() override;
  int AverageCharWidth() override;
  int TextWidth(std::string_view text) override;
  void TextOut(int x, int y, std::string_view text, TColor fg, TColor bg) override;
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
  QFont font_;
  QFontMetrics metrics_;
  QRect clip_;  // empty = no limit
};
