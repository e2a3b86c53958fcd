// The main window offscreen: menus in both languages, the status bar, the menus' check marks and the about box
// (the start-up questions, Esc, closing, the layout, the toggles, help and the language items are driven end to
// end in test_main_window.py, the scroll bars in test_keyboard.py, letters an input method composes in
// test_editing_faults.py).
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <map>
#include <set>
#include <sstream>

#include "UiTestSupport.h"
#include "app/LangTable.h"
#include "ui/ApplicationState.h"
#include "ui/QuillEditorWidget.h"

using Window = TestWindow;

// Every caption of every menu item is one language-table text in Polish and the same id's text in
// English, or a fixed caption shown alike in both (code-page names, header tags, bookmark digits).
// A menu whose language table row is wrong, or an item left untranslated, fails here.
TEST(MainMenu, CaptionsComeFromTheLanguageTableAndShortcutsAreSet) {
  std::map<QString, QString> captions[2];
  for (int language : {1, 2}) {
    Window w(language);
    for (QAction* a : w.main->findChildren<QAction*>())
      if (!a->objectName().isEmpty() && !a->text().isEmpty()) captions[language - 1][a->objectName()] = a->text();
    // The top-level menus open with distinct Alt letters.
    std::set<QChar> letters;
    for (QAction* menu : w.main->menuBar()->actions()) {
      const qsizetype amp = menu->text().indexOf('&');
      ASSERT_GE(amp, 0) << menu->text().toStdString();
      EXPECT_TRUE(letters.insert(menu->text().at(amp + 1).toLower()).second) << menu->text().toStdString();
    }
    // The shortcuts that the end-to-end cases do not press on a real X server (they press Ctrl+N, Ctrl+H,
    // Ctrl+O, Ctrl+S, F5, F1, F6, Ctrl+K, Ctrl+L, Ctrl+F, Ctrl+R, F3, Ctrl+G, Ctrl+B and F8), and the editing
    // keys, which the editor also takes on its own.
    std::istringstream keys(
        "okno1 Ctrl+W Zakocz1 Ctrl+Q Cofnij1 Ctrl+Z Kopiuj1 Ctrl+C Wklej1 Ctrl+V Wytnij1 Ctrl+X Zaznaczwszystko1 Ctrl+A "
        "Kursywa1 Ctrl+I Podkrelona1 Ctrl+U Dodajdoulubionych1 Ctrl+D Zapiszjako1 - Drukuj1 -");
    for (std::string name, key; keys >> name >> key;)
      EXPECT_EQ(w.Item(QString::fromStdString(name))->shortcut(), QKeySequence(key == "-" ? "" : QString::fromStdString(key))) << name;
    EXPECT_TRUE(w.Item("KolorujHTML1")->isChecked());  // the highlighter at start
  }
  ASSERT_GT(captions[0].size(), 100u);
  for (const auto& [name, polish] : captions[0]) {
    const QString english = captions[1][name];
    // The top-level menus add their Alt letters to the table texts.
    const auto same = [](QString caption, int id, int language) {
      return caption.remove('&') == QString::fromStdString(LangText(id, language)).remove('&');
    };
    bool fromTable = false, translatable = false;
    for (int id = 0; id < kLangIdCount; ++id) {
      fromTable = fromTable || (same(polish, id, 1) && same(english, id, 2));
      translatable = translatable || (same(polish, id, 1) && !same(polish, id, 2));
    }
    EXPECT_TRUE(fromTable || (polish == english && !translatable && !polish.startsWith('#'))) << name.toStdString();
  }
  EXPECT_EQ(captions[1]["Znajd1"], QStringLiteral("&Find..."));
}

