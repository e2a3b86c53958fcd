// The editor widget on its own, offscreen: drawing in colour, characters outside Windows-1250, the wheel.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QKeyEvent>

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

// Key presses carrying the text a keyboard layout produces, one character each (QTest's own helper
// only knows ASCII).
void TypeText(QWidget& w, const QString& text) {
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(&w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(&w, &release);
  }
}

TEST(EditorWidget, PolishLettersAreTypedAsWindows1250AndOthersAsMarks) {
  Shown s;
  TypeText(s.widget, QString::fromUtf8("zażółć"));
  EXPECT_EQ(s.Editor().Text(), "za\xBF\xF3\xB3\xE6");
  TypeText(s.widget, QString::fromUtf8("\u2603!"));  // a snowman has no Windows-1250 byte
  EXPECT_EQ(s.Editor().Text(), "za\xBF\xF3\xB3\xE6\x81!");
  EXPECT_EQ(s.Editor().Marks(), U"\u2603");
  EXPECT_EQ(s.Editor().SelStart(), 8);
}

// A mark is drawn as its own glyph in its cell, and copied to the clipboard as itself.
TEST(EditorWidget, MarksAreDrawnAndCopiedAsTheirCharacters) {
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
  e.SelectAll();
  e.CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("\u0416\u0081"));
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
