// The caret is the selection's end point on an existing line after every scroll, drag and re-wrap, so
// typing lands where SelStart says and Undo takes back only what was typed.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "EditorTestSupport.h"
#include "editor/PrefixSearch.h"

namespace {

// The caret stands on a stored line and the selection lies inside the text.
void ExpectSound(TQuillEditor& e, const std::string& what) {
  EXPECT_GE(e.CurrentLine(), 0) << what;
  EXPECT_LT(e.CurrentLine(), e.Lines().Count()) << what;
  EXPECT_EQ(e.SelEnd().Line, e.CurrentLine()) << what;
  EXPECT_LE(e.SelStart() + e.SelLength(), static_cast<int>(e.Text().size())) << what;
}

TEST(EditorCaret, DraggingBelowTheWindowOfAShortDocumentKeepsTheCaretOnText) {
  for (const int ticks : {0, 5}) {
    EditorFixture f;
    TQuillEditor& e = *f;
    e.SetText("hello world");
    e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 80, 5);  // after "hello"
    e.MouseMove(TShiftState{ssLeft}, 80, 16 * 30);                  // below the window
    for (int i = 0; i < ticks; ++i) e.TimerTick();
    e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 80, 16 * 30);
    ExpectSound(e, "after the drag");
    e.KeyPress('X');
    EXPECT_EQ(e.Text(), "helloX world") << ticks;
    e.Undo();
    EXPECT_EQ(e.Text(), "hello world") << ticks;
  }
  // Past the end of the last line the drag selects up to it.
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("hello world\r\nab");
  e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 80, 5);
  e.MouseMove(TShiftState{ssLeft}, 40 + 300, 16 * 30);
  for (int i = 0; i < 5; ++i) e.TimerTick();
  e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  ExpectSound(e, "two lines");
  EXPECT_EQ(e.SelText(), " world\r\nab");
}

TEST(EditorCaret, TheWheelMovesTheViewButNotTheCaret) {
  EditorFixture f(80, 10);
  TQuillEditor& e = *f;
  e.SetText("0\r\n1\r\n2\r\n3");
  e.SetSelStart(10);
  e.MouseWheel(120, TShiftState{});  // up, at the top already
  ExpectSound(e, "wheel up");
  e.KeyPress('Q');
  EXPECT_EQ(e.Text(), "0\r\n1\r\n2\r\n3Q");
  e.Undo();
  EXPECT_EQ(e.Text(), "0\r\n1\r\n2\r\n3");
}

TEST(EditorCaret, AFontChangeWithWordWrapKeepsTheSelectionOnItsText) {
  const std::string text = "aaaa bbbb cccc dddd eeee ffff gggg";  // 34 bytes
  for (const bool wider : {true, false}) {
    EditorFixture f(20, 8);
    TQuillEditor& e = *f;
    e.SetWordWrap(true);
    e.SetText(text);
    Select(e, 10, 9);  // "cccc dddd"
    f.host.canvas.charWidth = wider ? 16 : 4;
    e.SetFont(TFont{"Other", wider ? 20 : 5});
    EXPECT_EQ(e.SelStart(), 10) << wider;
    EXPECT_EQ(e.SelText(), "cccc dddd") << wider;
    e.SetSelStart(34);
    f.host.canvas.charWidth = 8;
    e.SetFont(TFont{"Third", 10});
    ExpectSound(e, "after the font change");
    EXPECT_EQ(e.SelStart(), 34) << wider;
    e.KeyPress('Z');
    EXPECT_EQ(e.Text(), text + "Z") << wider;
    e.Undo();
    EXPECT_EQ(e.Text(), text) << wider;
  }
}

