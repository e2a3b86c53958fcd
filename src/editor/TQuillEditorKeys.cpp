// Key-down handling and the caret moves of the keyboard.
#include <algorithm>

#include "editor/TQuillEditor.h"
#include "highlight/Letters.h"
#include "platform/Canvas.h"
#include "platform/EditorHost.h"

void TQuillEditor::KeyDown(int& key, TShiftState shift) {
  // Skipping a character covers only the one typed by the key press that asked for it: a press that
  // types nothing (Ctrl+Delete) must not swallow the next key's character.
  skipNextChar_ = false;
  if (OnKeyDown) OnKeyDown(key, shift);
  // A key pressed while the caret is off the screen only brings it back.
  if (EnsureCaretVisible()) return;
  if (key == vk::Shift || key == vk::Control) return;
  if (key == 0) {
    skipNextChar_ = true;
    return;
  }
  // Each key with its exact shift state; other combinations, and any with a mouse button held, do
  // nothing. Edits check Readonly themselves, since some chords clear the key even then.
  using Action = void (*)(TQuillEditor& e, int& key);
  struct Binding {
    TShiftState shift;
    int first, last;  // a range of key codes
    Action action;
  };
  const TShiftState none, withShift{ssShift}, ctrl{ssCtrl}, shiftCtrl{ssShift, ssCtrl}, ctrlAlt{ssCtrl, ssAlt};
  const Action extendByDocumentMove = [](TQuillEditor& e, int& k) {
    e.DocumentMove(k);
    e.ExtendSelection();
    e.RepaintUnlessLocked();
  };
  // Prior .. Down are the eight caret moves; End .. Left are End, Home and Left.
  const Binding bindings[] = {
      {none, vk::Prior, vk::Down, [](TQuillEditor& e, int& k) { e.DoMove(k); e.FinishCaretMove(); }},
      {none, vk::Insert, vk::Insert, [](TQuillEditor& e, int&) {
         e.SetOverWriteMode(!e.overWriteMode_);
         e.UpdateCaret();
         if (e.HasWindow()) e.host_->ShowCaret();
       }},
      {none, vk::Delete, vk::Delete, [](TQuillEditor& e, int&) { if (!e.readonly_) e.DeleteKey(); }},
      {withShift, vk::Prior, vk::Down, [](TQuillEditor& e, int& k) {
         e.DoMove(k);
         e.ExtendSelection();
         e.RepaintUnlessLocked();
       }},
      {withShift, vk::Insert, vk::Insert, [](TQuillEditor& e, int&) { e.PasteFromClipboard(); }},
      {withShift, vk::Delete, vk::Delete, [](TQuillEditor& e, int&) { if (!e.readonly_) e.CutToClipboard(); }},
      {ctrl, 'V', 'V', [](TQuillEditor& e, int& k) {
         if (!e.readonly_) e.PasteFromClipboard();
         k = 0;
       }},
      {ctrl, 'C', 'C', [](TQuillEditor& e, int& k) { e.CopyToClipboard(); k = 0; }},
      {ctrl, vk::Insert, vk::Insert, [](TQuillEditor& e, int& k) { e.CopyToClipboard(); k = 0; }},
      {ctrl, 'Z', 'Z', [](TQuillEditor& e, int& k) { e.Undo(); k = 0; }},
      {ctrl, 'A', 'A', [](TQuillEditor& e, int& k) { e.SelectAll(); k = 0; }},
      {ctrl, '1', '9', [](TQuillEditor& e, int& k) { if (e.GetBookmark(k - '0') >= 0) e.GotoBookmark(k - '0'); }},
      {ctrl, vk::End, vk::Left, [](TQuillEditor& e, int& k) { e.DocumentMove(k); e.FinishCaretMove(); }},
      {ctrl, vk::Right, vk::Right, [](TQuillEditor& e, int& k) { e.DocumentMove(k); e.FinishCaretMove(); }},
      {ctrl, vk::Back, vk::Back, [](TQuillEditor& e, int&) { e.DeleteWordKey(false); }},
      {ctrl, vk::Delete, vk::Delete, [](TQuillEditor& e, int&) { e.DeleteWordKey(true); }},
      {ctrl, vk::Return, vk::Return, [](TQuillEditor& e, int&) {
         if (e.readonly_) return;
         e.WrapSelection(e.wmlMode_ ? "</br>" : "<br>", "");
         e.EnterKey();
       }},
      {ctrl, vk::Space, vk::Space, [](TQuillEditor& e, int& k) {
         if (e.readonly_) return;
         if (!e.wmlMode_) e.WrapSelection("&nbsp;", "");
         e.skipNextChar_ = true;
         k = 0;
       }},
      {shiftCtrl, vk::End, vk::Left, extendByDocumentMove},
      {shiftCtrl, vk::Right, vk::Right, extendByDocumentMove},
      {ctrlAlt, '1', '9', [](TQuillEditor& e, int& k) {
         const int n = k - '0';
         if (e.GetBookmark(n) == e.CurrentLine()) e.ClearBookmark(n); else e.SetBookmark(n);
       }},
  };
  for (const Binding& b : bindings) {
    if (b.shift == shift && key >= b.first && key <= b.last) {
      b.action(*this, key);
      break;
    }
  }
  UpdateCaret();
}

