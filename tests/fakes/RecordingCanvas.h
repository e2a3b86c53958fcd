#pragma once
#include <string>
#include <vector>

#include "platform/Canvas.h"

// A fixed-pitch canvas: every character is CharWidth pixels wide and a cell is CellHeight high. Every
// draw call is recorded with its colours, so tests can ask what was drawn where.
class RecordingCanvas : public Canvas {
public:
  struct Call {
    enum Kind { Text, Fill, Pixel, Line, Glyph, Character } kind;
    int x = 0, y = 0, x2 = 0, y2 = 0;
    std::string text;  // Text calls
    TColor fg = 0, bg = 0;
    int glyph = -1, fontSize = 0;
    char32_t character = 0;  // Character calls
  };

  int charWidth = 8;
  int cellHeight = 16;
  std::string fontName;
  int fontSize = 0;
  std::vector<Call> calls;

  void SetFont(const std::string& name, int size) override { fontName = name; fontSize = size; }
  int CellHeight() override { return cellHeight; }
  int AverageCharWidth() override { return charWidth; }
  int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * charWidth; }
  void TextOut(int x, int y, std::string_view text, TColor fg, TColor bg) override {
    calls.push_back({Call::Text, x, y, 0, 0, std::string(text), fg, bg, -1, fontSize});
  }
  void CharacterOut(int x, int y, int cellWidth, char32_t character, TColor fg, TColor bg) override {
    calls.push_back({Call::Character, x, y, x + cellWidth, y + cellHeight, {}, fg, bg, -1, fontSize, character});
  }
  void FillRect(int left, int top, int right, int bottom, TColor color) override {
    calls.push_back({Call::Fill, left, top, right, bottom, {}, 0, color, -1, fontSize});
  }
  void SetPixel(int x, int y, TColor color) override {
    calls.push_back({Call::Pixel, x, y, 0, 0, {}, color, 0, -1, fontSize});
  }
  void Line(int x1, int y1, int x2, int y2, TColor color) override {
    calls.push_back({Call::Line, x1, y1, x2, y2, {}, color, 0, -1, fontSize});
  }
  void DrawGlyph(int index, int x, int y) override {
    calls.push_back({Call::Glyph, x, y, 0, 0, {}, 0, 0, index, fontSize});
  }
  void SetClip(int, int, int, int) override {}

  // The text calls whose top edge is at y, in drawing order.
  std::vector<Call> TextsAt(int y) const {
    std::vector<Call> out;
    for (const Call& c : calls)
      if (c.kind == Call::Text && c.y == y) out.push_back(c);
    return out;
  }
};
