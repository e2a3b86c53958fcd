// Mouse: click, drag selection with autoscroll, double click and the wheel.
#include <algorithm>

#include "editor/PrefixSearch.h"
#include "editor/TQuillEditor.h"
#include "highlight/Letters.h"
#include "platform/EditorHost.h"

bool TQuillEditor::PointAt(int x, int y, TTextPos& pos) const {
  const int row = std::max(0, lineHeight_ > 0 ? y / lineHeight_ : 0);
  const int line = view_.TopLine() + row;
  if (line >= lines_.Count()) return false;  // below the last line the caret stays
  const std::string_view text = lines_.Line(line);
  const int len = static_cast<int>(text.size());
  // A line that ends left of the view is hit as if its end were the first visible column (ShowLineEnd
  // scrolls there).
  const int left = std::min(view_.LeftCol(), len);
  const int target = x - GutterWidth;
  // No character is narrower than a pixel, so nothing beyond `target` characters can lie left of x.
  const std::string_view rest =
      text.substr(static_cast<std::size_t>(left), static_cast<std::size_t>(std::max(target, 0) + 1));
  // The longest visible prefix that ends left of the point, then the nearer of its two boundaries.
  int lo = LongestFitting(static_cast<int>(rest.size()), [&](int k) {
    return TextWidth(rest.substr(0, static_cast<std::size_t>(k))) <= target;
  });
  if (lo < static_cast<int>(rest.size())) {
    const int w1 = TextWidth(rest.substr(0, static_cast<std::size_t>(lo)));
    const int w2 = TextWidth(rest.substr(0, static_cast<std::size_t>(lo + 1)));
    if ((w1 + w2) / 2 < target) ++lo;
  }
  pos = TTextPos{std::clamp(left + 1 + lo, 1, len + 1), line};
  return true;
}

void TQuillEditor::ShowLineEnd(int line) {
  const int len = lines_.Length(line);
  if (len >= view_.LeftCol()) return;
  view_.SetLeftCol(len);
  Paint();
}

void TQuillEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (host_) host_->SetFocus();
  if (button == TMouseButton::mbRight) return;
  const bool withShift = shift.Has(ssShift);
  if (button == TMouseButton::mbMiddle && !withShift) {
    FinishCaretMove();
    return;
  }
  mouseSelecting_ = true;
  // The autoscroll timer ticks only while a selection is being dragged.
  if (host_) host_->StartTimer(1);
  TTextPos pos;
  if (!PointAt(x, y, pos)) return;
  ShowLineEnd(pos.Line);
  view_.Place(pos.Line, pos.Column);
  view_.DesiredCol = pos.Column;
  if (withShift) {
    ExtendSelection();
  } else {
    AnchorSelection(pos.Column, pos.Line);
  }
  UpdateCaret();
}

void TQuillEditor::MouseMove(TShiftState shift, int x, int y) {
  if (host_) host_->SetCursor(x < GutterWidth ? EditorHost::Cursor::Arrow : EditorHost::Cursor::IBeam);
  if (!mouseSelecting_ || !(shift == TShiftState{ssLeft}) || y < 0) return;
  int row = lineHeight_ > 0 ? y / lineHeight_ : 0;
  TTextPos pos;
  if (row >= visibleRows_) {
    // Below the window the selection reaches the row just below it, from where the timer scrolls
    // down; in a document that ends above that row, the last line.
    row = std::min(visibleRows_, lines_.Count() - 1 - view_.TopLine());
    if (row < 0 || !PointAt(x, row * lineHeight_, pos)) return;
  } else if (!PointAt(x, y, pos)) {
    return;
  }
  ShowLineEnd(pos.Line);
  view_.Place(pos.Line, pos.Column);
  if (!(selEnd_ == pos)) {
    selEnd_ = pos;
    RepaintUnlessLocked();
  }
  UpdateCaret();
}

void TQuillEditor::MouseUp(TMouseButton, TShiftState, int, int) {
  mouseSelecting_ = false;
  if (host_) host_->StopTimer();
  UpdateCaret();
}

void TQuillEditor::TimerTick() {
  if (!mouseSelecting_) return;
  const int count = lines_.Count();
  const auto changed = [this] {
    // A scrolled line can be shorter than the column the caret had: it stands at that line's end then,
    // never past it (an offset taken from a point past the end would name the next line).
    MoveCaretTo(CurrentLine(), std::min(view_.Column(), lines_.Length(CurrentLine()) + 1));
    ExtendSelection();
    Paint();
  };
  if (!wordWrapEffective_ && CaretPastRight(view_.CaretCol()) &&
      lines_.Length(CurrentLine()) > view_.Column()) {
    view_.SetLeftCol(view_.LeftCol() + 1);
    changed();
  }
  if (view_.CaretCol() < 2 && view_.LeftCol() >= 1) {
    view_.SetLeftCol(view_.LeftCol() - 1);
    view_.SetCaretCol(1);
    changed();
  }
  if (view_.CaretRow() == 0 && view_.TopLine() > 0) {
    view_.SetTopLine(view_.TopLine() - 1);
    changed();
  }
  if (view_.CaretRow() >= visibleRows_ - 1 && CurrentLine() + 1 < count &&
      count - 1 > view_.TopLine() + visibleRows_ - 1) {
    view_.SetTopLine(view_.TopLine() + 1);
    changed();
  }
}

void TQuillEditor::DoubleClick() {
  const int line = CurrentLine();
  const std::string_view s = lines_.Line(line);
  const int len = static_cast<int>(s.size());
  int col = view_.Column();
  const auto word = [&](int c) { return IsWordChar(static_cast<unsigned char>(s[static_cast<std::size_t>(c - 1)])); };
  // A double click just right of a word's last letter leaves the caret after it: that word is meant.
  if ((col > len || !word(col)) && col > 1 && col - 1 <= len && word(col - 1)) --col;
  if (col < 1 || col > len) return;
  int from = col, to = col + 1;
  if (word(col)) {
    while (from > 1 && word(from - 1)) --from;
    while (to <= len && word(to)) ++to;
  }
  selAnchor_ = TTextPos{from, line};
  MoveCaretTo(line, to);
  selEnd_ = TTextPos{to, line};
  Paint();
}

void TQuillEditor::MouseWheel(int delta, TShiftState shift) {
  if (!shift.Empty()) return;
  int size = 0;
  if (delta == 120 || delta == -120) size = scroller1Size_;
  else if (delta == 240 || delta == -240) size = scroller2Size_;
  else return;
  if (size == 0) return;
  if (delta < 0) {
    if (lines_.Count() - 1 > view_.TopLine() + size) view_.ScrollRows(size - 1);
  } else {
    view_.ScrollRows(view_.TopLine() - size < 0 ? -view_.TopLine() : -(size - 1));  // the caret keeps its text line
  }
  UpdateCaret();
  Paint();
}
