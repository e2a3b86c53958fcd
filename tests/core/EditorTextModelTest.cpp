#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

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
  // Offset 3: the soft break maps to the start of the next piece; 6, between CR and LF: one column past
  // the line's end; 9, the text's length: the end of the last line.
  const struct { int offset; TTextPos pos; } cases[] = {{0, {1, 0}}, {2, {3, 0}}, {3, {1, 1}}, {4, {2, 1}},
                                                        {5, {3, 1}}, {6, {4, 1}}, {7, {1, 2}}, {9, {3, 2}}};
  for (const auto& c : cases) {
    EXPECT_EQ(e.OffsetToPos(c.offset), c.pos) << "offset " << c.offset;
    if (c.offset != 6) { EXPECT_EQ(e.PosToOffset(c.pos.Line, c.pos.Column), c.offset); }
  }
  EXPECT_EQ(std::tuple(e.LogicalLine(0), e.LogicalLine(1), e.LogicalLine(2)), std::tuple(0, 0, 1));
  EXPECT_EQ(e.LogicalColumn(1, 2), 5);  // column 2 of the continuation is column 5 of the paragraph
  EXPECT_EQ(e.LogicalColumn(2, 2), 2);
}

TEST(EditorUndo, KeepsTheNewestHundredEdits) {
  EditorFixture e;
  for (int i = 0; i < 101; ++i) e->KeyPress(static_cast<char>('a' + i % 26));
  ASSERT_EQ(std::pair(e->Text().size(), e->UndoHistory().Count()), std::pair(std::size_t{101}, 100));
  for (int i = 0; i < 101; ++i) e->Undo();
  EXPECT_EQ(e->Text(), "a");
}

TEST(EditorUndo, ReadonlyBlocksEditsButUndoStillDropsARecord) {
  EditorFixture e;
  e->SetText("abc");
  e->SetReadonly(true);
  e->SetSelText("x");
  e->KeyPress('y');
  Key(*e, vk::Delete);
  e->CutToClipboard();
  EXPECT_EQ(e->Text(), "abc");
  Select(*e, 0, 2);
  e->CopyToClipboard();
  EXPECT_EQ(e.host.clipboard, "ab");
  const int before = e->UndoHistory().Count();
  e->Undo();
  EXPECT_EQ(std::pair(e->UndoHistory().Count(), e->Text()), std::pair(before - 1, std::string("abc")));
}

TEST(EditorWrapSelection, EnclosesTheSelectionAndRepeats) {
  EditorFixture e;
  e->SetText("one two");
  Select(*e, 4, 3);
  e->WrapSelection("<b>", "</b>");
  EXPECT_EQ(std::pair(e->Text(), e->SelText()), std::pair(std::string("one <b>two</b>"), std::string("two")));
  e->SetSelStart(0);
  e->RepeatWrapSelection();
  // With nothing selected the caret ends between the two.
  EXPECT_EQ(std::pair(e->Text(), e->SelStart()), std::pair(std::string("<b></b>one <b>two</b>"), 3));
  Undo(*e, 2);
  EXPECT_EQ(e->Text(), "one <b>two</b>");
}

TEST(EditorEvents, NotificationsAndBookmarksOutOfRange) {
  EditorFixture e;
  int changes = 0, modifiedEvents = 0, colorEvents = 0;
  e->OnChange = [&] { ++changes; };
  e->OnModified = [&](bool) { ++modifiedEvents; };
  e->OnColorSetChange = [&](TColorStyle s) {
    ++colorEvents;
    EXPECT_TRUE(s.Has(csNone));
  };
  e->SetText("alpha\r\nbeta");
  EXPECT_EQ(std::pair(e->Modified(), modifiedEvents), std::pair(true, 1));
  EXPECT_GE(changes, 1);

  // Cut and paste are checked against a model by the randomized tests and the editor_stream fuzz target,
  // the bookmarks by EditorKeys; only the numbers outside 1..9 here.
  e->SetBookmark(0);
  e->SetBookmark(10);
  EXPECT_EQ(std::pair(e->GetBookmark(0), e->GetBookmark(10)), std::pair(-1, -1));

  e->SetPlainText(true);
  e->SetPlainText(true);
  EXPECT_EQ(colorEvents, 2);  // fired on every write of True, changed or not
}

}  // namespace
