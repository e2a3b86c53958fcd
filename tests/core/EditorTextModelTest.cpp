#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "EditorTestSupport.h"

namespace {

// Three stored lines: "abc" ending in a soft break, "de" ending in a hard one, and "fg".
void LoadSoftAndHard(TQuillEditor& e) {
  LineStore& l = e.Lines();
  l.Clear();
  l.InsertWithRecord(0, "abc", TStringParams{1, 0});
  l.InsertWithRecord(1, "de", TStringParams{0, 0});
  l.Insert(2, "fg");
}

TEST(EditorOffsets, OffsetsCountHardBreaksAsTwoAndSoftBreaksAsNone) {
  TQuillEditor e;
  LoadSoftAndHard(e);
  ASSERT_EQ(e.Text(), "abcde\r\nfg");
  struct Case {
    int offset, column, line;
  } cases[] = {
      {0, 1, 0}, {2, 3, 0},
      {3, 1, 1},  // the soft break maps to the start of the next piece
      {4, 2, 1}, {5, 3, 1},
      {6, 4, 1},  // between CR and LF: one column past the line's end
      {7, 1, 2}, {9, 3, 2},  // the text's length: the end of the last line
  };
  for (const Case& c : cases) {
    const TTextPos p = e.OffsetToPos(c.offset);
    EXPECT_EQ(p.Column, c.column) << "offset " << c.offset;
    EXPECT_EQ(p.Line, c.line) << "offset " << c.offset;
    if (c.offset != 6) {
      EXPECT_EQ(e.PosToOffset(p.Line, p.Column), c.offset);
    }
  }
  EXPECT_EQ(e.LogicalLine(0), 0);
  EXPECT_EQ(e.LogicalLine(1), 0);
  EXPECT_EQ(e.LogicalLine(2), 1);
  EXPECT_EQ(e.LogicalColumn(1, 2), 5);  // column 2 of the continuation is column 5 of the paragraph
  EXPECT_EQ(e.LogicalColumn(2, 2), 2);

  TQuillEditor two;
  two.SetText("ab\r\ncd");
  EXPECT_EQ(two.Text().size(), 6u);
  EXPECT_EQ(two.OffsetToPos(2), (TTextPos{3, 0}));
  EXPECT_EQ(two.OffsetToPos(3), (TTextPos{4, 0}));
  EXPECT_EQ(two.OffsetToPos(4), (TTextPos{1, 1}));
}

// Reading across soft and hard breaks, and inserted text with any line ends, are checked against a
// plain string by the randomized tests below.
TEST(EditorSelection, TheCaretEndsAtTheFarEndAndOffsetsAreClamped) {
  EditorFixture f;
  TQuillEditor& e = *f;
  EXPECT_EQ(e.Lines().Count(), 1);  // an empty text is one empty line
  LoadSoftAndHard(e);
  Select(e, 2, 5);
  EXPECT_EQ(e.SelStart(), 2);
  EXPECT_EQ(e.CurrentLine(), 2);
  e.SetSelStart(1000);
  EXPECT_EQ(e.SelStart(), 9);
  Select(e, 8, 1000);
  EXPECT_EQ(e.SelText(), "g");
  e.SetText("\n");
  EXPECT_EQ(e.Text(), "\r\n");
}

TEST(EditorSelection, ReplacingSeveralLinesKeepsTheSoftBreakStructure) {
  EditorFixture f;
  TQuillEditor& e = *f;
  LoadSoftAndHard(e);
  Select(e, 2, 6);  // "cde\r\nf"
  e.SetSelText("X");
  EXPECT_EQ(e.Text(), "abXg");
  EXPECT_EQ(e.Lines().Count(), 1);

  LoadSoftAndHard(e);
  Select(e, 1, 3);  // "bcd": from the first piece into its continuation
  e.SetSelText("");
  EXPECT_EQ(e.Text(), "ae\r\nfg");
  EXPECT_EQ(e.Lines().Count(), 2);
  EXPECT_EQ(e.Lines().LineFlag(0), 0);

  // A line break typed into a soft-broken piece stays a hard break and the piece still continues.
  LoadSoftAndHard(e);
  e.SetSelStart(1);
  e.SetSelText("\r\n");
  EXPECT_EQ(e.Text(), "a\r\nbcde\r\nfg");
}

TEST(EditorUndo, EveryRecordKindIsTakenBack) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("hello world");
  e.ClearUndo();
  EXPECT_EQ(e.UndoHistory().Count(), 0);

