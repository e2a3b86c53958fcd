#pragma once

// What the window shows of the text and where the caret stands in it: the first stored line shown, the
// characters scrolled off to the left, the caret's screen row and column, and the absolute column that
// vertical moves aim for.
struct TEditorView {
  int TopLine = 0;
  int LeftCol = 0;
  int CaretRow = 0;  // relative to TopLine, 0-based
  int CaretCol = 1;  // relative to LeftCol: 1 is the first visible character
  int DesiredCol = 1;

  // The caret's stored line and absolute column.
  int Line() const { return TopLine + CaretRow; }
  int Column() const { return LeftCol + CaretCol; }
  // The caret to a text position; the view stays.
  void Place(int line, int column) {
    CaretRow = line - TopLine;
    CaretCol = column - LeftCol;
  }
  // The view scrolls by n rows or columns; the caret keeps its place in the text.
  void ScrollRows(int n) {
    TopLine += n;
    CaretRow -= n;
  }
  void ScrollColumns(int n) {
    LeftCol += n;
    CaretCol -= n;
  }
};
