// The two scroll bars' requests. The caret stays on its text line: its row and column move opposite to
// the view, and it is hidden while off the screen.
#include <algorithm>

#include "editor/PrefixSearch.h"
#include "editor/TQuillEditor.h"

void TQuillEditor::VScroll(TScrollRequest request, int pos) {
  const int count = lines_.Count();
  switch (request) {
    case TScrollRequest::LineUp:
      if (view_.TopLine() >= 1) view_.ScrollRows(-1);
      break;
    case TScrollRequest::LineDown:
      if (view_.TopLine() < count - 2) view_.ScrollRows(1);
      break;
    case TScrollRequest::PageUp:
      view_.ScrollRows(view_.TopLine() >= visibleRows_ ? -visibleRows_ : -view_.TopLine());
      break;
    case TScrollRequest::PageDown:
      if (count >= view_.TopLine() + visibleRows_) {
        view_.ScrollRows(std::max(visibleRows_ - 1, 0));
        if (view_.TopLine() >= count - 1) view_.ScrollRows(std::max(count - 3, 0) - view_.TopLine());
      }
      break;
    case TScrollRequest::ThumbPosition:
    case TScrollRequest::ThumbTrack:
      if (pos >= 0 && pos < count) {
        view_.ScrollRows(pos - view_.TopLine());
        if (CurrentLine() >= count) view_.SetCaretRow(count - view_.TopLine() - 1);
      }
      break;
    case TScrollRequest::Top:
      DocumentStart();
      FinishCaretMove();
      break;
    case TScrollRequest::Bottom:
      DocumentEnd();
      FinishCaretMove();
      break;
  }
  UpdateCaret();
  Paint();
}

void TQuillEditor::HScroll(TScrollRequest request, int pos) {
  // Wrapped lines fit the window: the bar is hidden and nothing scrolls sideways.
  if (wordWrapEffective_) return;
  // How many characters of the caret row's line, from the first visible one, fit into the text area.
  int fits = 0;
  {
    const std::string_view line = lines_.Line(CurrentLine());
    const auto from = std::min(static_cast<std::size_t>(std::max(view_.LeftCol(), 0)), line.size());
    const int room = HasWindow() ? ClientRoom() : 0;
    // No character is narrower than a pixel: more than `room` characters never fit.
    const std::string_view rest = line.substr(from, static_cast<std::size_t>(std::max(room, 0) + 1));
    fits = LongestFitting(static_cast<int>(rest.size()), [&](int k) {
      return TextWidth(rest.substr(0, static_cast<std::size_t>(k))) <= room;
    });
  }
  switch (request) {
    case TScrollRequest::LineUp:
      if (view_.LeftCol() >= 1) view_.ScrollColumns(-1);
      break;
    case TScrollRequest::LineDown:
      view_.ScrollColumns(1);
      break;
    case TScrollRequest::PageUp:
      if (view_.LeftCol() - fits > 0) {
        view_.ScrollColumns(-fits);
      } else {
        view_.ScrollColumns(-view_.LeftCol());
      }
      break;
    case TScrollRequest::PageDown:
      view_.ScrollColumns(fits);
      break;
    case TScrollRequest::ThumbPosition:
    case TScrollRequest::ThumbTrack:
      view_.ScrollColumns(pos - view_.LeftCol());
      break;
    case TScrollRequest::Top:
      // Scrolling moves the view, not the caret: the caret stays the selection's end, where typing goes
      // (SetLeftCol would carry the caret along on its screen column).
      view_.ScrollColumns(-view_.LeftCol());
      break;
    case TScrollRequest::Bottom:
      break;
  }
  UpdateCaret();
  Paint();
}
