#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "EditorTestSupport.h"

namespace {

TEST(EditorTyping, AutomaticClosingPairsFollowTheCharactersBeforeTheCaret) {
  const struct { std::string typed, text; int caret; } cases[] = {
      {"(", "()", 1}, {"a((", "a(())", 3}, {"<", "<>", 1}, {"[", "[]", 1}, {"{", "{}", 1}, {"x)", "x)", 2},
      {"((", "(())", 2},        // two back is not "(": closes again
      {"(((", "((())", 3},      // with "(" two back no pair is added
      {"\"", "\"\"", 1}, {"\"x\"", "\"x\"\"", 3},
      {"\"\"", "\"\"\"", 2},    // right after a quote only one is typed
      {"'x'", "'x''", 3},       // a quote two back: only one is typed
  };
  for (const auto& c : cases) {
    EditorFixture f;
    Type(*f, c.typed);
    EXPECT_EQ(std::pair(f->Text(), f->SelStart()), std::pair(c.text, c.caret)) << c.typed;
  }
  EditorFixture off;
  off->SetAutoClose(TAutoClose{});
  Type(*off, "(\"<");
  EXPECT_EQ(off->Text(), "(\"<");
}

TEST(EditorTyping, TypingWithASelectionEnclosesOrReplacesIt) {
  EditorFixture e;
  e->SetText("say word now");
  Select(*e, 4, 4);
  e->KeyPress('<');
  EXPECT_EQ(e->Text(), "say <word> now");
  EXPECT_EQ(e->SelText(), "word");  // the enclosed word stays selected
  Select(*e, 0, 3);
  e->KeyPress('x');
  EXPECT_EQ(e->Text(), "x <word> now");
  Undo(*e, 2);  // the typed character and the deleted selection are separate records
  EXPECT_EQ(e->Text(), "say <word> now");
  e->SetSelStart(0);
  e->KeyPress('(');
  e->Undo();  // an automatic pair goes in one step
  EXPECT_EQ(e->Text(), "say <word> now");
}

TEST(EditorTyping, OverwriteModeReplacesWithinTheLineOnly) {
  EditorFixture e;
  e->SetText("abc");
  e->SetSelStart(1);
  Key(*e, vk::Insert);
  EXPECT_TRUE(e->OverWriteMode());
  EXPECT_EQ(e.host.caretWidth, 8);  // a block as wide as the character under it
  Type(*e, "XYZW");
  EXPECT_EQ(e->Text(), "aXYZW");
  EXPECT_EQ(e->UndoHistory().Record(3).EditKind, TUndoRecord::ekReplace);
  EXPECT_EQ(e->UndoHistory().Record(0).EditKind, TUndoRecord::ekInsert);
  Undo(*e, 3);
  EXPECT_EQ(e->Text(), "aXc");
}

TEST(EditorEnter, KeepsIndentationAndContinuesListItemsCellsAndOptions) {
  // at: where Enter is pressed; the line's end if negative
  const struct { std::string line, text; int caret, at = -1; } cases[] = {
      {"  <li>word", "  <li>word\r\n  <li>", 18}, {"<option>a", "<option>a\r\n<option>", 19},
      {"  <li>", "  <li>\r\n  ", 10},             // a bare item ends the list
      {"<td>cell", "<td>cell\r\n<td></td>", 14},  // the caret between the two tags
      {"<TD", "<TD\r\n<td></td>", 9},             {"<link rel=x>", "<link rel=x>\r\n", 14},
      {"   x", "   x\r\n   ", 9},                 {"  ab", "  a\r\n  b", 7, 3},
  };
  for (const auto& c : cases) {
    EditorFixture e;
    e->SetText(c.line);
    e->SetSelStart(c.at < 0 ? static_cast<int>(c.line.size()) : c.at);
    e->KeyPress('\r');
    EXPECT_EQ(std::pair(e->Text(), e->SelStart()), std::pair(c.text, c.caret)) << c.line;
    e->Undo();  // the break, the indentation and the continuation go together
    EXPECT_EQ(e->Text(), c.line);
  }
}

TEST(EditorKeys, EditingKeysTakeWhatTheyShouldAndLeaveTheCaretThere) {
  const int back = -1, tab = -2;  // typed characters; other entries are key codes, with Ctrl when asked
  const struct { std::string text; int caret, key; bool ctrl; std::string after; int caretAfter; } cases[] = {
      {"ab\r\ncd", 4, back, false, "abcd", 2},  // joins the lines
      {"abcd", 2, back, false, "acd", 1},        {"ab\r\n\r\ncd", 4, back, false, "ab\r\ncd", 2},
      {"acd", 0, back, false, "acd", 0},  // nothing before the start
      {"\r\nab", 2, back, false, "ab", 0},  // the line after an empty one
      {"ab\r\ncd", 2, vk::Delete, false, "abcd", 2}, {"ab\r\ncd", 6, vk::Delete, false, "ab\r\ncd", 6},
      {"acd", 0, tab, false, "     acd", 5},
      {"  ab", 4, vk::Home, false, "  ab", 2},  // Home goes to the first text column...
      {"  ab", 2, vk::Home, false, "  ab", 0},  // ... and from there to the line's start
      {"one two  three", 14, vk::Back, true, "one two", 7},  // back to the end of the previous word
      {"one two  three", 0, vk::Delete, true, "two  three", 0},  // up to the start of the next word
  };
  for (const auto& c : cases) {
    EditorFixture e;
    e->SetText(c.text);
    e->SetSelStart(c.caret);
    if (c.key == back) e->KeyPress('\b');
    else if (c.key == tab) e->KeyPress('\t');
    else Key(*e, c.key, c.ctrl ? TShiftState{ssCtrl} : TShiftState{});
    EXPECT_EQ(std::pair(e->Text(), e->SelStart()), std::pair(c.after, c.caretAfter)) << c.text << " " << c.key;
    if (e->Text() != c.text) {
      e->Undo();
      EXPECT_EQ(e->Text(), c.text);
    }
  }
  EditorFixture e;
  e->SetText("one two");
  e->SetSelStart(7);
  Key(*e, vk::Back, TShiftState{ssCtrl});
  e->KeyPress(127);  // the DEL character that Ctrl+Backspace also produces is not typed
  EXPECT_EQ(e->Text(), "one");
  // Ctrl+Delete types no character, so the next key's character is not skipped.
  Key(*e, vk::Delete, TShiftState{ssCtrl});
  Key(*e, vk::OtherCharacterKey);
  e->KeyPress(',');
  EXPECT_EQ(e->Text(), "one,");
  // A character composed by an input method has no key press of its own: nothing skips it.
  for (const int key : {vk::Delete, vk::Back, vk::Space}) {
    Key(*e, key, TShiftState{ssCtrl});
    e->ComposedCharacter('\xB3');
  }
  EXPECT_EQ(e->Text(), "one\xB3&nbsp;\xB3");
}

TEST(EditorKeys, WordMovesStopAtWordEdgesAndCrossLines) {
  const struct { const char* text; int from; bool right; int to; } cases[] = {
      {"one two three", 13, false, 7},  // just after the previous word
      {"one two", 4, false, 3}, {"x, y", 4, false, 1}, {"  ab", 4, false, 0}, {"ab", 2, false, 0},
      {"\xB9\xEA b", 4, false, 2},  // Polish letters are word characters
      {"ab\r\n\r\ncd", 6, false, 0},  // up past empty lines
      {"\r\n\r\nab", 4, false, 0},
      {"one two", 0, true, 4}, {"one two", 1, true, 4},  // the start of the next word
      {"one two", 3, true, 7},  // the scan starts one past the caret
      {"ab\r\ncd", 2, true, 4},  // from a line's end to the next line's start
      {"ab\r\n\r\n  cd", 4, true, 8}, {"x\r\n\r\n ,", 3, true, 7},  // down past empty lines to the first word
      {"abc", 1, true, 1}, {"ab\r\ncd", 6, true, 6},  // on the last line nothing when the scan starts at its end
  };
  for (const auto& c : cases) {
    EditorFixture f;
    f->SetText(c.text);
    f->SetSelStart(c.from);
    Key(*f, c.right ? vk::Right : vk::Left, TShiftState{ssCtrl});
    EXPECT_EQ(f->SelStart(), c.to) << c.text << " from " << c.from << (c.right ? " right" : " left");
  }
}

TEST(EditorKeys, UpAndDownScrollOnlyToKeepTheCaretAboveTheLastRow) {
  EditorFixture e(80, 6);
  std::string text = "0";
  for (int i = 1; i < 20; ++i) text += "\r\n" + std::to_string(i);
  e->SetText(text);
  e->SetSelStart(0);
  const int lowest = e->VisibleRows() - 2;  // the lowest row Down leaves the caret on
  e->SetSelStart(e->PosToOffset(lowest + 1, 1));  // a caret placed below it scrolls, keeping its screen row
  EXPECT_EQ(e->TopLine(), lowest + 1);
  e->SetSelStart(0);
  for (int line = 1; line < 20; ++line) {
    Key(*e, vk::Down);
    ASSERT_EQ(e->CurrentLine(), line);
    EXPECT_EQ(e->TopLine(), std::max(0, line - lowest)) << line;
  }
  Key(*e, vk::Down);  // no line below
  EXPECT_EQ(e->CurrentLine(), 19);
  for (int line = 18; line >= 0; --line) {
    Key(*e, vk::Up);
    ASSERT_EQ(e->CurrentLine(), line);
    EXPECT_EQ(e->TopLine(), std::min(19 - lowest, line)) << line;
  }
  Key(*e, vk::Next);  // a page down leaves the old last row on top, the caret on column 1 there
  EXPECT_EQ(std::pair(e->TopLine(), e->SelStart()), std::pair(e->VisibleRows() - 1, e->PosToOffset(e->VisibleRows() - 1, 1)));
}

TEST(EditorKeys, CtrlEndShowsTheLastLineInWindowsOfAnyHeight) {
  for (int rows = 1; rows <= 8; ++rows) {
    EditorFixture f(20, rows);
    f->SetText("a\r\nb\r\nc\r\nd\r\nlast");
    Key(*f, vk::End, TShiftState{ssCtrl});
    EXPECT_EQ(f->SelStart(), 16) << rows;
    EXPECT_LE(f->TopLine(), 4) << rows;
    EXPECT_TRUE(f->CaretRow() >= 0 && f->CaretRow() < std::max(rows - 1, 1)) << rows << " row " << f->CaretRow();
  }
}

TEST(EditorKeys, BookmarksWithCtrlAltAndClipboardKeys) {
  EditorFixture e;
  e->SetText("a\r\nb\r\nc");
  e->SetSelStart(3);
  Key(*e, '3', TShiftState{ssCtrl, ssAlt});
  EXPECT_EQ(e->GetBookmark(3), 1);
  e->SetSelStart(6);
  Key(*e, '3', TShiftState{ssCtrl, ssAlt});  // on another line it moves there
  EXPECT_EQ(e->GetBookmark(3), 2);
  Key(*e, '3', TShiftState{ssCtrl, ssAlt});  // on its own line it is cleared
  EXPECT_EQ(e->GetBookmark(3), -1);
  e->SetSelStart(6);
  Key(*e, '5', TShiftState{ssCtrl, ssAlt});
  e->SetSelStart(0);
  Key(*e, '5', TShiftState{ssCtrl});
  EXPECT_EQ(std::pair(e->CurrentLine(), e->SelStart()), std::pair(2, e->PosToOffset(2, 1)));  // typing goes there

  int key = 'A';
  e->KeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(key, 0);
  key = 'C';
  e->KeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(e.host.clipboard, "a\r\nb\r\nc");
  Key(*e, vk::Space, TShiftState{ssCtrl});  // wraps the selection
  EXPECT_EQ(e->Text(), "&nbsp;a\r\nb\r\nc");
  e->SetText("");
  Key(*e, vk::Space, TShiftState{ssCtrl});
  e->KeyPress(' ');  // the blank of Ctrl+Space is not typed
  EXPECT_EQ(e->Text(), "&nbsp;");
  e->SetWMLMode(true);
  Key(*e, vk::Space, TShiftState{ssCtrl});
  e->KeyPress(' ');
  EXPECT_EQ(e->Text(), "&nbsp;");
}

TEST(EditorMouse, ClickShiftClickDragAndDoubleClick) {
  EditorFixture e;
  e->SetText("alpha beta\r\ngamma");
  // x = gutter + 3.6 characters: the nearer boundary is after the fourth character.
  e->MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40 + 29, 2);
  e->MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  EXPECT_EQ(e->SelStart(), 4);
  e->MouseDown(TMouseButton::mbLeft, TShiftState{ssShift, ssLeft}, 40 + 16, 16 + 3);
  EXPECT_EQ(e->SelText(), "a beta\r\nga");
  e->MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  e->MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40 + 200, 16 * 10);  // below the text
  EXPECT_EQ(e->CurrentLine(), 1);
  e->MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40, 0);
  e->MouseMove(TShiftState{ssLeft}, 40 + 24, 16);
  e->MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  EXPECT_EQ(e->SelText(), "alpha beta\r\ngam");
  e->MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40 + 60, 2);
  e->MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  e->DoubleClick();
  EXPECT_EQ(e->SelText(), "beta");
  e->MouseMove(TShiftState{}, 10, 10);
  EXPECT_EQ(e.host.cursor, EditorHost::Cursor::Arrow);
}