  e.SetSelStart(5);
  e.SetSelText(",\r\nbig");  // insertion
  EXPECT_EQ(e.UndoHistory().Record(0).EditKind, TUndoRecord::ekInsert);
  EXPECT_EQ(e.UndoHistory().Record(0).Param, 6);
  Select(e, 0, 5);
  e.SetSelText("HI");  // replacement
  EXPECT_EQ(e.UndoHistory().Record(0).EditKind, TUndoRecord::ekReplace);
  EXPECT_EQ(e.UndoHistory().Record(0).SavedText, "hello");
  e.SetSelStart(2);
  Key(e, vk::Delete);  // deletion of the "," ...
  Key(e, vk::Delete);  // ... and of the line break
  EXPECT_EQ(e.Text(), "HIbig world");
  EXPECT_EQ(e.UndoHistory().Record(0).SavedText, "\r\n");

  for (const char* before : {"HI\r\nbig world", "HI,\r\nbig world", "hello,\r\nbig world"}) {
    e.Undo();
    EXPECT_EQ(e.Text(), before);
  }
  EXPECT_EQ(e.SelStart(), 5);  // the caret ends after the restored text
  e.Undo();
  EXPECT_EQ(e.Text(), "hello world");
  EXPECT_TRUE(e.Modified());
  e.Undo();  // an empty history does nothing
  EXPECT_EQ(e.Text(), "hello world");
}

TEST(EditorUndo, KeepsTheNewestHundredEdits) {
  EditorFixture f;
  TQuillEditor& e = *f;
  for (int i = 0; i < 101; ++i) e.KeyPress(static_cast<char>('a' + i % 26));
  ASSERT_EQ(e.Text().size(), 101u);
  EXPECT_EQ(e.UndoHistory().Count(), 100);
  for (int i = 0; i < 101; ++i) e.Undo();
  EXPECT_EQ(e.Text(), "a");
}

TEST(EditorUndo, ReadonlyBlocksEditsButUndoStillDropsARecord) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("abc");
  e.SetReadonly(true);
  e.SetSelText("x");
  e.KeyPress('y');
  Key(e, vk::Delete);
  e.CutToClipboard();
  EXPECT_EQ(e.Text(), "abc");
  Select(e, 0, 2);
  e.CopyToClipboard();
  EXPECT_EQ(f.host.clipboard, "ab");
  const int before = e.UndoHistory().Count();
  e.Undo();
  EXPECT_EQ(e.UndoHistory().Count(), before - 1);
  EXPECT_EQ(e.Text(), "abc");
}

// Offsets that are not between the CR and the LF of a line break.
std::vector<int> CaretOffsets(const std::string& text) {
  std::vector<int> out;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i > 0 && text[i - 1] == '\r' && i < text.size() && text[i] == '\n') continue;
    out.push_back(static_cast<int>(i));
  }
  return out;
}

std::string Normalised(const std::string& s, int tab) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\n' && (i == 0 || s[i - 1] != '\r')) out += "\r\n";
    else if (c == '\r' && (i + 1 == s.size() || s[i + 1] != '\n')) out += "\r\n";
    else if (c == '\t') out += std::string(static_cast<std::size_t>(tab), ' ');
    else out += c;
  }
  return out;
}

