// The editor widget on its own, offscreen: characters outside Windows-1250, drawing only what changed, idle
// work, the wheel (tags drawn in their colour are checked end to end in test_setup.py).
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

// How many pixels of the picture inside the rectangle pass the test.
int Count(const QImage& shot, const QRect& r, bool (*test)(QColor)) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += test(shot.pixelColor(x, y)) ? 1 : 0;
  return n;
}

// A mark is drawn as its own glyph in its cell (copying marks is driven end to end).
TEST(EditorWidget, MarksAreDrawnAsTheirCharacters) {
  Shown s;
  TQuillEditor& e = s.Editor();
  e.SetColorStyle(TColorStyle{csHTML});
  e.SetPlainText(true);
  e.SetMarkedText("\x81\x81", U"\u0416\u0081");  // Cyrillic Zhe, and the C1 control standing for itself
  e.SetSelStart(2);
  const QImage shot = s.widget.grab().toImage();
  const auto dark = [](QColor c) { return c.lightness() < 128; };
  const QRect first(TQuillEditor::GutterWidth, 0, e.AverageCharWidth(), e.LineHeight());
  // The letter, not the box (or nothing) that the font shows for the control character.
  EXPECT_GT(Count(shot, first, dark), 5);
  EXPECT_NE(Count(shot, first, dark), Count(shot, first.translated(e.AverageCharWidth(), 0), dark));
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
      case 1: {
        const int key = keys[rng() % 9];  // drawn first: argument order is the compiler's
        SendKey(s.widget, key, rng() % 3 ? Qt::NoModifier : Qt::ShiftModifier);
        break;
      }
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
    const QRect area(0, 0, s.widget.ClientWidth(), s.widget.ClientHeight());
    ASSERT_TRUE(drawn.copy(area) == full.copy(area)) << "step " << step << ", row height " << e.LineHeight();
  }
}

TEST(EditorWidget, FractionsOfANotchAddUpToWholeNotches) {
  Shown s;
  TQuillEditor& e = s.Editor();
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line\r\n";
  e.SetText(text);
  e.SetSelStart(0);
  // Each turn (in eighths of a degree) and the top line after it: seven eighths of a notch move nothing, the
  // eighth makes a notch (four lines with the default wheel sizes), then three notches at once; a change of
  // direction drops the half notch down, so two halves up make one notch up.
  const std::pair<int, int> turns[] = {{-15, 0},   {-15, 0},  {-15, 0},  {-15, 0}, {-15, 0}, {-15, 0}, {-15, 0},
                                       {-15, 4},   {-360, 16}, {-60, 16}, {60, 16}, {60, 12}, {120, 8}};
  for (const auto& [delta, top] : turns) {
    Wheel(s.widget, delta);
    EXPECT_EQ(e.TopLine(), top) << delta;
  }
}

}  // namespace