// (That typing goes into the editor is driven end to end.)
TEST(MainWindow, TheStatusBarFollowsTheCaretAndTheModifiedFlag) {
  Window w(2);
  w.Show();
  QTest::keyClicks(w.main->EditorWidget(), QStringLiteral("abcd"));
  EXPECT_EQ(w.Panel(2), QStringLiteral("1 : 5"));
  EXPECT_EQ(w.Panel(1), QStringLiteral("Modified"));
  // A caret placed by the program reports the same way: second line, third column.
  w.Editor().SetText("first\r\nsecond");
  w.Editor().SetSelStart(9);
  EXPECT_EQ(w.Panel(2), QStringLiteral("2 : 3"));
  w.Editor().SetModified(false);
  EXPECT_EQ(w.Panel(1), QString());
}

// The check marks of the highlighter and bookmark items follow the editor (setting and going to bookmarks
// with the keys is driven end to end).
TEST(MainWindow, HighlighterAndBookmarkItemsAreCheckedFromTheEditor) {
  Window w(2);
  w.Show();
  w.Item("KolorujPHP1")->trigger();
  EXPECT_EQ(w.Editor().ColorStyle(), TColorStyle{csPhp});
  EXPECT_TRUE(w.Item("KolorujPHP1")->isChecked());
  w.Item("Bezkolorowania1")->trigger();
  EXPECT_TRUE(w.Editor().PlainText());
  EXPECT_TRUE(w.Item("Bezkolorowania1")->isChecked());
  // A change made elsewhere (opening a .css file) moves the check too.
  w.Editor().SetColorStyle(TColorStyle{csCSS});
  EXPECT_TRUE(w.Item("KolorujCSS1")->isChecked());
  EXPECT_FALSE(w.Item("Bezkolorowania1")->isChecked());

  w.Editor().SetText("one\r\ntwo\r\nthree");
  w.Editor().SetSelStart(6);
  w.Item("Ustawzakadk1_3")->trigger();
  EXPECT_EQ(w.Editor().GetBookmark(3), 1);
  emit w.main->UnSelectMenu()->aboutToShow();
  for (const char* menu : {"Idzdozakadki1_", "Ustawzakadk1_", "Usuzakadk1_"})
    for (int n = 1; n <= 9; ++n)
      EXPECT_EQ(w.Item((std::string(menu) + std::to_string(n)).c_str())->isChecked(), n == 3) << menu << n;
  w.Editor().SetSelStart(0);
  w.Item("Idzdozakadki1_3")->trigger();
  EXPECT_EQ(w.Editor().CurrentLine(), 1);
  w.Item("Usuzakadk1_3")->trigger();
  EXPECT_EQ(w.Editor().GetBookmark(3), -1);
}

TEST(MainWindow, TheAboutBoxShowsTheProductAndOpensTheMakersAddresses) {
  Window w(2);
  QStringList texts;
  ModalWatcher watch([&](QWidget* modal) {
    for (QLabel* label : modal->findChildren<QLabel*>()) {
      texts << label->text();
      if (label->text().contains(QStringLiteral("href"))) emit label->linkActivated(QStringLiteral("mailto:x@y.z"));
    }
    modal->close();
  });
  w.Item("Oprogramie1")->trigger();
  ASSERT_TRUE(watch.Fired());
  EXPECT_TRUE(texts.contains(QStringLiteral("Norvale Quillpad 1.0.16")));
  for (int id = 86; id <= 88; ++id) EXPECT_TRUE(texts.contains(QString::fromStdString(LangText(id, 2)))) << id;
  EXPECT_EQ(w.shell.opened.size(), 2u);
}

// The pattern dialog's help button shows only with help (opening its topic, and Cancel, are driven end to end in
// test_main_window.py, searching with patterns and the pattern list in test_search.py).
TEST(MainWindow, PatternHelpIsHiddenWithoutHelp) {
  Window w(2);
  w.Show();
  SetApplicationHelpFile(std::nullopt);
  ModalWatcher watch([&](QWidget* modal) {
    EXPECT_FALSE(modal->findChild<QPushButton*>(QStringLiteral("Help"))->isVisible());
    modal->findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
  });
  w.Item(QStringLiteral("Znajdwyraenieregularne1"))->trigger();
  EXPECT_TRUE(watch.Fired());
}
