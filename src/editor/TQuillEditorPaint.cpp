// Drawing the text through the highlighter's tokens, and the gutter.
#include <algorithm>
#include <string>

#include "editor/ForeignMarks.h"
#include "editor/TQuillEditor.h"
#include "highlight/THighLighter.h"
#include "highlight/TokenColors.h"
#include "highlight/TokenFlags.h"
#include "platform/Canvas.h"
#include "platform/EditorHost.h"

namespace {

// Upper case of a Windows-1250 byte, for tags shown in capitals.
char UpperWin1250(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
  switch (c) {
    case 0x9A: case 0x9C: case 0x9D: case 0x9E: case 0x9F: return static_cast<char>(c - 0x10);
    case 0xB3: return static_cast<char>(0xA3);
    case 0xB9: return static_cast<char>(0xA5);
    case 0xBA: return static_cast<char>(0xAA);
    case 0xBE: return static_cast<char>(0xBC);
    case 0xBF: return static_cast<char>(0xAF);
    default: break;
  }
  if (c >= 0xE0 && c != 0xF7 && c != 0xFF) return static_cast<char>(c - 0x20);
  return ch;
}

const std::string& Blanks() {
  static const std::string blanks(1024, ' ');
  return blanks;
}

}  // namespace

// Every drawing call is preceded by the segment it belongs to (its row, the gutter, the area below the
// text), so that a paint passes on only what changed.
namespace {
constexpr int kGutterSegment = -1;
constexpr int kBelowTextSegment = -2;
}  // namespace

void TQuillEditor::PaintText() {
  Canvas& canvas = PaintCanvas();
  canvas.SetFont(font_.Name, font_.Size);
  THighLighter& h = *highlighter_;
  const Colors& k = colors_;
  const HighlightColors palette{k.Color,
                                k.TextColor, k.BackgroundTextColor,
                                k.TagColor, k.BackgroundTagColor,
                                k.LongParamColor, k.BackgroundlongParamColor,
                                k.ShortParamColor, k.BackgroundShortParamColor,
                                k.KeywordColor, k.BackgroundKeywordColor,
                                k.CommentColor, k.BackgroundCommentColor,
                                k.OperatorColor, k.BackgroundOperatorColor,
                                k.PHPVariableColor, k.BackgroundPHPVariableColor,
                                k.PHPParameterColor, k.BackgroundPHPParameterColor};
  const auto [selStart, selEnd] = NormalizedSelection();
  const int width = host_->ClientWidth();
  const int height = host_->ClientHeight();

  // Tokens of a line arrive left to right, so the x of the next one is the x after the last one; the
  // width of a whole prefix is measured only when the chain is broken.
  int xLine = -1, xColumn = 0, xPixels = GutterWidth;
  const auto xOf = [&](int line, int column) {
    if (line != xLine || column < xColumn) {
      xLine = line;
      xColumn = view_.LeftCol() + 1;
      xPixels = GutterWidth;
    }
    if (column > xColumn) {
      const std::string_view text = lines_.Line(line);
      const auto from = std::min(static_cast<std::size_t>(xColumn - 1), text.size());
      xPixels += TextWidth(text.substr(from, static_cast<std::size_t>(column - xColumn)));
      xColumn = column;
    }
    return xPixels;
  };
  // The bindings are copied by name: clang 14 does not capture structured bindings.
  const auto clearTail = [&, selStart = selStart, selEnd = selEnd](int line) {
    // Past the region's 1024 columns nothing shows, so a very long line is not measured to its end.
    const int x = xOf(line, std::min(lines_.Length(line) + 1, view_.LeftCol() + 1 + 1024));
    const bool breakSelected = selStart.Line != selEnd.Line && line >= selStart.Line && line < selEnd.Line;
    PaintSegment(line - view_.TopLine());
    canvas.TextOut(x, (line - view_.TopLine()) * lineHeight_, Blanks(), k.TextColor,
                   breakSelected ? k.TextColor : k.Color);
  };

  // The character of a mark: its place in the list is found once per line and then counted along.
  int markLine = -1, markColumn = 1;
  std::size_t markOrdinal = 0;
  const auto markAt = [&](int line, int column) -> char32_t {
    const std::string_view s = lines_.Line(line);
    const char byte = s[static_cast<std::size_t>(column - 1)];
    if (marks_.empty()) return DefaultMark(byte);
    if (line != markLine || column < markColumn) {
      markLine = line;
      markColumn = 1;
      markOrdinal = static_cast<std::size_t>(lines_.MarkBytesBefore(line));
    }
    markOrdinal += CountMarkBytes(s.substr(static_cast<std::size_t>(markColumn - 1),
                                           static_cast<std::size_t>(column - markColumn)));
    markColumn = column;
    return markOrdinal < marks_.size() ? marks_[markOrdinal] : DefaultMark(byte);
  };

  TColor text = k.TextColor;
  h.Start();
  int current = h.ScanLine;
  std::string token, upper;
  // Whether the line of the token holds reserved bytes, looked at once per line (most hold none).
  int marksLine = -1;
  bool lineHasMarks = false;
  while (true) {
    if (h.ScanLine > view_.TopLine() + visibleRows_ + 1 || h.ScanLine > h.BottomLine) break;
    if (h.ScanLine != current) {
      for (int l = current; l < h.ScanLine; ++l) clearTail(l);
      current = h.ScanLine;
    }
    if (h.AtEnd()) {
      PaintSegment(kBelowTextSegment);
      canvas.FillRect(GutterWidth, (h.TokenStartLine + 1 - view_.TopLine()) * lineHeight_, width, height, k.Color);
      break;
    }
    h.NextToken(token);
    if (!token.empty() && static_cast<unsigned char>(token[0]) < 31 && token[0] != '\t' && token[0] != 0) {
      token = " ";
    }
    if (token.size() == 1 && token[0] == 0) token.clear();
    if (token.empty()) continue;
    const TTokenFlags attrs = h.GetAttributes();
    const bool selected = (attrs & tfSelected) != 0;
    ColorPair pair = ColorsForAttributes(attrs, palette, text);
    text = pair.text;
    if (token == " " && !selected) pair.background = k.Color;
    if (token == "\t") continue;
    // A view of the token: a copy only for tags shown in capitals.
    std::string_view shown = token;
    if (upperTag_ && colorStyle_.Has(csHTML) && (attrs & tfTag) && !(attrs & tfText)) {
      upper.resize(token.size());
      std::transform(token.begin(), token.end(), upper.begin(), UpperWin1250);
      shown = upper;
    }
    int x;
    int column = h.TokenStartColumn;  // of shown[0]
    if (h.TokenStartColumn <= view_.LeftCol()) {
      shown.remove_prefix(1);
      ++column;
      x = GutterWidth;
      xLine = h.TokenStartLine;
      xColumn = view_.LeftCol() + 1;
      xPixels = GutterWidth;
    } else {
      x = xOf(h.TokenStartLine, h.TokenStartColumn);
    }
    const int y = (h.TokenStartLine - view_.TopLine()) * lineHeight_;
    PaintSegment(h.TokenStartLine - view_.TopLine());
    const int w = TextWidth(shown);
    if (h.TokenStartLine != marksLine) {
      marksLine = h.TokenStartLine;
      // A very long line is looked at token by token instead: only a window's width of it is painted.
      const std::string_view line = lines_.Line(marksLine);
      lineHasMarks = line.size() > 4096 || CountMarkBytes(line) != 0;
    }
    if (!lineHasMarks || CountMarkBytes(shown) == 0) {
      canvas.TextOut(x, y, shown, pair.text, pair.background);
    } else {
      // Marks are drawn as the characters they hold, each in the cell its reserved byte measures.
      const std::string_view all = shown;
      int at = x;
      std::size_t from = 0;
      for (std::size_t i = 0; i <= all.size(); ++i) {
        if (i < all.size() && !IsMarkByte(all[i])) continue;
        if (i > from) {
          canvas.TextOut(at, y, all.substr(from, i - from), pair.text, pair.background);
          at += TextWidth(all.substr(from, i - from));
        }
        if (i == all.size()) break;
        const int cell = TextWidth(all.substr(i, 1));
        canvas.CharacterOut(at, y, cell, markAt(h.TokenStartLine, column + static_cast<int>(i)), pair.text,
                            pair.background);
        at += cell;
        from = i + 1;
      }
    }
    if (xLine == h.TokenStartLine) {
      xColumn = std::max(h.TokenStartColumn, view_.LeftCol() + 1) + static_cast<int>(shown.size());
      xPixels = x + w;
    }
    if ((attrs & tfMisspelled) && w <= 400) {
      const int base = y + canvas.CellHeight() - 2;  // just under the baseline of a capital
      static constexpr int wave[4] = {0, 1, 0, -1};
      for (int i = 0; i < w; ++i) canvas.SetPixel(x + i, base + wave[i % 4], quill_colors::Green);
    }
  }
  for (int l = current; l < h.ScanLine; ++l) clearTail(l);
  if (h.ScanLine <= view_.TopLine() + visibleRows_) {
    for (int row = h.ScanLine; row <= view_.TopLine() + visibleRows_ - 1; ++row) {
      const int y = (row - view_.TopLine()) * lineHeight_;
      if (row >= lines_.Count()) {
        PaintSegment(row - view_.TopLine());
        canvas.FillRect(GutterWidth, y, width, y + lineHeight_, k.Color);
      } else {
        clearTail(row);
      }
    }
  }
}