TEST(EditorMouse, DraggingOutsideTheWindowScrollsWhileTheTimerTicks) {
  EditorFixture e(80, 10);
  std::string text;
  for (int i = 0; i < 40; ++i) text += "row\r\n";
  e->SetText(text);
  e->SetSelStart(0);
  EXPECT_FALSE(e.host.timerRunning);
  e->MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40, 2);
  EXPECT_TRUE(e.host.timerRunning);
  e->MouseMove(TShiftState{ssLeft}, 60, 16 * 12);  // below the last visible row
  for (int i = 0; i < 5; ++i) e->TimerTick();
  EXPECT_EQ(std::pair(e->TopLine(), e->SelStart()), std::pair(5, 0));
  EXPECT_GT(e->SelLength(), 0);
  e->MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  EXPECT_FALSE(e.host.timerRunning);
  e->TimerTick();  // a tick after the release changes nothing
  EXPECT_EQ(e->TopLine(), 5);
  // Above the window the ticks scroll up to the first line, and the selection reaches its start.
  e->MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40, 2);
  e->MouseMove(TShiftState{ssLeft}, 40, -20);
  for (int i = 0; i < 8; ++i) e->TimerTick();
  e->MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  EXPECT_EQ(std::tuple(e->TopLine(), e->SelStart(), e->SelLength()), std::tuple(0, 0, e->PosToOffset(5, 1)));
  // Past the end of a short text the drag selects up to its end, and the caret stays the selection's end.
  e->SetText("hello world\r\nab");
  e->MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 80, 5);  // after "hello"
  e->MouseMove(TShiftState{ssLeft}, 40 + 300, 16 * 30);
  for (int i = 0; i < 5; ++i) e->TimerTick();
  e->MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  EXPECT_EQ(e->SelText(), " world\r\nab");
  EXPECT_EQ(e->SelEnd(), (TTextPos{3, 1}));
  EXPECT_EQ(std::pair(e->LeftCol() + e->CaretCol(), e->CurrentLine()), std::pair(3, 1));
}

TEST(EditorMouse, WheelScrollsByTheConfiguredSizes) {
  EditorFixture e(80, 10);
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  e->SetText(text);
  e->SetSelStart(0);
  // A notch with the default sizes moves the view by 4 lines; the caret keeps its text line.
  const struct { int delta; bool ctrl; int top; } steps[] = {{-120, false, 4}, {-240, false, 5}, {120, false, 1},
                                                             {120, false, 0}, {-120, true, 0}};
  for (const auto& s : steps) {
    e->MouseWheel(s.delta, s.ctrl ? TShiftState{ssCtrl} : TShiftState{});
    EXPECT_EQ(std::pair(e->TopLine(), e->CurrentLine()), std::pair(s.top, 0)) << s.delta;
  }
}

}  // namespace
