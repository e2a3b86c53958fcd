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
    const int col = leftCol_ + caretCol_;
    width = TextWidth(col >= 1 && col <= static_cast<int>(line.size()) ? line.substr(static_cast<std::size_t>(col - 1), 1)
                                                                       : std::string_view(" "));
  }
  host_->CreateCaret(width, caretHeight_);
  UpdateCaret();
  host_->ShowCaret();
}

void TQuillEditor::UpdateCaret() {
  if (!HasWindow()) return;
  if (caretCol_ < 1 || caretRow_ < 0) {
    host_->HideCaret();
    return;
  }
  const std::string_view line = lines_.Line(CurrentLine());
  if (overWriteMode_) {
    const int col = leftCol_ + caretCol_;
    const int w = TextWidth(col >= 1 && col <= static_cast<int>(line.size()) ? line.substr(static_cast<std::size_t>(col - 1), 1)
                                                                             : std::string_view(" "));
    host_->DestroyCaret();
    host_->CreateCaret(w, caretHeight_);
  }
  const auto from = std::min(static_cast<std::size_t>(std::max(leftCol_, 0)), line.size());
  const std::string_view before = line.substr(from, static_cast<std::size_t>(caretCol_ - 1));
  host_->SetCaretPos(GutterWidth + TextWidth(before), caretRow_ * lineHeight_);
  host_->ShowCaret();
  if (OnUpdateCaret) OnUpdateCaret(LogicalLine(CurrentLine()), LogicalColumn(CurrentLine(), leftCol_ + caretCol_));
}

void TQuillEditor::UpdateScrollBars() {
  if (!HasWindow()) return;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) {
    host_->SetScrollRange(EditorHost::Bar::Horizontal, 0, wordWrapEffective_ ? 0 : 4096);
    host_->SetScrollPos(EditorHost::Bar::Horizontal, leftCol_);
  }
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) {
    host_->SetScrollRange(EditorHost::Bar::Vertical, 0, std::max(1, lines_.Count() - 2));
    host_->SetScrollPos(EditorHost::Bar::Vertical, topLine_);
  }
}

bool TQuillEditor::CaretPastRight(int n) {
  if (!HasWindow()) return false;
  const int line = CurrentLine();
  if (line < 0 || line >= lines_.Count()) return false;
  const std::string_view text = lines_.Line(line);
  const auto from = std::min(static_cast<std::size_t>(std::max(leftCol_, 0)), text.size());
  const std::string_view part = text.substr(from, static_cast<std::size_t>(std::max(n, 0)));
  return TextWidth(part) > host_->ClientWidth() - GutterWidth;
}

void TQuillEditor::MoveCaretTo(int line, int column) {
  if (visibleColumns_ < 1) {
    // No usable window yet: the caret still has to stand on its position, or the selection and every
    // offset derived from it would be wrong; scrolling waits for the window.
    caretRow_ = line - topLine_;
    caretCol_ = column - leftCol_;
    return;
  }
  const int count = lines_.Count();
  if (count < topLine_ - 2) topLine_ = count - 2;
  topLine_ = std::max(topLine_, 0);
  bool scrolled = false;
  if (line > topLine_ + visibleRows_ - 2 || line < topLine_) {
    // The caret keeps its screen row (the drag autoscroll relies on a row below the window).
    topLine_ = line - caretRow_;
    // Two lines of context above a last line on top, where the window has the rows to show them.
    if (topLine_ == count - 1 && topLine_ > 2 && caretRow_ + 2 < visibleRows_) {
      topLine_ -= 2;
      caretRow_ += 2;
    }
    if (topLine_ < 0) {
      caretRow_ = line;
      topLine_ = 0;
    }
    scrolled = true;
  } else {
    caretRow_ = line - topLine_;
  }
  caretCol_ = column - leftCol_;
  if (!wordWrapEffective_) {
    if (CaretPastRight(caretCol_)) {
      // The smallest scroll that brings the caret into view, then three more columns of room.
      const int lo = FittingLeftCol(column);
      // The three columns of room never push the caret's own column out of the view: in a window of
      // only a few columns that would leave the caret, and every selection made from it, elsewhere.
      leftCol_ = std::max(std::min(lo + 3, column - 1), 0);
      caretCol_ = column - leftCol_;
      scrolled = true;
    } else if (caretCol_ < 1) {
      leftCol_ = std::max(0, leftCol_ + caretCol_ - 1);
      caretCol_ = 1;
      scrolled = true;
    }
  } else if (leftCol_ != 0) {
    leftCol_ = 0;  // wrapped lines are never scrolled sideways
    caretCol_ = column;
    scrolled = true;
  }
  if (caretCol_ < 0) caretCol_ = 1;
  if (scrolled) Paint();
  UpdateCaret();
}

int TQuillEditor::FittingLeftCol(int column) {
  // Found by halving, since a text only gets wider with more characters. The caret's own column stays
  // visible even when nothing fits.
  const int lo = std::max(leftCol_, 0), hi = std::max(column - 1, lo);
  const int saved = leftCol_;
  const int fit = FirstFailing(lo, hi, [&](int left) {
    leftCol_ = left;
    return CaretPastRight(column - left);
  });
  leftCol_ = saved;
  return fit;
}

bool TQuillEditor::EnsureCaretVisible() {
  bool changed = false;
  if (caretRow_ < 0) {
    topLine_ += caretRow_;
    caretRow_ = 0;
    changed = true;
  }
  if (caretRow_ >= visibleRows_ - 1 && visibleRows_ >= 2) {
    topLine_ += caretRow_ - visibleRows_ + 2;
    caretRow_ = visibleRows_ - 2;
    changed = true;
  }
  if (caretCol_ < 0) {
    leftCol_ = std::max(0, leftCol_ + caretCol_ - 1);
    caretCol_ = 1;
    changed = true;
  }
  while (caretCol_ > 1 && CaretPastRight(caretCol_)) {
    ++leftCol_;
    --caretCol_;
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
    MoveCaretTo(CurrentLine(), leftCol_ + caretCol_);
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
    highlighter_->SetRegion(leftCol_, topLine_, leftCol_ + 1024, topLine_ + visibleRows_ + 2);
    const auto [s, e] = NormalizedSelection();
    highlighter_->SetSelection(s.Column, s.Line, e.Column, e.Line);
    PaintText();
    PaintGutter();
    UpdateScrollBars();
  }
  EndUpdate();
  host_->HideCaret();
  host_->ShowCaret();
  UpdateCaret();
}
