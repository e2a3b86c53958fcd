#include "editor/TRowDiffCanvas.h"

#include <algorithm>
#include <limits>

void TRowDiffCanvas::Begin(Canvas& target) {
  if (target_ != &target) previous_.clear();
  target_ = &target;
  cellHeight_ = target.CellHeight();
  current_.clear();
  currentIndex_ = -1;
}

void TRowDiffCanvas::Segment(int key) {
  if (currentIndex_ >= 0 && current_[static_cast<std::size_t>(currentIndex_)].key == key) return;
  for (std::size_t i = 0; i < current_.size(); ++i) {
    if (current_[i].key == key) {
      currentIndex_ = static_cast<int>(i);
      return;
    }
  }
  Seg s;
  s.key = key;
  s.fontName = fontName_;
  s.fontSize = fontSize_;
  s.clip = clip_;
  // Segments usually come in the order of the last paint: look there first.
  const std::size_t guess = current_.size();
  if (guess < previous_.size() && previous_[guess].key == key) {
    s.previous = static_cast<int>(guess);
  } else {
    for (std::size_t i = 0; i < previous_.size(); ++i)
      if (previous_[i].key == key) s.previous = static_cast<int>(i);
  }
  s.diverged = s.previous < 0;
  current_.push_back(std::move(s));
  currentIndex_ = static_cast<int>(current_.size()) - 1;
}

void TRowDiffCanvas::Add(const Call& call, std::string_view text, Rect area) {
  if (currentIndex_ < 0) Segment(0);
  Seg& s = current_[static_cast<std::size_t>(currentIndex_)];
  if (!s.diverged) {
    const std::vector<Call>& before = previous_[static_cast<std::size_t>(s.previous)].calls;
    if (s.matched < before.size() && SameCall(before[s.matched], call, text)) {
      ++s.matched;
    } else {
      // From here on the segment differs: what matched so far is stored after all.
      s.calls.assign(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(s.matched));
      s.diverged = true;
    }
  }
  if (s.diverged) {
    s.calls.push_back(call);
    s.calls.back().text = text;
  }
  // Nothing is drawn outside the clip: a line number cut at the gutter's edge does not reach the rows.
  if (clip_.right > clip_.left && clip_.bottom > clip_.top) {
    area = {std::max(area.left, clip_.left), std::max(area.top, clip_.top), std::min(area.right, clip_.right),
            std::min(area.bottom, clip_.bottom)};
  }
  if (area.right <= area.left || area.bottom <= area.top) return;
  if (s.empty) {
    s.extent = area;
    s.empty = false;
  } else {
    s.extent = {std::min(s.extent.left, area.left), std::min(s.extent.top, area.top),
                std::max(s.extent.right, area.right), std::max(s.extent.bottom, area.bottom)};
  }
}

void TRowDiffCanvas::SetFont(const std::string& name, int size) {
  fontName_ = name;
  fontSize_ = size;
  target_->SetFont(name, size);
  cellHeight_ = target_->CellHeight();
  if (currentIndex_ >= 0) Add({Kind::Font, size, 0, 0, 0, 0, 0, {}}, name, {});
}

void TRowDiffCanvas::TextOut(int x, int y, std::string_view text, TColor fg, TColor bg) {
  // Text is taken to reach the right edge rather than measured: nothing is drawn right of a row's text
  // but more of that row (and its end is 1024 blanks anyway), so the wider area costs no redraws.
  const Rect area{x, y, std::numeric_limits<int>::max() / 2, y + cellHeight_};
  Add({Kind::Text, x, y, 0, 0, fg, bg, {}}, text, area);
}

void TRowDiffCanvas::CharacterOut(int x, int y, int cellWidth, char32_t character, TColor fg, TColor bg) {
  Add({Kind::Character, x, y, cellWidth, static_cast<int>(character), fg, bg, {}}, {}, {x, y, x + cellWidth, y + cellHeight_});
}

void TRowDiffCanvas::FillRect(int left, int top, int right, int bottom, TColor color) {
  Add({Kind::Fill, left, top, right, bottom, color, 0, {}}, {}, {left, top, right, bottom});
}

