// Every highlighter, painted through the editor: at any top line, left column and window size, after any
// edits between paints, every visible character is painted once, in order, as itself, in the colours a
// paint of the whole text from its first line gives it.
//
// Input: the highlighter, the text (length first), then operations: resize, scroll, select, edit, paint.
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "FuzzInput.h"
#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"

namespace {

const TColorStyle kStyles[] = {{csHTML}, {csPerl}, {csPhp}, {csPascal}, {csC}, {csCSS}, {csNone}};
// Pieces that drive the languages through their states.
const char* const kPieces[] = {"<",  ">",  "<!--", "-->", "<?", "?>", "\"", "'", "$",  "@",   "=",  "/*",
                               "*/", "//", "{",   "}",   "#",  ";",  " ",  "\r\n", "if", "echo", "<?php", "(*",
                               "*)", "<script>", "</script>", "<style>", "\\", "`", "\t"};
// The columns the whole-text paint reaches (its painter stops 1024 columns past the left edge).
constexpr int kReachedColumns = 1024;

struct Painted {
  char shown;
  TColor fg, bg;
  bool operator==(const Painted&) const = default;
};
using Cells = std::map<std::pair<int, int>, Painted>;  // (line, column) -> what was painted there

void SetDistinctColours(TQuillEditor& e) {
  TQuillEditor::Colors& k = e.ColorSet();
  TColor next = 0x010101;
  for (TColor* c : {&k.Color, &k.TextColor, &k.BackgroundTextColor, &k.TagColor, &k.BackgroundTagColor,
                    &k.LongParamColor, &k.BackgroundlongParamColor, &k.ShortParamColor, &k.BackgroundShortParamColor,
                    &k.KeywordColor, &k.BackgroundKeywordColor, &k.CommentColor, &k.BackgroundCommentColor,
                    &k.OperatorColor, &k.BackgroundOperatorColor, &k.PHPVariableColor, &k.BackgroundPHPVariableColor,
                    &k.PHPParameterColor, &k.BackgroundPHPParameterColor}) {
    *c = next;
    next += 0x030507;
  }
}

// Paints and collects the characters of the text area; checks that none is painted twice and that a
// row's characters come left to right.
Cells PaintCells(TQuillEditor& e, FakeEditorHost& host) {
  host.canvas.calls.clear();
  e.Paint();
  Cells cells;
  std::map<int, int> lastColumnOfRow;
  const int width = host.canvas.charWidth;
  for (const RecordingCanvas::Call& call : host.canvas.calls) {
    if (call.kind != RecordingCanvas::Call::Text || call.x < TQuillEditor::GutterWidth) continue;
    FUZZ_CHECK(call.y % e.LineHeight() == 0, "text off its row at y " + std::to_string(call.y));
    FUZZ_CHECK((call.x - TQuillEditor::GutterWidth) % width == 0, "text off its column at x " + std::to_string(call.x));
    const int line = e.TopLine() + call.y / e.LineHeight();
    const int first = e.LeftCol() + (call.x - TQuillEditor::GutterWidth) / width + 1;
    if (line >= e.Lines().Count() || first > e.Lines().Length(line)) continue;  // blanks after the line's end
    auto [last, fresh] = lastColumnOfRow.emplace(line, 0);
    FUZZ_CHECK(first > last->second, "line " + std::to_string(line) + " painted out of order at column " +
                                         std::to_string(first));
    for (std::size_t k = 0; k < call.text.size(); ++k) {
      const int column = first + static_cast<int>(k);
      FUZZ_CHECK(column <= e.Lines().Length(line), "line " + std::to_string(line) + " painted past its end");
      FUZZ_CHECK(cells.emplace(std::make_pair(line, column), Painted{call.text[k], call.fg, call.bg}).second,
                 "line " + std::to_string(line) + " column " + std::to_string(column) + " painted twice");
      last->second = column;
    }
  }
  return cells;
}

// The whole text painted from its first line in a window that shows all of it.
Cells Reference(const TQuillEditor& edited, TColorStyle style) {
  FakeEditorHost host;
  host.width = TQuillEditor::GutterWidth + (kReachedColumns + 2) * host.canvas.charWidth;
  // Rows to spare: in a window of fewer than six rows more than the text, setting the text leaves the
  // view scrolled past its end (Ctrl+End puts the last line five rows above the bottom).
  host.height = (edited.Lines().Count() + 8) * host.canvas.cellHeight;
  TQuillEditor e(&host);
  e.HandleCreated();
  SetDistinctColours(e);
  e.SetColorStyle(style);
  e.SetText(edited.Text());
  e.SetSelStart(edited.SelStart());
  e.SetSelLength(edited.SelLength());
  FUZZ_CHECK(e.Lines().Count() == edited.Lines().Count(), "the text does not load into the same lines");
  FUZZ_CHECK(e.TopLine() == 0 && e.LeftCol() == 0, "the whole-text paint does not start at the top");
  return PaintCells(e, host);
}

void CheckPaint(TQuillEditor& e, FakeEditorHost& host, TColorStyle style) {
  const Cells painted = PaintCells(e, host);
  const Cells reference = Reference(e, style);
  const int lastRow = std::min(e.Lines().Count(), e.TopLine() + e.VisibleRows());
  for (int line = std::max(e.TopLine(), 0); line < lastRow; ++line) {
    const int lastColumn = std::min({e.Lines().Length(line), e.LeftCol() + e.VisibleColumns(), kReachedColumns});
    for (int column = e.LeftCol() + 1; column <= lastColumn; ++column) {
      const auto at = std::make_pair(line, column);
      const auto want = reference.find(at);
      const auto got = painted.find(at);
      const std::string where = "line " + std::to_string(line) + " column " + std::to_string(column) + " (top " +
                                std::to_string(e.TopLine()) + ", left " + std::to_string(e.LeftCol()) + ")";
      FUZZ_CHECK((want == reference.end()) == (got == painted.end()),
                 where + (got == painted.end() ? " not painted" : " painted, but not in the whole-text paint"));
      if (want == reference.end()) continue;
      FUZZ_CHECK(got->second.shown == want->second.shown, where + " shows another character");
      FUZZ_CHECK(got->second.fg == want->second.fg && got->second.bg == want->second.bg, where + " in other colours");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const TColorStyle style = kStyles[in.Below(7)];
  FakeEditorHost host;
  TQuillEditor e(&host);
  e.HandleCreated();
  SetDistinctColours(e);
  e.SetColorStyle(style);
  e.SetText(in.Bytes(2048));
  int paints = 0;
  while (!in.Empty() && paints < 24) {
    const int length = static_cast<int>(e.Text().size());
    switch (in.Below(6)) {
      case 0: {
        // One read per statement: the order of operands is the compiler's to choose.
        const int columns = in.Below(160), extraWidth = in.Below(8);
        const int rows = in.Below(50), extraHeight = in.Below(16);
        host.width = TQuillEditor::GutterWidth + columns * host.canvas.charWidth + extraWidth;
        host.height = rows * host.canvas.cellHeight + extraHeight;
        e.HandleResize();
        break;
      }
      case 1:
        e.VScroll(TQuillEditor::TScrollRequest::ThumbPosition, in.Below(e.Lines().Count() + 1));
        e.HScroll(TQuillEditor::TScrollRequest::ThumbPosition, in.Flag() ? in.Below(60) : 0);
        break;
      case 2:
        e.SetSelStart(in.Below(length + 1));
        e.SetSelLength(in.Below(40));
        break;
      case 3: {
        e.SetSelStart(in.Below(length + 1));
        e.SetSelLength(in.Below(8));
        std::string piece;
        for (int n = in.Below(4); n >= 0; --n)
          piece += in.Flag() ? in.Bytes(4) : kPieces[in.Below(sizeof kPieces / sizeof kPieces[0])];
        e.SetSelText(piece);
        break;
      }
      default:
        CheckPaint(e, host, style);
        ++paints;
    }
  }
  CheckPaint(e, host, style);
  return 0;
}