void RandomEditsAgainstModel(bool wordWrap, unsigned seed) {
  EditorFixture f(24, 10);
  TQuillEditor& e = *f;
  e.SetWordWrap(wordWrap);
  ASSERT_EQ(e.WordWrapInEffect(), wordWrap);
  std::mt19937 rng(seed);
  static const char alphabet[] = "abc xyz.,\xB9\xEA\r\n\t-";
  std::string model;
  std::vector<std::string> history;
  for (int step = 0; step < 1500; ++step) {
    const auto offsets = CaretOffsets(model);
    if (rng() % 16 == 0) {
      // Windows down to a few columns: scrolling must never move the caret off its column.
      f.host.width = TQuillEditor::GutterWidth + 8 * (3 + static_cast<int>(rng() % 30));
      e.HandleResize();
    }
    if (rng() % 5 == 0 && !history.empty()) {
      e.Undo();
      model = history.back();
      history.pop_back();
    } else {
      const int a = offsets[rng() % offsets.size()];
      const int b = offsets[rng() % offsets.size()];
      const int from = std::min(a, b), to = std::max(a, b);
      Select(e, from, to - from);
      ASSERT_EQ(e.SelStart(), from);
      ASSERT_EQ(e.SelLength(), to - from);
      ASSERT_EQ(e.SelText(), model.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
      std::string s;
      const int len = static_cast<int>(rng() % (rng() % 8 == 0 ? 60 : 6));
      for (int i = 0; i < len; ++i) s += alphabet[rng() % (sizeof(alphabet) - 1)];
      e.SetSelText(s);
      history.push_back(model);
      if (history.size() > 100) history.erase(history.begin());
      const std::string inserted = Normalised(s, e.TabSize());
      model.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), inserted);
      ASSERT_EQ(e.SelStart(), from + static_cast<int>(inserted.size())) << "step " << step;
    }
    ASSERT_EQ(e.Text(), model) << "step " << step;
    ASSERT_GE(e.Lines().Count(), 1);
    ASSERT_LT(e.CurrentLine(), e.Lines().Count());
    if (wordWrap) {
      for (int i = 0; i < e.Lines().Count(); ++i) {
        ASSERT_FALSE(e.TooWide(e.Lines().Line(i))) << "piece " << i << " at step " << step;
      }
    }
  }
}

TEST(EditorRandomized, EditsAndUndoMatchAPlainStringModel) { RandomEditsAgainstModel(false, 11); }

TEST(EditorRandomized, EditsAndUndoMatchTheModelWithWordWrapOn) { RandomEditsAgainstModel(true, 12); }

TEST(EditorWrapSelection, EnclosesTheSelectionAndRepeats) {
  EditorFixture f;
  TQuillEditor& e = *f;
  e.SetText("one two");
  Select(e, 4, 3);
  e.WrapSelection("<b>", "</b>");
  EXPECT_EQ(e.Text(), "one <b>two</b>");
  EXPECT_EQ(e.SelText(), "two");
  e.SetSelStart(0);
  e.RepeatWrapSelection();
  EXPECT_EQ(e.Text(), "<b></b>one <b>two</b>");
  EXPECT_EQ(e.SelStart(), 3);  // with nothing selected the caret ends between the two
  Undo(e, 2);
  EXPECT_EQ(e.Text(), "one <b>two</b>");
}

TEST(EditorClipboardAndEvents, ClipboardBookmarksAndNotifications) {
  EditorFixture f;
  TQuillEditor& e = *f;
  int changes = 0, modifiedEvents = 0, colorEvents = 0;
  e.OnChange = [&] { ++changes; };
  e.OnModified = [&](bool) { ++modifiedEvents; };
  e.OnColorSetChange = [&](TColorStyle s) {
    ++colorEvents;
    EXPECT_TRUE(s.Has(csNone));
  };
  e.SetText("alpha\r\nbeta");
  EXPECT_TRUE(e.Modified());
  EXPECT_EQ(modifiedEvents, 1);
  EXPECT_GE(changes, 1);

  Select(e, 7, 4);
  e.CutToClipboard();
  EXPECT_EQ(f.host.clipboard, "beta");
  e.SetSelStart(0);
  e.CutToClipboard();  // nothing selected: the clipboard's text is emptied
  EXPECT_EQ(f.host.clipboard, "");
  f.host.clipboard = "x\ny";
  e.PasteFromClipboard();
  EXPECT_EQ(e.Text(), "x\r\nyalpha\r\n");

  e.SetSelStart(3);
  e.SetBookmark(2);
  EXPECT_EQ(e.GetBookmark(2), 1);
  EXPECT_EQ(e.GetBookmark(0), -1);
  EXPECT_EQ(e.GetBookmark(10), -1);
  e.SetSelStart(0);
  e.GotoBookmark(2);
  EXPECT_EQ(e.CurrentLine(), 1);
  e.ClearBookmark(2);
  EXPECT_EQ(e.GetBookmark(2), -1);

  e.SetPlainText(true);
  e.SetPlainText(true);
  EXPECT_EQ(colorEvents, 2);  // fired on every write of True, changed or not
}

}  // namespace
