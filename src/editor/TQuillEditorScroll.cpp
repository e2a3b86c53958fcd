// The two scroll bars' requests. The caret stays on its text line: its row and column move opposite to
// the view, and it is hidden while off the screen.
#include <algorithm>

#include "editor/PrefixSearch.h"
#include "editor/TQuillEditor.h"

void TQuillEditor::VScroll(TScrollRequest request, int pos) {
  const int count = lines_.Count();
  switch (request) {
    case TScrollRequest::LineUp:
      if (topLine_ >= 1) {
        --topLine_;
        ++caretRow_;
      }
      break;
    case TScrollRequest::LineDown:
      if (topLine_ < count - 2) {
        ++topLine_;
        --caretRow_;
      }
      break;
    case TScrollRequest::PageUp:
      if (topLine_ >= visibleRows_) {
        topLine_ -= visibleRows_;
        caretRow_ += visibleRows_;
      } else {
        caretRow_ += topLine_;
        topLine_ = 0;
      }
      break;
    case TScrollRequest::PageDown:
      if (count >= topLine_ + visibleRows_) {
        const int step = std::max(visibleRows_ - 1, 0);
        topLine_ += step;
        caretRow_ -= step;
        if (topLine_ >= count - 1) {
          const int target = std::max(count - 3, 0);
          caretRow_ += topLine_ - target;
          topLine_ = target;
        }
      }
      break;
    case TScrollRequest::ThumbPosition:
    case TScrollRequest::ThumbTrack:
      if (pos >= 0 && pos < count) {
        caretRow_ += topLine_ - pos;
        topLine_ = pos;
        if (CurrentLine() >= count) caretRow_ = count - topLine_ - 1;
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
    const auto from = std::min(static_cast<std::size_t>(std::max(leftCol_, 0)), line.size());
    const int room = HasWindow() ? ClientRoom() : 0;
    // No character is narrower than a pixel: more than `room` characters never fit.
    const std::string_view rest = line.substr(from, static_cast<std::size_t>(std::max(room, 0) + 1));
    fits = LongestFitting(static_cast<int>(rest.size()), [&](int k) {
      return TextWidth(rest.substr(0, static_cast<std::size_t>(k))) <= room;
    });
  }
  switch (request) {
    case TScrollRequest::LineUp:
      if (leftCol_ >= 1) {
        --leftCol_;
        ++caretCol_;
      }
      break;
    case TScrollRequest::LineDown:
      ++leftCol_;
      --caretCol_;
      break;
    case TScrollRequest::PageUp:
      if (leftCol_ - fits > 0) {
        leftCol_ -= fits;
        caretCol_ += fits;
      } else {
        leftCol_ = 0;
        caretCol_ = 1;
      }
      break;
    case TScrollRequest::PageDown:
      leftCol_ += fits;
      caretCol_ -= fits;
      break;
    case TScrollRequest::ThumbPosition:
    case TScrollRequest::ThumbTrack:
      caretCol_ += leftCol_ - pos;
      leftCol_ = pos;
      break;
    case TScrollRequest::Top:
      leftCol_ = 0;
      caretCol_ = 1;
      break;
    case TScrollRequest::Bottom:
      break;
  }
  UpdateCaret();
  Paint();
}
