// The HTML and text commands in the real window: the tag box, the colour bar, the convert dialog and
// the link items of the popup menu.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

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

TEST(ColorBar, ASquareLooksPressedAndWrapsTheSelectionInItsColour) {
  HtmlWindow w;
  w.Load("a word", 2, 4);
  auto* red = w.main->findChild<ColorSquare*>(QStringLiteral("Color_Red"));
  ASSERT_NE(red, nullptr);
  ASSERT_TRUE(red->isEnabled());
  QTest::mousePress(red, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_TRUE(red->isDown());
  QTest::mouseRelease(red, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_FALSE(red->isDown());
  EXPECT_EQ(w.Editor().Text(), "a <font color=\"Red\">word</font>");
  EXPECT_EQ(w.Editor().SelText(), "word");
  // "X" with the colour dialog cancelled changes nothing.
  QTest::mouseClick(w.main->findChild<ColorSquare*>(QStringLiteral("Color_X")), Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_EQ(w.Editor().Text(), "a <font color=\"Red\">word</font>");
}

TEST(ConvertDialog, ASignOptionFillsTheBoxAndTypingChoosesOther) {
  HtmlWindow w;
  w.Load("a\r\nb", 0, 0);
  ModalWatcher prefix([](QWidget* dialog) {
    EXPECT_EQ(dialog->findChild<QWidget*>(QStringLiteral("Numbering")), nullptr);
    auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("Character"));
    dialog->findChild<QRadioButton*>(QStringLiteral("Option-"))->click();
    EXPECT_EQ(box->text(), QStringLiteral("-"));
    box->selectAll();
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QStringLiteral("ł"), Qt::NoModifier);
    EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("Other"))->isChecked());
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  w.Item(QStringLiteral("Poprzedlinieznakiem1"))->trigger();
  EXPECT_EQ(w.Editor().Text(), "\xB3" "a\r\nb");
}

TEST(LinkItems, TheyNameTheLinkedFileAndOpenItHereOrInANewWindow) {
  HtmlWindow w;
  const QString page = WriteFile(w.settings.Folder() + QStringLiteral("/page.htm"), "<p>linked</p>");
  const QString doc = WriteFile(w.settings.Folder() + QStringLiteral("/doc.htm"), "<a href=\"page.htm\">x</a> <a href=nothing.htm>y</a>");
  w.main->OpenDocument(doc.toStdString());
  QAction* here = w.Item(QStringLiteral("Otwrzlink1"));
  QAction* there = w.Item(QStringLiteral("Otwrzlinkwnowymoknie1"));
  w.Editor().SetSelStart(30);  // inside the link to a missing file
  emit w.main->UnSelectMenu()->aboutToShow();
  EXPECT_FALSE(here->isVisible());
  w.Editor().SetSelStart(4);
  emit w.main->UnSelectMenu()->aboutToShow();
  ASSERT_TRUE(here->isVisible());
  EXPECT_EQ(here->text(), QStringLiteral("Open link in this window (page.htm)"));
  EXPECT_EQ(there->text(), QStringLiteral("Open link in a new window (page.htm)"));
  there->trigger();
  ASSERT_EQ(w.shell.started.size(), 1u);
  EXPECT_EQ(w.shell.started[0], std::vector<std::string>{page.toStdString()});
  here->trigger();
  EXPECT_EQ(w.Editor().DocumentFileName(), page.toStdString());
  EXPECT_EQ(w.Editor().Text(), "<p>linked</p>");
}

}  // namespace
