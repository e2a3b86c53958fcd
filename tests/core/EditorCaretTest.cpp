// The caret is the selection's end point on an existing line after every scroll, drag and re-wrap, so
// typing lands where SelStart says and Undo takes back only what was typed.
#include <gtest/gtest.h>

#include <string>

#include "EditorTestSupport.h"

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

}  // namespace
