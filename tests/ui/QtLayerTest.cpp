// The Qt implementations under the editor and the forms: code page, keys, fonts, filters, translation.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include "UiTestSupport.h"
#include "app/LangTable.h"
#include "../fakes/ScopedLanguage.h"
#include "ui/KeyTranslation.h"
#include "ui/QtCanvas.h"
#include "ui/QtDialogs.h"
#include "ui/Translate.h"
#include "ui/Win1250Text.h"

TEST(Win1250Text, PolishLettersAndDroppedCharacters) {
  // The 18 Polish letters in Windows-1250 and in Unicode.
  const std::string bytes = "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";
  EXPECT_EQ(FromWin1250(bytes), QStringLiteral("ĄĆĘŁŃÓŚŹŻąćęłńóśźż"));
  EXPECT_EQ(FromWin1250("\x80\x84\x96"), QStringLiteral("€„–"));
  // Characters the code page has no byte for are left out.
  EXPECT_EQ(ToWin1250(QStringLiteral("a中ä€ñ")), std::string("a\xE4\x80"));
}

// The keys an X11 server delivers, and what they type, are driven end to end (test_keyboard.py); here what
// xdotool cannot send: text without a key code, and the mouse buttons with the modifiers.
TEST(KeyTranslation, TextWithoutAKeyCodeAndMouseModifiers) {
  const QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xe4\xb8\xad"));
  EXPECT_EQ(VirtualKeyFor(Qt::Key_unknown), 0);
  EXPECT_EQ(CharacterFor(event), std::nullopt);
  const TShiftState s = ShiftStateFor(Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton);
  EXPECT_TRUE(s.Has(ssShift) && s.Has(ssCtrl) && s.Has(ssLeft));
  EXPECT_FALSE(s.Has(ssAlt) || s.Has(ssRight));
}

TEST(QtCanvas, UnknownFontFallsBackToTheFixedPitchFont) {
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QFont f = QtCanvas::ResolveFont("FixedSys", 10);
  EXPECT_EQ(f.family(), fixed.family());
  EXPECT_EQ(f.pointSize(), 10);
  const QString known = QFontDatabase::families().value(0);
  ASSERT_FALSE(known.isEmpty());
  EXPECT_EQ(QtCanvas::ResolveFont(known.toLower().toStdString(), 12).family().toLower(), known.toLower());
}

TEST(QtCanvas, DrawsWindows1250TextInItsColours) {
  QImage image(200, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QtCanvas canvas(&image);
  canvas.SetFont("FixedSys", 12);
  const int w = canvas.TextWidth("\xB9\xB9");
  EXPECT_GT(w, 0);
  EXPECT_EQ(canvas.TextWidth("\xB9\xB9"), canvas.TextWidth("\xB9") * 2);  // fixed pitch
  canvas.TextOut(10, 5, "\xB9\xB9", 0x0000FF, 0xFF0000);  // red on blue
  canvas.Flush();
  EXPECT_EQ(image.pixelColor(10, 5), QColor(0, 0, 255));  // the cell is filled with the background
  bool red = false;
  for (int x = 10; x < 10 + w; ++x)
    for (int y = 5; y < 5 + canvas.CellHeight(); ++y) red = red || image.pixelColor(x, y).red() > 200;
  EXPECT_TRUE(red);
  EXPECT_EQ(image.pixelColor(10 + w + 2, 5), QColor(Qt::white));
}

TEST(QtDialogs, FiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtDialogs::QtFilter("HTML documents|*.ht*;*.php*;*.pl;*.sht*;*.asp;|All files|*.*"),
            QStringLiteral("HTML documents (*.ht* *.php* *.pl *.sht* *.asp);;All files (*.*)"));
  EXPECT_EQ(QtDialogs::QtFilter(""), QString());
}

TEST(Translate, ControlsAndTheirContentsTakeTheTableTexts) {
  ScopedLanguage english(2);
  QDialog form;
  form.setWindowTitle(QStringLiteral("#195#Porada"));
  auto* group = new QGroupBox(QStringLiteral("#89#zakładki"), &form);
  auto* label = new QLabel(QStringLiteral("#198#Czy wiesz"), group);
  auto* check = new QCheckBox(QStringLiteral("#196#"), group);
  auto* button = new QPushButton(QStringLiteral("#221#Pomoc"), &form);
  auto* plain = new QPushButton(QStringLiteral("ISO-8859-2"), &form);
  auto* combo = new QComboBox(&form);
  combo->addItems({QStringLiteral("#33#małe"), QStringLiteral("<h1></h1>")});
  auto* bar = new QToolBar(&form);
  QAction* tool = bar->addAction(QStringLiteral("#24#Kopiuj"));
  tool->setToolTip(QStringLiteral("#24#Kopiuj"));

  TranslateControl(&form);
  const std::pair<QString, std::string> shown[] = {
      {form.windowTitle(), LangText(195, 2)}, {group->title(), LangText(89, 2)}, {label->text(), LangText(198, 2)},
      {check->text(), LangText(196, 2)},      {button->text(), "Help"},          {plain->text(), "ISO-8859-2"},
      {combo->itemText(0), "lowercase"},      {combo->itemText(1), "<h1></h1>"}, {tool->text(), "Copy"},
      {tool->toolTip(), "Copy"}};
  for (const auto& [text, expected] : shown) EXPECT_EQ(text.toStdString(), expected);
}
