#pragma once

// A position in the stored lines: Line is a 0-based stored-line index, Column is 1-based (column c lies
// before the c-th character; length + 1 is the end of the line).
struct TTextPos {
  int Column = 0;
  int Line = 0;
  bool operator==(const TTextPos&) const = default;
};

// What the window shows of the text and where the caret is. The caret is one text position (the
// selection's end point); its screen row and column follow from the first line shown and the
// characters scrolled off to the left.
class TEditorView {
public:
  int TopLine() const { return top_; }
  int LeftCol() const { return left_; }
  const TTextPos& Caret() const { return caret_; }
  int Line() const { return caret_.Line; }
  int Column() const { return caret_.Column; }
  // The caret's row below TopLine (0-based) and column right of LeftCol (1 = the first visible one).
  int CaretRow() const { return caret_.Line - top_; }
  int CaretCol() const { return caret_.Column - left_; }

  // The caret to a text position; the view stays.
  void Place(int line, int column) { caret_ = TTextPos{column, line}; }
  void SetCaretRow(int row) { caret_.Line = top_ + row; }
  void SetCaretCol(int col) { caret_.Column = left_ + col; }
  // The view scrolls; the caret keeps its place in the text.
  void ScrollRows(int n) { top_ += n; }
  void ScrollColumns(int n) { left_ += n; }
  // The view moves and takes the caret along on its screen row or column (the caret moves by scrolling).
  void SetTopLine(int top) {
    caret_.Line += top - top_;
    top_ = top;
  }
  void SetLeftCol(int left) {
    caret_.Column += left - left_;
    left_ = left;
  }

  int DesiredCol = 1;  // the absolute column vertical moves aim for

private:
  int top_ = 0;
  int left_ = 0;
  TTextPos caret_{1, 0};
};
