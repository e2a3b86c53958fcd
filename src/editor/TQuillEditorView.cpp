// Metrics, caret placement, scrolling and the window events of the editor.
#include <algorithm>

#include "editor/PrefixSearch.h"
#include "editor/TQuillEditor.h"
#include "highlight/THighLighter.h"
#include "platform/Canvas.h"
#include "platform/EditorHost.h"

bool TQuillEditor::HasWindow() const { return host_ && host_->HasWindow(); }

int TQuillEditor::ClientRoom() const { return HasWindow() ? host_->ClientWidth() - GutterWidth : 0; }

int TQuillEditor::TextWidth(std::string_view s) const {
  if (!HasWindow() || s.empty()) return 0;
  return host_->GetCanvas().TextWidth(s);
}

void TQuillEditor::RecalcMetrics() {
  if (!HasWindow()) return;
  Canvas& c = host_->GetCanvas();
  c.SetFont(font_.Name, font_.Size);
  lineHeight_ = std::max(1, c.CellHeight());
  averageCharWidth_ = std::max(1, c.AverageCharWidth());
  visibleColumns_ = (host_->ClientWidth() - GutterWidth) / averageCharWidth_;
  caretHeight_ = lineHeight_;
  visibleRows_ = host_->ClientHeight() / lineHeight_;
  CheckRewrap();
  RecreateCaret();
}

void TQuillEditor::RecreateCaret() {
  if (!HasWindow()) return;
  host_->HideCaret();
  host_->DestroyCaret();
  int width = 2;
  if (overWriteMode_) {
    const std::string_view line = lines_.Line(CurrentLine());
    const int col = view_.Column();
    width = TextWidth(col >= 1 && col <= static_cast<int>(line.size()) ? line.substr(static_cast<std::size_t>(col - 1), 1)
                                                                       : std::string_view(" "));
  }
  host_->CreateCaret(width, caretHeight_);
  UpdateCaret();
  host_->ShowCaret();
}

void TQuillEditor::UpdateCaret() {
  if (!HasWindow()) return;
  if (view_.CaretCol() < 1 || view_.CaretRow() < 0) {
    host_->HideCaret();
    return;
  }
  const std::string_view line = lines_.Line(CurrentLine());
  if (overWriteMode_) {
    const int col = view_.Column();
    const int w = TextWidth(col >= 1 && col <= static_cast<int>(line.size()) ? line.substr(static_cast<std::size_t>(col - 1), 1)
                                                                             : std::string_view(" "));
    host_->DestroyCaret();
    host_->CreateCaret(w, caretHeight_);
  }
  const auto from = std::min(static_cast<std::size_t>(std::max(view_.LeftCol(), 0)), line.size());
  const std::string_view before = line.substr(from, static_cast<std::size_t>(view_.CaretCol() - 1));
  host_->SetCaretPos(GutterWidth + TextWidth(before), view_.CaretRow() * lineHeight_);
  host_->ShowCaret();
  if (OnUpdateCaret) OnUpdateCaret(LogicalLine(CurrentLine()), LogicalColumn(CurrentLine(), view_.Column()));
}

void TQuillEditor::UpdateScrollBars() {
  if (!HasWindow()) return;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) {
    host_->SetScrollRange(EditorHost::Bar::Horizontal, 0, wordWrapEffective_ ? 0 : 4096);
    host_->SetScrollPos(EditorHost::Bar::Horizontal, view_.LeftCol());
  }
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) {
    host_->SetScrollRange(EditorHost::Bar::Vertical, 0, std::max(1, lines_.Count() - 2));
    host_->SetScrollPos(EditorHost::Bar::Vertical, view_.TopLine());
  }
}

bool TQuillEditor::CaretPastRight(int n) {
  if (!HasWindow()) return false;
  const int line = CurrentLine();
  if (line < 0 || line >= lines_.Count()) return false;
  const std::string_view text = lines_.Line(line);
  const auto from = std::min(static_cast<std::size_t>(std::max(view_.LeftCol(), 0)), text.size());
  const std::string_view part = text.substr(from, static_cast<std::size_t>(std::max(n, 0)));
  return TextWidth(part) > host_->ClientWidth() - GutterWidth;
}

void TQuillEditor::MoveCaretTo(int line, int column) {
  if (visibleColumns_ < 1) {
    // No usable window yet: the caret still has to stand on its position, or the selection and every
    // offset derived from it would be wrong; scrolling waits for the window.
    view_.Place(line, column);
    return;
  }
  const int count = lines_.Count();
  if (count < view_.TopLine() - 2) view_.SetTopLine(count - 2);
  view_.SetTopLine(std::max(view_.TopLine(), 0));
  bool scrolled = false;
  const int row = view_.CaretRow();
  view_.Place(line, column);
  if (line > view_.TopLine() + visibleRows_ - 2 || line < view_.TopLine()) {
    // The caret keeps its screen row (the drag autoscroll relies on a row below the window).
    int top = line - row;
    // Two lines of context above a last line on top, where the window has the rows to show them.
    if (top == count - 1 && top > 2 && row + 2 < visibleRows_) top -= 2;
    view_.ScrollRows(std::max(top, 0) - view_.TopLine());
    scrolled = true;
  }
  if (!wordWrapEffective_) {
    if (CaretPastRight(view_.CaretCol())) {
      // The smallest scroll that brings the caret into view, then three more columns of room.
      const int lo = FittingLeftCol(column);
      // The three columns of room never push the caret's own column out of the view: in a window of
      // only a few columns that would leave the caret, and every selection made from it, elsewhere.
      view_.ScrollColumns(std::max(std::min(lo + 3, column - 1), 0) - view_.LeftCol());
      scrolled = true;
    } else if (view_.CaretCol() < 1) {
      view_.SetLeftCol(std::max(0, view_.Column() - 1));
      view_.SetCaretCol(1);
      scrolled = true;
    }
  } else if (view_.LeftCol() != 0) {
    view_.ScrollColumns(-view_.LeftCol());  // wrapped lines are never scrolled sideways
    scrolled = true;
  }
  if (view_.CaretCol() < 0) view_.SetCaretCol(1);
  if (scrolled) Paint();
  UpdateCaret();
}

