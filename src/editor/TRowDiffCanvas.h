#pragma once
#include <string>
#include <vector>

#include "platform/Canvas.h"

// Collects one paint of the editor, grouped into segments (a text row, the gutter, the area below the
// text), and passes on to the real canvas only what differs from the paint before: the segments whose
// drawing changed, and every segment that overlaps an area being redrawn, in the order they were drawn.
// A keystroke then redraws its own row instead of the window. Meant for a surface that keeps what was
// drawn on it (a back buffer); Forget when it did not.
class TRowDiffCanvas final : public Canvas {
public:
  // Starts collecting a paint meant for `target`; measuring and font choice go straight to it.
  void Begin(Canvas& target);
  // The calls that follow belong to segment `key`, whose drawing must not reach outside its own area
  // except over segments drawn after it.
  void Segment(int key);
  // Draws on the target what changed since the last Finish.
  void Finish();
  // The target no longer shows the last paint: the next Finish draws everything.
  void Forget() { previous_.clear(); }

  void SetFont(const std::string& name, int size) override;
  int CellHeight() override { return cellHeight_; }
  int AverageCharWidth() override { return target_->AverageCharWidth(); }
  int TextWidth(std::string_view text) override { return target_->TextWidth(text); }
  void TextOut(int x, int y, std::string_view text, TColor fg, TColor bg) override;
  void CharacterOut(int x, int y, int cellWidth, char32_t character, TColor fg, TColor bg) override;
  void FillRect(int left, int top, int right, int bottom, TColor color) override;
  void SetPixel(int x, int y, TColor color) override;
  void Line(int x1, int y1, int x2, int y2, TColor color) override;
  void DrawGlyph(int index, int x, int y) override;
  void SetClip(int left, int top, int right, int bottom) override;

private:
  struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Overlaps(const Rect& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
  };
  enum class Kind : unsigned char { Text, Character, Fill, Pixel, Line, Glyph, Clip, Font };
  struct Call {
    Kind kind;
    int a = 0, b = 0, c = 0, d = 0;
    TColor fg = 0, bg = 0;
    std::string text;
    bool operator==(const Call&) const = default;
  };
  struct Seg {
    int key = 0;
    // The font and clip in force when the segment began.
    std::string fontName;
    int fontSize = 0;
    Rect clip;
    std::vector<Call> calls;
    Rect extent;
    bool empty = true;  // extent not set yet
    // While the calls repeat those of the last paint's segment of the same key (`previous`, an index
    // into previous_), they are only counted, not stored: most rows draw what they drew before, and
    // copying their text (a row's end alone is 1024 blanks) would cost more than comparing it.
    int previous = -1;
    std::size_t matched = 0;
    bool diverged = false;
  };
  // Adds a call; `text` is the call's text, stored only once the segment differs from the last paint.
  void Add(const Call& call, std::string_view text, Rect area);
  static bool SameCall(const Call& stored, const Call& call, std::string_view text) {
    return stored.kind == call.kind && stored.a == call.a && stored.b == call.b && stored.c == call.c &&
           stored.d == call.d && stored.fg == call.fg && stored.bg == call.bg && stored.text == text;
  }
  // Whether a segment of this paint draws exactly what its namesake in the last paint drew.
  bool SameAsBefore(const Seg& s) const;
  void Replay(const Seg& s);

  Canvas* target_ = nullptr;
  std::vector<Seg> previous_, current_;
  int currentIndex_ = -1;
  std::string fontName_;
  int fontSize_ = 0;
  int cellHeight_ = 0;
  Rect clip_;
};
