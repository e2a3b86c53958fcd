// The editor widget on its own, offscreen: drawing in colour, characters outside Windows-1250, the wheel.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
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