void TQuillEditor::DocumentMove(int key) {
  switch (key) {
    case vk::Home: DocumentStart(); break;
    case vk::End: DocumentEnd(); break;
    case vk::Left: WordLeft(); break;
    case vk::Right: WordRight(); break;
    default: break;
  }
}

void TQuillEditor::DeleteWordKey(bool forward) {
  if (readonly_) return;
  if (HasSelection()) SetSelText(""); else DeleteWord(forward);
  // The DEL character that Ctrl+Backspace also produces is not typed.
  skipNextChar_ = true;
}

void TQuillEditor::DeleteWord(bool forward) {
  BeginUpdate();
  if (forward) WordRight(); else WordLeft();
  ExtendSelection();
  SetSelText("");
  EndUpdate();
  Paint();
  UpdateCaret();
}

bool TQuillEditor::DoMove(int key) {
  switch (key) {
    case vk::Prior: MovePageUp(); return true;
    case vk::Next: MovePageDown(); return true;
    case vk::End: MoveEnd(); return true;
    case vk::Home: MoveHome(); return true;
    case vk::Left: MoveLeft(); return true;
    case vk::Up: MoveUp(); return true;
    case vk::Right: MoveRight(); return true;
    case vk::Down: MoveDown(); return true;
    default: return false;
  }
}

void TQuillEditor::MoveLeft() {
  const int column = view_.Column();
  if (view_.CaretCol() > 1) {
    view_.Place(CurrentLine(), column - 1);
  } else if (view_.LeftCol() >= 1) {
    // At the first visible column the view scrolls left with the caret (back to it when it stood left
    // of the view).
    view_.ScrollColumns(view_.CaretCol() < 1 ? std::max(0, column - 1) - view_.LeftCol() : -1);
    view_.Place(CurrentLine(), view_.LeftCol() + 1);
    Paint();
  }
  view_.DesiredCol = view_.Column();
}

void TQuillEditor::MoveRight() {
  if (view_.Column() <= lines_.Length(CurrentLine())) {
    const bool scroll = !wordWrapEffective_ && CaretPastRight(view_.CaretCol() + 1);
    view_.Place(CurrentLine(), view_.Column() + 1);
    if (scroll) {
      view_.ScrollColumns(1);
      Paint();
    }
  }
  view_.DesiredCol = view_.Column();
}

void TQuillEditor::ScrollLeftToFit(int column) {
  // Scroll right just as far as the caret at `column` needs to fit.
  if (wordWrapEffective_) return;
  const int left = std::max(FittingLeftCol(column), view_.LeftCol());
  const bool moved = left != view_.LeftCol();
  view_.ScrollColumns(left - view_.LeftCol());
  view_.Place(CurrentLine(), column);
  if (moved) Paint();
}

void TQuillEditor::MoveToColumnAfterVerticalMove() {
  const int column = std::min(view_.DesiredCol, lines_.Length(CurrentLine()) + 1);
  if (column < view_.LeftCol() + 1) {
    view_.Place(CurrentLine(), view_.LeftCol() + 1);  // past the end of a short line, on the first visible column
    return;
  }
  view_.Place(CurrentLine(), column);
  ScrollLeftToFit(column);
}

void TQuillEditor::MoveUp() {
  if (view_.CaretRow() <= 0 && view_.TopLine() == 0) return;
  const bool scroll = view_.CaretRow() <= 0;
  view_.Place(CurrentLine() - 1, view_.Column());
  if (scroll) {
    view_.ScrollRows(-1);
    Paint();
  }
  MoveToColumnAfterVerticalMove();
}

void TQuillEditor::MoveDown() {
  if (CurrentLine() + 1 >= lines_.Count()) return;
  const bool scroll = view_.CaretRow() + 1 > visibleRows_ - 2;
  view_.Place(CurrentLine() + 1, view_.Column());
  if (scroll) {
    view_.ScrollRows(1);
    Paint();
  }
  MoveToColumnAfterVerticalMove();
}

void TQuillEditor::MoveHome() {
  const int old = view_.Column();
  int column = 1;
  if (textHome_) {
    const std::string_view line = lines_.Line(CurrentLine());
    const auto first = line.find_first_not_of(' ');
    // Repeated Home toggles between the first text column and column 1.
    if (first != std::string_view::npos && static_cast<int>(first) + 1 != old) column = static_cast<int>(first) + 1;
  }
  const bool scrolled = view_.LeftCol() != 0;
  view_.ScrollColumns(-view_.LeftCol());
  view_.Place(CurrentLine(), column);
  if (scrolled) Paint();
  view_.DesiredCol = column;
}

