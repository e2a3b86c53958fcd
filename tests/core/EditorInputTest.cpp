#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "EditorTestSupport.h"

namespace {

int Column(TQuillEditor& e) { return e.LeftCol() + e.CaretCol(); }

TEST(EditorTyping, AutomaticClosingPairsFollowTheCharactersBeforeTheCaret) {
  struct Case {
    std::string typed, text;
    int caret;
  } cases[] = {
      {"(", "()", 1},
      {"((", "(())", 2},        // two back is not "(": closes again
      {"(((", "((())", 3},      // with "(" two back no pair is added
      {"a((", "a(())", 3},
      {"\"", "\"\"", 1},
      {"\"\"", "\"\"\"", 2},    // right after a quote only one is typed
      {"'x'", "'x''", 3},       // a quote two back: only one is typed
      {"<", "<>", 1},
      {"[", "[]", 1},
      {"{", "{}", 1},
      {"x)", "x)", 2},
  };
  for (const Case& c : cases) {
    EditorFixture f;
    Type(*f, c.typed);
    EXPECT_EQ(f->Text(), c.text) << c.typed;
    EXPECT_EQ(f->SelStart(), c.caret) << c.typed;
  }
  EditorFixture off;
  off->SetAutoClose(TAutoClose{});
  Type(*off, "(\"<");
  EXPECT_EQ(off->Text(), "(\"<");
}

TEST(EditorTyping, TypingWithASelectionEnclosesOrReplacesIt) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("say word now");
  Select(e, 4, 4);
  e.KeyPress('<');
  EXPECT_EQ(e.Text(), "say <word> now");
  EXPECT_EQ(e.SelText(), "word");  // the enclosed word stays selected
  Select(e, 0, 3);
  e.KeyPress('x');
  EXPECT_EQ(e.Text(), "x <word> now");
  e.Undo();  // the typed character...
  e.Undo();  // ... and the deleted selection are separate records
  EXPECT_EQ(e.Text(), "say <word> now");
  e.SetSelStart(0);
  e.KeyPress('(');
  e.Undo();  // an automatic pair goes in one step
  EXPECT_EQ(e.Text(), "say <word> now");
}

TEST(EditorTyping, OverwriteModeReplacesWithinTheLineOnly) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("abc");
  e.SetSelStart(1);
  Key(e, vk::Insert);
  EXPECT_TRUE(e.OverWriteMode());
  EXPECT_EQ(f.host.caretWidth, 8);  // a block as wide as the character under it
  Type(e, "XYZW");
  EXPECT_EQ(e.Text(), "aXYZW");
  EXPECT_EQ(e.UndoHistory().Record(3).EditKind, TUndoRecord::ekReplace);
  EXPECT_EQ(e.UndoHistory().Record(0).EditKind, TUndoRecord::ekInsert);
  Undo(e, 3);
  EXPECT_EQ(e.Text(), "aXc");
}

TEST(EditorEnter, KeepsIndentationAndContinuesListItemsCellsAndOptions) {
  struct Case {
    std::string line, text;
    int caret;
    int at = -1;  // where Enter is pressed; the line's end if negative
  } cases[] = {
      {"  <li>word", "  <li>word\r\n  <li>", 18},
      {"  <li>", "  <li>\r\n  ", 10},             // a bare item ends the list
      {"<td>cell", "<td>cell\r\n<td></td>", 14},  // the caret between the two tags
      {"<TD", "<TD\r\n<td></td>", 9},
      {"<link rel=x>", "<link rel=x>\r\n", 14},
      {"<option>a", "<option>a\r\n<option>", 19},
      {"   x", "   x\r\n   ", 9},
      {"  ab", "  a\r\n  b", 7, 3},
  };
  for (const Case& c : cases) {
    EditorFixture f;
    TQuillEditor& e = *f;
    e.SetText(c.line);
    e.SetSelStart(c.at < 0 ? static_cast<int>(c.line.size()) : c.at);
    e.KeyPress('\r');
    EXPECT_EQ(e.Text(), c.text) << c.line;
    EXPECT_EQ(e.SelStart(), c.caret) << c.line;
    e.Undo();  // the break, the indentation and the continuation go together
    EXPECT_EQ(e.Text(), c.line);
  }
}

