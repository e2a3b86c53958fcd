// The tag box and the colour bar in the real window (the convert dialog and the link items of the popup menu
// are driven end to end in test_html_commands.py).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "UiTestSupport.h"
#include "ui/ColorSquare.h"
#include "ui/QuillEditorWidget.h"

namespace {

struct HtmlWindow : TestWindow {
  HtmlWindow() : TestWindow(2) { Show(); }
  void Load(const std::string& text, int start, int length) {
    Editor().SetText(text);
    Editor().SetSelStart(start);
    Editor().SetSelLength(length);
  }
  QComboBox* Tags() const { return main->findChild<QComboBox*>(QStringLiteral("HTMLTags")); }
};

TEST(TagBox, TypedTextGoesInOnceAndChoosingInsertsTheItem) {
  HtmlWindow w;
  QComboBox* tags = w.Tags();
  ASSERT_EQ(tags->count(), 111);
  // (Typing a pair and Enter, and F8 after it, are driven end to end on a real display.)
  // Text that is an item: inserted once, also when the box loses the focus afterwards.
  w.Load("ab", 1, 0);
  tags->lineEdit()->setFocus();
  tags->lineEdit()->clear();
  QTest::keyClicks(tags->lineEdit(), QStringLiteral("<hr>"));
  QTest::keyClick(tags->lineEdit(), Qt::Key_Enter);
  w.main->EditorWidget()->setFocus();
  QTest::keyClick(tags->lineEdit(), Qt::Key_Return);  // again: the typed text is not a chosen item
  EXPECT_EQ(w.Editor().Text(), "a<hr><hr>b");

  // Choosing with the arrow keys inserts at once; Enter on the chosen item adds nothing.
  w.Load("x", 0, 1);
  tags->setFocus();
  tags->setCurrentIndex(8);  // <au>|</au>
  QTest::keyClick(tags, Qt::Key_Down);
  EXPECT_EQ(w.Editor().Text(), "<b>x</b>");
  QTest::keyClick(tags->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(w.Editor().Text(), "<b>x</b>");
  // Enter with nothing typed does nothing.
  tags->lineEdit()->clear();
  QTest::keyClick(tags->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(w.Editor().Text(), "<b>x</b>");
}

TEST(ColorBar, ASquareLooksPressedAndACancelledXChangesNothing) {
  HtmlWindow w;
  w.Load("a word", 2, 4);
  auto* red = w.main->findChild<ColorSquare*>(QStringLiteral("Color_Red"));
  ASSERT_NE(red, nullptr);
  ASSERT_TRUE(red->isEnabled());
  QTest::mousePress(red, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_TRUE(red->isDown());
  QTest::mouseRelease(red, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_FALSE(red->isDown());
  // (What a colour square puts in is driven end to end.) "X" with the colour dialog cancelled changes nothing.
  const std::string wrapped = w.Editor().Text();
  w.dialogs.colors = {std::nullopt};
  QTest::mouseClick(w.main->findChild<ColorSquare*>(QStringLiteral("Color_X")), Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_TRUE(w.dialogs.colors.empty()) << "the colour dialog was asked for";
  EXPECT_EQ(w.Editor().Text(), wrapped);
}

}  // namespace