void TQuillEditor::MoveEnd() {
  const int column = lines_.Length(CurrentLine()) + 1;
  const int oldLeft = view_.LeftCol();
  if (!wordWrapEffective_) {
    if (column < view_.LeftCol() + 1) view_.ScrollColumns(std::max(0, column - 11) - view_.LeftCol());
    view_.ScrollColumns(FittingLeftCol(column) - view_.LeftCol());
  }
  view_.Place(CurrentLine(), std::max(column, view_.LeftCol() + 1));
  if (view_.LeftCol() != oldLeft || view_.LeftCol() != 0) Paint();
  view_.DesiredCol = column;
}

void TQuillEditor::MovePageUp() {
  view_.ScrollRows(std::max(0, view_.TopLine() - visibleRows_) - view_.TopLine());
  view_.Place(view_.TopLine(), view_.Column());  // the top row
  const int end = lines_.Length(CurrentLine()) + 1;
  if (view_.Column() > end) {
    if (end < view_.LeftCol() + 1) view_.ScrollColumns(std::max(0, end - 1) - view_.LeftCol());
    view_.Place(CurrentLine(), end);
  }
  Paint();
}

void TQuillEditor::MovePageDown() {
  const int count = lines_.Count();
  if (view_.TopLine() + 1 >= count) return;
  int target;
  if (count >= view_.TopLine() + visibleRows_) {
    view_.SetTopLine(view_.TopLine() + std::max(visibleRows_ - 1, 1));
    target = std::min(view_.TopLine(), count - 1);
  } else {
    view_.SetTopLine(std::max(0, count - 2));
    target = count - 1;
  }
  MoveCaretTo(target, 1);
  Paint();
}

void TQuillEditor::DocumentStart() {
  view_.ScrollRows(-view_.TopLine());
  view_.ScrollColumns(-view_.LeftCol());
  view_.Place(0, 1);
  Paint();
}

void TQuillEditor::WordLeft() {
  const int count = lines_.Count();
  // The text as the word moves see it: CR LF after every stored line.
  if (lines_.TextLength() + 2 * lines_.SoftBreaksBefore(count) + 2 < 3) return;
  int line = CurrentLine();
  int k = std::min(view_.Column(), lines_.Length(line) + 1) - 1;
  if (k <= 0) {
    if (line == 0) return;
    --line;
    while (line > 0 && lines_.Length(line) == 0) --line;
    if (line < view_.TopLine()) {
      view_.SetTopLine(line);
      view_.SetCaretRow(0);
      Paint();
    } else {
      view_.SetCaretRow(line - view_.TopLine());
    }
    k = lines_.Length(line);
  }
  const std::string_view s = lines_.Line(line);
  const auto at = [&](int i) { return static_cast<unsigned char>(s[static_cast<std::size_t>(i - 1)]); };
  if (k >= 1 && IsWordChar(at(k))) {
    while (k > 0 && IsWordChar(at(k))) --k;
  }
  while (k > 0 && !IsWordChar(at(k))) --k;
  const int column = k + 1;
  if (column < view_.LeftCol() + 1) {
    const int blank = std::max(1, TextWidth(" "));
    const int width = HasWindow() ? host_->ClientWidth() : 0;
    view_.SetLeftCol(std::max(0, column - (width / blank) / 2));
    Paint();
  }
  view_.SetCaretCol(column - view_.LeftCol());
  view_.DesiredCol = column;
}

void TQuillEditor::WordRight() {
  const int count = lines_.Count();
  if (lines_.TextLength() + 2 * lines_.SoftBreaksBefore(count) + 2 < 3) return;
  int line = CurrentLine();
  if (line >= count) return;
  int k = view_.Column() + 1;
  bool skippedEmpty = false;
  while (lines_.Length(line) == 0 && line + 1 < count) {
    ++line;
    skippedEmpty = true;
  }
  std::string_view s = lines_.Line(line);
  int len = static_cast<int>(s.size());
  if (skippedEmpty) k = 1;
  if (line == count - 1 && k >= len && !skippedEmpty) return;
  const auto word = [&](int i) { return IsWordChar(static_cast<unsigned char>(s[static_cast<std::size_t>(i - 1)])); };
  if (skippedEmpty) {
    while (k <= len && !word(k)) ++k;  // coming from empty lines: the first word of the line
  } else if (k <= len + 1) {
    if (k <= len && word(k)) {
      while (k <= len && word(k)) ++k;
    }
    while (k <= len && !word(k)) ++k;
  } else if (line + 1 < count) {
    // Past the end of the line: the next line's first column.
    ++line;
    k = 1;
  } else {
    k = len + 1;
  }
  if (line - view_.TopLine() > visibleRows_ - 2 && visibleRows_ >= 2) {
    view_.SetTopLine(line - (visibleRows_ - 2));
    Paint();
  }
  view_.SetCaretRow(line - view_.TopLine());
  view_.SetCaretCol(k - view_.LeftCol());
  if (view_.CaretCol() < 1) {
    view_.SetLeftCol(std::max(0, k - 1));
    view_.SetCaretCol(k - view_.LeftCol());
    Paint();
  }
  ScrollLeftToFit(k);
  view_.DesiredCol = k;
}