TEST(EditorRandomized, ScrollsDragsWheelAndFontChangesKeepTypingAtSelStart) {
  for (const unsigned seed : {1u, 2u, 3u}) {
    EditorFixture f(24, 6);
    TQuillEditor& e = *f;
    e.SetAutoClose(TAutoClose{});
    e.SetAutoFollow(TAutoFollow{});
    e.SetTextEnter(false);
    std::mt19937 rng(seed);
    std::string model;
    bool dragging = false;
    const auto scroll = TQuillEditor::TScrollRequest{};
    for (int step = 0; step < 1500; ++step) {
      const int pick = static_cast<int>(rng() % 12);
      const int x = static_cast<int>(rng() % 260), y = static_cast<int>(rng() % 160) - 10;
      if (pick < 4 || (pick < 6 && dragging)) {
        if (dragging) e.MouseUp(TMouseButton::mbLeft, TShiftState{}, x, y);
        dragging = false;
        const int p = e.SelStart(), n = e.SelLength();
        const char c = pick == 0 ? '\r' : "ab cd.\t"[rng() % 7];
        e.KeyPress(c);
        const std::string typed = c == '\r' ? "\r\n" : c == '\t' ? std::string(5, ' ') : std::string(1, c);
        model.replace(static_cast<std::size_t>(p), static_cast<std::size_t>(n), typed);
        ASSERT_EQ(e.SelStart(), p + static_cast<int>(typed.size())) << "step " << step;
      } else if (pick == 4) {
        e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, x, std::max(y, 0));
        dragging = true;
      } else if (pick == 5) {
        e.MouseMove(TShiftState{ssLeft}, x, rng() % 2 ? y : y + 200);  // often below the window
      } else if (pick == 6) {
        e.TimerTick();
      } else if (pick == 7) {
        e.MouseWheel(rng() % 2 ? 120 : -240, TShiftState{});
      } else if (pick == 8) {
        const int widths[] = {4, 8, 12};
        f.host.canvas.charWidth = widths[rng() % 3];
        e.SetFont(TFont{"F", f.host.canvas.charWidth});
      } else if (pick == 9 && !dragging) {
        e.SetWordWrap(!e.WordWrap());
      } else if (pick == 10) {
        const TQuillEditor::TScrollRequest r[] = {scroll, TQuillEditor::TScrollRequest::LineDown,
                                                  TQuillEditor::TScrollRequest::PageUp,
                                                  TQuillEditor::TScrollRequest::PageDown};
        e.VScroll(r[rng() % 4], 0);
      } else {
        const auto p = static_cast<std::size_t>(e.SelStart()), n = static_cast<std::size_t>(e.SelLength());
        e.KeyPress('\b');
        if (n > 0) model.erase(p, n);
        else if (p >= 2 && model.compare(p - 2, 2, "\r\n") == 0) model.erase(p - 2, 2);
        else if (p >= 1) model.erase(p - 1, 1);
      }
      const std::string at = "step " + std::to_string(step);
      ASSERT_EQ(e.Text(), model) << at;
      ASSERT_GE(e.CurrentLine(), 0) << at;
      ASSERT_LT(e.CurrentLine(), e.Lines().Count()) << at;
      ASSERT_EQ(e.SelEnd(), (TTextPos{e.LeftCol() + e.CaretCol(), e.CurrentLine()})) << at;
      ASSERT_GE(e.SelStart(), 0) << at;
      ASSERT_LE(e.SelStart() + e.SelLength(), static_cast<int>(model.size())) << at;
    }
  }
}

TEST(PrefixSearch, FindsWhereAConditionStopsHoldingAsAScanWould) {
  for (int lo = 0; lo < 6; ++lo)
    for (int hi = lo; hi < 12; ++hi)
      for (int edge = -1; edge < 13; ++edge) {
        int scan = lo;
        while (scan < hi && scan < edge) ++scan;
        EXPECT_EQ(FirstFailing(lo, hi, [&](int k) { return k < edge; }), scan) << lo << " " << hi << " " << edge;
      }
  EXPECT_EQ(LongestFitting(5, [](int k) { return k * 8 <= 20; }), 2);
  EXPECT_EQ(LongestFitting(5, [](int k) { return k * 8 <= -1; }), 0);
}

}  // namespace