void TRowDiffCanvas::SetPixel(int x, int y, TColor color) {
  Add({Kind::Pixel, x, y, 0, 0, color, 0, {}}, {}, {x, y, x + 1, y + 1});
}

void TRowDiffCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
  Add({Kind::Line, x1, y1, x2, y2, color, 0, {}}, {},
      {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1});
}

void TRowDiffCanvas::DrawGlyph(int index, int x, int y) {
  // Gutter glyphs are 16 x 16.
  Add({Kind::Glyph, index, x, y, 0, 0, 0, {}}, {}, {x, y, x + 16, y + 16});
}

void TRowDiffCanvas::SetClip(int left, int top, int right, int bottom) {
  clip_ = {left, top, right, bottom};
  Add({Kind::Clip, left, top, right, bottom, 0, 0, {}}, {}, {});
}

bool TRowDiffCanvas::SameAsBefore(const Seg& s) const {
  if (s.diverged) return false;
  const Seg& o = previous_[static_cast<std::size_t>(s.previous)];
  return s.matched == o.calls.size() && s.fontName == o.fontName && s.fontSize == o.fontSize &&
         s.clip.left == o.clip.left && s.clip.top == o.clip.top && s.clip.right == o.clip.right &&
         s.clip.bottom == o.clip.bottom;
}

void TRowDiffCanvas::Replay(const Seg& s) {
  target_->SetFont(s.fontName, s.fontSize);
  target_->SetClip(s.clip.left, s.clip.top, s.clip.right, s.clip.bottom);
  for (const Call& c : s.calls) {
    switch (c.kind) {
      case Kind::Text: target_->TextOut(c.a, c.b, c.text, c.fg, c.bg); break;
      case Kind::Character: target_->CharacterOut(c.a, c.b, c.c, static_cast<char32_t>(c.d), c.fg, c.bg); break;
      case Kind::Fill: target_->FillRect(c.a, c.b, c.c, c.d, c.fg); break;
      case Kind::Pixel: target_->SetPixel(c.a, c.b, c.fg); break;
      case Kind::Line: target_->Line(c.a, c.b, c.c, c.d, c.fg); break;
      case Kind::Glyph: target_->DrawGlyph(c.a, c.b, c.c); break;
      case Kind::Clip: target_->SetClip(c.a, c.b, c.c, c.d); break;
      case Kind::Font: target_->SetFont(c.text, c.a); break;
    }
  }
}

void TRowDiffCanvas::Finish() {
  // Areas whose pixels are being redrawn: where changed segments drew last time, and then everything
  // drawn again now. A segment overlapping them is drawn again too, in the paint's own order.
  std::vector<Rect> dirty;
  std::vector<bool> changed(current_.size(), true);
  std::vector<bool> kept(previous_.size(), false);
  for (std::size_t i = 0; i < current_.size(); ++i) {
    Seg& s = current_[i];
    if (!SameAsBefore(s)) {
      // A segment that drew only the start of what it drew before has not stored its calls yet.
      if (!s.diverged) {
        const std::vector<Call>& before = previous_[static_cast<std::size_t>(s.previous)].calls;
        s.calls.assign(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(s.matched));
        s.diverged = true;
      }
      continue;
    }
    changed[i] = false;
    kept[static_cast<std::size_t>(s.previous)] = true;
    s.calls = std::move(previous_[static_cast<std::size_t>(s.previous)].calls);
  }
  for (std::size_t i = 0; i < previous_.size(); ++i)
    if (!kept[i] && !previous_[i].empty) dirty.push_back(previous_[i].extent);
  bool drew = false;
  for (std::size_t i = 0; i < current_.size(); ++i) {
    const Seg& s = current_[i];
    bool redraw = changed[i];
    for (std::size_t k = 0; !redraw && !s.empty && k < dirty.size(); ++k) redraw = s.extent.Overlaps(dirty[k]);
    if (!redraw) continue;
    Replay(s);
    drew = true;
    if (!s.empty) dirty.push_back(s.extent);
  }
  if (drew) {
    target_->SetFont(fontName_, fontSize_);
    target_->SetClip(clip_.left, clip_.top, clip_.right, clip_.bottom);
  }
  previous_.swap(current_);
  current_.clear();
  currentIndex_ = -1;
}
