// The caret is the selection's end point on an existing line after every scroll, drag and re-wrap, so
// typing lands where SelStart says and Undo takes back only what was typed.
#include <gtest/gtest.h>

#include <algorithm>
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

// Dragging, ticks, the wheel, scrolling, fonts and typing in any order are checked against a model by
// ForeignMarks.RandomEditsMatchAUnicodeModel; here the text a drag past the end of the last line selects.
TEST(EditorCaret, DraggingBelowTheWindowSelectsUpToTheEndOfTheText) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("hello world\r\nab");
  e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 80, 5);  // after "hello"
  e.MouseMove(TShiftState{ssLeft}, 40 + 300, 16 * 30);             // below the window
  for (int i = 0; i < 5; ++i) e.TimerTick();
  e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  ExpectSound(e, "two lines");
  EXPECT_EQ(e.SelText(), " world\r\nab");
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