TEST(EditorKeys, BackspaceDeleteTabAndWordDeletion) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("ab\r\ncd");
  e.SetSelStart(4);
  e.KeyPress('\b');  // joins the lines
  EXPECT_EQ(e.Text(), "abcd");
  EXPECT_EQ(e.SelStart(), 2);
  e.KeyPress('\b');
  EXPECT_EQ(e.Text(), "acd");
  e.SetSelStart(0);
  e.KeyPress('\b');  // nothing before the start
  EXPECT_EQ(e.Text(), "acd");
  e.KeyPress('\t');
  EXPECT_EQ(e.Text(), "     acd");
  Undo(e, 3);
  EXPECT_EQ(e.Text(), "ab\r\ncd");

  e.SetText("one two  three");
  e.SetSelStart(14);
  Key(e, vk::Back, TShiftState{ssCtrl});
  EXPECT_EQ(e.Text(), "one two");  // back to the end of the previous word
  e.KeyPress(127);                 // the DEL character that Ctrl+Backspace also produces
  EXPECT_EQ(e.Text(), "one two");
  e.SetSelStart(0);
  Key(e, vk::Delete, TShiftState{ssCtrl});
  EXPECT_EQ(e.Text(), "two");  // up to the start of the next word
  // Ctrl+Delete types no character, so the next key's character is not skipped.
  Key(e, vk::OtherCharacterKey);
  e.KeyPress(',');
  EXPECT_EQ(e.Text(), ",two");
}

TEST(EditorKeys, HomeTogglesAndVerticalMovesKeepTheDesiredColumn) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("   x\r\nlonger line\r\nab\r\nthe fourth line");
  e.SetSelStart(2);
  Key(e, vk::Home);
  EXPECT_EQ(Column(e), 4);
  Key(e, vk::Home);
  EXPECT_EQ(Column(e), 1);
  Key(e, vk::Home);
  EXPECT_EQ(Column(e), 4);
  Key(e, vk::Down);
  Key(e, vk::End);
  EXPECT_EQ(Column(e), 12);
  Key(e, vk::Down);
  EXPECT_EQ(Column(e), 3);  // limited to the short line's end
  Key(e, vk::Down);
  EXPECT_EQ(Column(e), 12);  // the desired column again
  Key(e, vk::Right);
  Key(e, vk::Left);
  Key(e, vk::Left);
  EXPECT_EQ(Column(e), 11);
  Key(e, vk::Home, TShiftState{ssCtrl});
  EXPECT_EQ(e.SelStart(), 0);
  Key(e, vk::End, TShiftState{ssShift, ssCtrl});
  EXPECT_EQ(e.SelLength(), static_cast<int>(e.Text().size()));
}

TEST(EditorKeys, BookmarksWithCtrlAltAndClipboardKeys) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("a\r\nb\r\nc");
  e.SetSelStart(3);
  Key(e, '3', TShiftState{ssCtrl, ssAlt});
  EXPECT_EQ(e.GetBookmark(3), 1);
  e.SetSelStart(6);
  Key(e, '3', TShiftState{ssCtrl, ssAlt});  // on another line it moves there
  EXPECT_EQ(e.GetBookmark(3), 2);
  Key(e, '3', TShiftState{ssCtrl, ssAlt});  // on its own line it is cleared
  EXPECT_EQ(e.GetBookmark(3), -1);
  e.SetSelStart(6);
  Key(e, '5', TShiftState{ssCtrl, ssAlt});
  e.SetSelStart(0);
  Key(e, '5', TShiftState{ssCtrl});
  EXPECT_EQ(e.CurrentLine(), 2);

  int key = 'A';
  e.KeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(key, 0);
  key = 'C';
  e.KeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(f.host.clipboard, "a\r\nb\r\nc");
  Key(e, vk::Space, TShiftState{ssCtrl});  // wraps the selection
  EXPECT_EQ(e.Text(), "&nbsp;a\r\nb\r\nc");
  e.SetText("");
  Key(e, vk::Space, TShiftState{ssCtrl});
  e.KeyPress(' ');  // the blank of Ctrl+Space is not typed
  EXPECT_EQ(e.Text(), "&nbsp;");
  e.SetWMLMode(true);
  Key(e, vk::Space, TShiftState{ssCtrl});
  e.KeyPress(' ');
  EXPECT_EQ(e.Text(), "&nbsp;");
}

TEST(EditorMouse, ClickShiftClickDragAndDoubleClick) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("alpha beta\r\ngamma");
  // x = gutter + 3.6 characters: the nearer boundary is after the fourth character.
  e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40 + 29, 2);
  e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  EXPECT_EQ(e.SelStart(), 4);
  e.MouseDown(TMouseButton::mbLeft, TShiftState{ssShift, ssLeft}, 40 + 16, 16 + 3);
  EXPECT_EQ(e.SelText(), "a beta\r\nga");
  e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40 + 200, 16 * 10);  // below the text
  EXPECT_EQ(e.CurrentLine(), 1);
  e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40, 0);
  e.MouseMove(TShiftState{ssLeft}, 40 + 24, 16);
  e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  EXPECT_EQ(e.SelText(), "alpha beta\r\ngam");
  e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40 + 60, 2);
  e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  e.DoubleClick();
  EXPECT_EQ(e.SelText(), "beta");
  e.MouseMove(TShiftState{}, 10, 10);
  EXPECT_EQ(f.host.cursor, EditorHost::Cursor::Arrow);
}

