#pragma once
#include <string>
#include <string_view>

#include "platform/Color.h"

// A surface to draw on and measure text with. Text is Windows-1250 bytes; the implementation converts
// to Unicode when it draws. Coordinates are pixels from the control's top-left corner.
class Canvas {
public:
  virtual ~Canvas() = default;

  // Selects a font by face name and point size; an unknown face falls back to a fixed-pitch one.
  virtual void SetFont(const std::string& name, int size) = 0;
  virtual int CellHeight() = 0;
  virtual int AverageCharWidth() = 0;
  virtual int TextWidth(std::string_view text) = 0;

  // Draws text opaquely: every character cell is first filled with bg.
  virtual void TextOut(int x, int y, std::string_view text, TColor fg, TColor bg) = 0;
  // Draws one Unicode character opaquely in a cell `cellWidth` pixels wide (a foreign-character mark of
  // the editor, whose reserved byte TextWidth measures as that cell), squeezed when its glyph is wider.
  // A canvas that cannot draw it leaves the cell blank.
  virtual void CharacterOut(int x, int y, int cellWidth, char32_t /*character*/, TColor /*fg*/, TColor bg) {
    FillRect(x, y, x + cellWidth, y + CellHeight(), bg);
  }
  virtual void FillRect(int left, int top, int right, int bottom, TColor color) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
  virtual void Line(int x1, int y1, int x2, int y2, TColor color) = 0;
  // Draws one of the editor's 16 x 16 gutter glyphs: 0 wrap mark, 3..11 bookmarks 1..9.
  virtual void DrawGlyph(int index, int x, int y) = 0;
  // Limits drawing to a rectangle; an empty rectangle (right <= left) removes the limit.
  virtual void SetClip(int left, int top, int right, int bottom) = 0;
};