int TQuillEditor::FittingLeftCol(int column) {
  // Found by halving, since a text only gets wider with more characters. The caret's own column stays
  // visible even when nothing fits.
  const int lo = std::max(view_.LeftCol(), 0), hi = std::max(column - 1, lo);
  const int saved = view_.LeftCol();
  const int fit = FirstFailing(lo, hi, [&](int left) {
    view_.SetLeftCol(left);
    return CaretPastRight(column - left);
  });
  view_.SetLeftCol(saved);
  return fit;
}

bool TQuillEditor::EnsureCaretVisible() {
  bool changed = false;
  if (view_.CaretRow() < 0) {
    view_.ScrollRows(view_.CaretRow());
    changed = true;
  }
  if (view_.CaretRow() >= visibleRows_ - 1 && visibleRows_ >= 2) {
    view_.ScrollRows(view_.CaretRow() - visibleRows_ + 2);
    changed = true;
  }
  if (view_.CaretCol() < 0) {
    view_.SetLeftCol(std::max(0, view_.Column() - 1));
    view_.SetCaretCol(1);
    changed = true;
  }
  while (view_.CaretCol() > 1 && CaretPastRight(view_.CaretCol())) {
    view_.ScrollColumns(1);
    changed = true;
  }
  if (changed) Paint();
  RecreateCaret();
  return changed;
}

void TQuillEditor::FinishCaretMove() {
  const auto pass = [this] {
    const auto [s, e] = NormalizedSelection();
    highlighter_->SetSelection(s.Column, s.Line, e.Column, e.Line);
  };
  if (selAnchor_ == selEnd_) {
    CollapseSelection();
    pass();
    MoveCaretTo(selAnchor_.Line, selAnchor_.Column);
  } else {
    selAnchor_ = selEnd_ = TTextPos{0, 0};
    CollapseSelection();
    pass();
    Paint();
    CollapseSelection();
    pass();
    MoveCaretTo(CurrentLine(), view_.Column());
  }
}

void TQuillEditor::SetOverWriteMode(bool v) {
  if (v == overWriteMode_) return;
  overWriteMode_ = v;
  if (HasWindow()) host_->DestroyCaret();
  RecreateCaret();
}

void TQuillEditor::SetFont(const TFont& font) {
  font_ = font;
  RecalcMetrics();
  CheckRewrap();
  Paint();
}

void TQuillEditor::FontChanged() {
  rewrapColumns_ = -1;
  RecalcMetrics();
  Paint();
}

void TQuillEditor::HandleCreated() {
  RecalcMetrics();
  RecreateCaret();
  SetWordWrap(wordWrapRequested_);
  EnsureOneLine();
  FinishCaretMove();
}

void TQuillEditor::HandleResize() {
  if (!HasWindow()) return;
  BeginUpdate();
  const int start = SelStart(), length = SelLength();
  RecalcMetrics();
  UpdateScrollBars();
  SetWordWrap(wordWrapRequested_);
  if (wordWrapEffective_) {
    UnwrapAll();
    WrapAll();
  }
  SetSelStart(start);
  SetSelLength(length);
  EndUpdate();
  Paint();
}

void TQuillEditor::FocusIn() {
  RecalcMetrics();
  const bool over = overWriteMode_;
  overWriteMode_ = !over;
  SetOverWriteMode(over);
  if (HasWindow()) host_->ShowCaret();
  UpdateCaret();
  if (OnSetFocused) OnSetFocused();
  Paint();
}

void TQuillEditor::FocusOut() {
  if (!HasWindow()) return;
  host_->HideCaret();
  host_->DestroyCaret();
}

void TQuillEditor::Paint() {
  if (updateLock_ > 0) return;
  SwitchPopup(SelectionExists());
  if (!HasWindow()) return;
  BeginUpdate();
  host_->HideCaret();
  if (visibleColumns_ >= 0) {
    const int top = view_.TopLine(), left = view_.LeftCol();
    highlighter_->SetRegion(left, top, left + 1024, top + visibleRows_ + 2);
    const auto [s, e] = NormalizedSelection();
    highlighter_->SetSelection(s.Column, s.Line, e.Column, e.Line);
    diffPaint_ = host_->KeepsDrawing();
    if (diffPaint_) rowDiff_.Begin(host_->GetCanvas());
    PaintText();
    PaintGutter();
    if (diffPaint_) rowDiff_.Finish();
    diffPaint_ = false;
    UpdateScrollBars();
  }
  EndUpdate();
  host_->HideCaret();
  host_->ShowCaret();
  UpdateCaret();
  if (highlighter_->LineStatesPending()) host_->RequestIdleWork();
}

Canvas& TQuillEditor::PaintCanvas() { return diffPaint_ ? static_cast<Canvas&>(rowDiff_) : host_->GetCanvas(); }

bool TQuillEditor::IdleWork(std::size_t budgetBytes) { return highlighter_->ScanAhead(budgetBytes); }