TEST(EditorMouse, DraggingBelowTheWindowScrollsWhileTheTimerTicks) {
  EditorFixture f(80, 10);
  TQuillEditor& e = *f;
  std::string text;
  for (int i = 0; i < 40; ++i) text += "row\r\n";
  e.SetText(text);
  e.SetSelStart(0);
  EXPECT_FALSE(f.host.timerRunning);
  e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, 40, 2);
  EXPECT_TRUE(f.host.timerRunning);
  e.MouseMove(TShiftState{ssLeft}, 60, 16 * 12);  // below the last visible row
  for (int i = 0; i < 5; ++i) e.TimerTick();
  EXPECT_EQ(e.TopLine(), 5);
  EXPECT_EQ(e.SelStart(), 0);
  EXPECT_GT(e.SelLength(), 0);
  e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
  EXPECT_FALSE(f.host.timerRunning);
  e.TimerTick();  // a tick after the release changes nothing
  EXPECT_EQ(e.TopLine(), 5);
}

TEST(EditorMouse, WheelScrollsByTheConfiguredSizes) {
  EditorFixture f(80, 10);
  TQuillEditor& e = *f;
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  e.SetText(text);
  e.SetSelStart(0);
  e.MouseWheel(-120, TShiftState{});
  EXPECT_EQ(e.TopLine(), 4);  // a notch with the default sizes moves the view by 4 lines
  EXPECT_EQ(e.CurrentLine(), 0);  // the caret keeps its text line
  e.MouseWheel(-240, TShiftState{});
  EXPECT_EQ(e.TopLine(), 5);
  e.MouseWheel(120, TShiftState{});
  EXPECT_EQ(e.TopLine(), 1);
  e.MouseWheel(120, TShiftState{});
  EXPECT_EQ(e.TopLine(), 0);
  e.MouseWheel(-120, TShiftState{ssCtrl});
  EXPECT_EQ(e.TopLine(), 0);
}

TEST(EditorRandomized, KeysAndClicksKeepTheCaretOnTextAndMatchTheModel) {
  for (const bool wrap : {false, true}) {
    EditorFixture f(30, 8);
    TQuillEditor& e = *f;
    e.SetWordWrap(wrap);
    e.SetAutoClose(TAutoClose{});
    e.SetAutoFollow(TAutoFollow{});
    e.SetTextEnter(false);
    std::mt19937 rng(wrap ? 5 : 6);
    std::string model;
    const int keys[] = {vk::Left, vk::Right, vk::Up, vk::Down, vk::Home, vk::End, vk::Prior, vk::Next};
    for (int step = 0; step < 3000; ++step) {
      const int pick = static_cast<int>(rng() % 10);
      // A key pressed while the caret is off the screen only scrolls it back; bring it back first.
      e.EnsureCaretVisible();
      const int p = e.SelStart();
      if (pick < 4) {
        const char c = "ab cd.\xB3"[rng() % 7];
        e.KeyPress(c);
        model.insert(static_cast<std::size_t>(p), 1, c);
      } else if (pick == 4) {
        e.KeyPress('\r');
        model.insert(static_cast<std::size_t>(p), "\r\n");
      } else if (pick == 5) {
        e.KeyPress('\b');
        if (p >= 2 && model.compare(static_cast<std::size_t>(p - 2), 2, "\r\n") == 0) {
          model.erase(static_cast<std::size_t>(p - 2), 2);
        } else if (p >= 1) {
          model.erase(static_cast<std::size_t>(p - 1), 1);
        }
      } else if (pick == 6) {
        Key(e, vk::Delete);
        if (model.compare(static_cast<std::size_t>(p), 2, "\r\n") == 0) {
          model.erase(static_cast<std::size_t>(p), 2);
        } else if (static_cast<std::size_t>(p) < model.size()) {
          model.erase(static_cast<std::size_t>(p), 1);
        }
      } else if (pick == 7) {
        e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, static_cast<int>(rng() % 300),
                    static_cast<int>(rng() % 140));
        e.MouseUp(TMouseButton::mbLeft, TShiftState{}, 0, 0);
      } else {
        Key(e, keys[rng() % 8]);
      }
      ASSERT_EQ(e.Text(), model) << "step " << step;
      ASSERT_GE(e.CurrentLine(), 0);
      ASSERT_LT(e.CurrentLine(), e.Lines().Count()) << "step " << step;
      ASSERT_GE(Column(e), 1) << "step " << step;
      // Past the end of a short line the caret may only stand on the first visible column, and
      // edits there happen at the line's end.
      const int end = e.Lines().Length(e.CurrentLine()) + 1;
      ASSERT_LE(Column(e), std::max(end, e.LeftCol() + 1)) << "step " << step;
      ASSERT_LE(e.SelStart(), e.PosToOffset(e.CurrentLine(), end)) << "step " << step;
    }
  }
}

}  // namespace
