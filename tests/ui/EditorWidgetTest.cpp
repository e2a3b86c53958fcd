// The editor widget on its own, offscreen: drawing in colour, characters outside Windows-1250, the wheel.
#include <gtest/gtest.h>

#include <random>

#include "UiTestSupport.h"
#include "highlight/THighLighter.h"
#include "ui/QuillEditorWidget.h"

namespace {

struct Shown {
  QuillEditorWidget widget;
  Shown() {
    widget.resize(480, 320);
    widget.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.setFocus();
  }
  TQuillEditor& Editor() { return widget.Editor(); }
};

TEST(EditorWidget, TagsArePaintedInTheTagColour) {
  Shown s;
  TQuillEditor& e = s.Editor();
  e.SetColorStyle(TColorStyle{csHTML});
  e.SetText("<b>word</b>\r\nplain text");
  e.SetSelStart(e.Text().size());
  const QImage shot = s.widget.grab().toImage();
  const int lineHeight = e.LineHeight();
  ASSERT_GT(lineHeight, 0);
  // The tag colour 0xFF0000 is blue (0x00BBGGRR). Count its pixels on each of the two rows.
  const auto bluePixels = [&](int row) {
    int n = 0;
    for (int y = row * lineHeight; y < (row + 1) * lineHeight; ++y) {
      for (int x = TQuillEditor::GutterWidth; x < shot.width() - 20; ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (c.blue() > 200 && c.red() < 60 && c.green() < 60) ++n;
      }
    }
    return n;
  };
  EXPECT_GT(bluePixels(0), 20);  // "<b>" and "</b>"
  EXPECT_EQ(bluePixels(1), 0);   // plain text has no tag colour
}

// Typing Polish letters is driven end to end (Typing and Utf8Documents in tests/e2e), and characters
// outside Windows-1250 in the window by ForeignCharactersWindowTest.

// A mark is drawn as its own glyph in its cell (copying marks is driven end to end).
TEST(EditorWidget, MarksAreDrawnAsTheirCharacters) {
  Shown s;
  TQuillEditor& e = s.Editor();
  e.SetColorStyle(TColorStyle{csHTML});
  e.SetPlainText(true);
  e.SetMarkedText("\x81\x81", U"\u0416\u0081");  // Cyrillic Zhe, and the C1 control standing for itself
  e.SetSelStart(2);
  const QImage shot = s.widget.grab().toImage();
  const int cell = e.AverageCharWidth();
  const auto inkIn = [&](int column) {
    int n = 0;
    for (int y = 0; y < e.LineHeight(); ++y)
      for (int x = TQuillEditor::GutterWidth + column * cell; x < TQuillEditor::GutterWidth + (column + 1) * cell; ++x)
        if (shot.pixelColor(x, y).lightness() < 128) ++n;
    return n;
  };
  // The letter, not the box (or nothing) that the font shows for the control character.
  EXPECT_GT(inkIn(0), 5);
  EXPECT_NE(inkIn(0), inkIn(1));
}

// The highlighter's line states are computed ahead of the view in idle time, and an edit queues that
// work again for the lines below it.
TEST(EditorWidget, IdleTimeComputesTheLineStatesBelowTheView) {
  Shown s;
  TQuillEditor& e = s.Editor();
  e.SetColorStyle(TColorStyle{csHTML});
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "<p class=\"a\">some words &amp; more</p>\r\n";
  e.SetText(text);
  EXPECT_TRUE(s.widget.IdleWorkPending());
  EXPECT_TRUE(e.Highlighter().LineStatesPending());
  for (int turn = 0; turn < 1000 && s.widget.IdleWorkPending(); ++turn) QApplication::processEvents();
  EXPECT_FALSE(s.widget.IdleWorkPending());
  EXPECT_FALSE(e.Highlighter().LineStatesPending());
  TypeText(s.widget, QStringLiteral("<"));
  EXPECT_TRUE(s.widget.IdleWorkPending());
}

// The editor draws only what changed since its last paint; whatever the edits, moves, selections,
// bookmarks and scrolling, the window must look as a paint of everything draws it.
TEST(EditorWidget, DrawingOnlyWhatChangedLooksLikeDrawingEverything) {
  Shown s;
  s.widget.clearFocus();  // no blinking caret in the pictures
  TQuillEditor& e = s.Editor();
  e.SetColorStyle(TColorStyle{csHTML});
  std::string text;
  for (int i = 0; i < 120; ++i)
    text += "<p class=\"x\">line " + std::to_string(i) + (i % 7 ? " <!-- note -->" : " \"open") + " &amp; \x8C\xBF\xEA b</p>\r\n";
  e.SetText(text);
  std::mt19937 rng(5);
  static const int keys[] = {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_PageDown, Qt::Key_PageUp,
                             Qt::Key_Down,   Qt::Key_Up,        Qt::Key_End,    Qt::Key_Home};
  for (int step = 0; step < 80; ++step) {
    switch (rng() % 6) {
      // Marks too: a mark replaced by another in the same cell must be drawn again.
      case 0: TypeText(s.widget, QStringLiteral("<>\"'a -!\u0416\u03BB\u015A").mid(static_cast<int>(rng() % 11), 1)); break;
      case 1: SendKey(s.widget, keys[rng() % 9], rng() % 3 ? Qt::NoModifier : Qt::ShiftModifier); break;
      // The end often: edits there change how many rows (and line numbers) the window shows.
      case 2: e.SetSelStart(rng() % 3 ? static_cast<int>(rng() % static_cast<unsigned>(e.Text().size() + 1)) : static_cast<int>(e.Text().size())); break;
      case 3: e.SetBookmark(static_cast<int>(1 + rng() % 9)); break;
      case 4: {
        // Characters kept from an earlier paint must not keep their old colours.
        TColor* colours[] = {&e.ColorSet().TagColor, &e.ColorSet().TextColor, &e.ColorSet().Color,
                             &e.ColorSet().BackgroundTextColor};
        *colours[rng() % 4] = rng() & 0xFFFFFFu;
        break;
      }
      default: e.SetWordWrap(!e.WordWrap()); break;
    }
    // Some actions (a bookmark set from outside) wait for the next paint to show.
    e.Paint();
    const QImage drawn = s.widget.grab().toImage();
    // The whole window again, every glyph drawn by the painter rather than copied from a cell.
    e.ForgetDrawing();
    s.widget.GetCanvas().SetCellCopying(false);
    e.Paint();
    const QImage full = s.widget.grab().toImage();
    s.widget.GetCanvas().SetCellCopying(true);
    // The editor's own area: the scroll bars are widgets of their own.
    QPoint first(-1, -1);
    for (int y = 0; y < s.widget.ClientHeight() && first.y() < 0; ++y)
      for (int x = 0; x < s.widget.ClientWidth() && first.y() < 0; ++x)
        if (drawn.pixel(x, y) != full.pixel(x, y)) first = QPoint(x, y);
    ASSERT_EQ(first, QPoint(-1, -1)) << "step " << step << ", row height " << e.LineHeight();
  }
}

TEST(EditorWidget, FractionsOfANotchAddUpToWholeNotches) {
  Shown s;
  TQuillEditor& e = s.Editor();
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line\r\n";
  e.SetText(text);
  e.SetSelStart(0);
  for (int i = 0; i < 7; ++i) Wheel(s.widget, -15);
  EXPECT_EQ(e.TopLine(), 0);  // seven eighths of a notch
  Wheel(s.widget, -15);
  EXPECT_EQ(e.TopLine(), 4);  // one notch with the default wheel sizes
  Wheel(s.widget, -360);      // three notches at once
  EXPECT_EQ(e.TopLine(), 16);
  Wheel(s.widget, -60);
  Wheel(s.widget, 60);  // a change of direction drops the half notch down ...
  EXPECT_EQ(e.TopLine(), 16);
  Wheel(s.widget, 60);  // ... so two halves up make one notch up
  EXPECT_EQ(e.TopLine(), 12);
  Wheel(s.widget, 120);
  EXPECT_EQ(e.TopLine(), 8);
}

}  // namespace