void TQuillEditor::PaintGutter() {
  Canvas& canvas = PaintCanvas();
  PaintSegment(kGutterSegment);
  const int height = host_->ClientHeight();
  canvas.FillRect(0, 0, GutterWidth, height, quill_colors::SysButtonFace);
  canvas.FillRect(38, 0, 39, height, colors_.Color);
  int number = LogicalLine(view_.TopLine()) + 1;
  if (lineNumbering_) canvas.SetFont("", 8);
  bool prevSoft = false;
  for (int row = 0; row <= visibleRows_; ++row) {
    const int line = view_.TopLine() + row;
    if (line >= lines_.Count()) break;
    bool soft = false;
    if (lines_.LineFlag(line) == 1) {
      canvas.DrawGlyph(0, 1, (row + 1) * lineHeight_);
      soft = true;
    }
    for (int b = 1; b <= 9; ++b) {
      if (bookmarks_[static_cast<std::size_t>(b - 1)] != line) continue;
      canvas.DrawGlyph(b + 2, 20, row * lineHeight_);
      if (!prevSoft) ++number;
      prevSoft = true;
    }
    if (!prevSoft && lineNumbering_) {
      // The number lives in a 34-pixel box: long numbers are cut there, never drawn over the text.
      canvas.FillRect(3, row * lineHeight_, 3 + 34, (row + 1) * lineHeight_, quill_colors::SysButtonFace);
      canvas.SetClip(3, row * lineHeight_, 3 + 34, (row + 1) * lineHeight_);
      canvas.TextOut(3 + 1, row * lineHeight_ + 1, std::to_string(number), quill_colors::Black,
                     quill_colors::SysButtonFace);
      canvas.SetClip(0, 0, 0, 0);
      ++number;
    }
    prevSoft = soft;
  }
  canvas.SetFont(font_.Name, font_.Size);
}
