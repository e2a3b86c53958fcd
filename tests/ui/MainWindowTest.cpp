// The main window offscreen: start-up, menus in both languages, status bar, layout, Esc and commands.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QUrl>
#include <map>
#include <set>
#include <sstream>

#include "UiTestSupport.h"
#include "app/LangTable.h"
#include "ui/QuillEditorWidget.h"
#include "ui/TLanguageSetup.h"
#include "ui/TTifOfTheDay.h"

using Window = TestWindow;

TEST(StartUp, FirstRunAsksForTheLanguageAndEnglishGivesEnglishMenus) {
  Window w(0);
  bool asked = false;
  ModalWatcher watch([&](QWidget* modal) {
    asked = qobject_cast<TLanguageSetup*>(modal) != nullptr;
    modal->findChild<QPushButton*>(QStringLiteral("English"))->click();
  });
  w.Start();
  EXPECT_TRUE(asked);
  EXPECT_EQ(w.Item("Znajd1")->text(), QStringLiteral("&Find..."));
  EXPECT_EQ(w.settings.Store().ReadInteger("Interface", "Language", -1), 2);
  EXPECT_EQ(InterfaceLanguage(), 2);
}

TEST(StartUp, ClosingTheLanguageDialogStartsInPolishAndAsksAgain) {
  Window w(0);
  for (int run = 0; run < 2; ++run) {
    bool asked = false;
    ModalWatcher watch([&](QWidget* modal) {
      asked = qobject_cast<TLanguageSetup*>(modal) != nullptr;
      modal->close();
    });
    w.Start();
    EXPECT_TRUE(asked) << run;
    EXPECT_EQ(w.Item("Znajd1")->text(), QStringLiteral("&Znajdź...")) << run;
    EXPECT_EQ(w.settings.Store().ReadInteger("Interface", "Language", -1), -1);
  }
  // Once chosen, the question is not asked again.
  w.settings.Store().WriteInteger("Interface", "Language", 1);
  ModalWatcher watch([](QWidget* modal) { modal->close(); });
  w.Start();
  QTest::qWait(50);
  EXPECT_FALSE(watch.Fired());
}

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
    std::istringstream keys(
        "dokument1 Ctrl+N dokumentHTML1 Ctrl+H okno1 Ctrl+W Otwrz1 Ctrl+O Zapisz1 Ctrl+S Uruchom1 F5 Zakocz1 Ctrl+Q "
        "Cofnij1 Ctrl+Z Kopiuj1 Ctrl+C Wklej1 Ctrl+V Wytnij1 Ctrl+X Zaznaczwszystko1 Ctrl+A DataGodzina1 F6 "
        "Zmniejszwcicie1 Ctrl+K Zwikszwcicie1 Ctrl+L Znajd1 Ctrl+F Znajdwyraenieregularne1 Ctrl+R Znajdnastpny1 F3 "
        "Skoczdolinii1 Ctrl+G Pogrubiona1 Ctrl+B Kursywa1 Ctrl+I Podkrelona1 Ctrl+U Powtrzwstawienieznacznika1 F8 "
        "Dodajdoulubionych1 Ctrl+D Pomoc2 F1 Zapiszjako1 - Drukuj1 -");
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

TEST(MainWindow, LanguageCommandsTellAboutTheRestartAndStoreTheChoice) {
  Window w(2);
  w.Item("Interfejspolski1")->trigger();
  ASSERT_EQ(w.dialogs.messages.size(), 1u);
  EXPECT_EQ(w.dialogs.messages[0], LangText(173, 2));
  EXPECT_EQ(w.settings.Store().ReadInteger("Interface", "Language", -1), 1);
  // Nothing changes before the next start.
  EXPECT_EQ(w.Item("Znajd1")->text(), QStringLiteral("&Find..."));
  w.Item("Interfejsangielski1")->trigger();
  EXPECT_EQ(w.settings.Store().ReadInteger("Interface", "Language", -1), 2);
  w.Item("okno1")->trigger();  // a new window is another instance of the program
  EXPECT_EQ(w.shell.started, std::vector<std::vector<std::string>>{{}});
}

TEST(MainWindow, TogglesReadFlipAndApplyTheirSetting) {
  Window w(2);
  w.Show();
  const struct {
    const char* item;
    const char* section;
    const char* ident;
    QWidget* target;
  } toggles[] = {
      {"BelkaHTML1", "Main", "HTMLBar", w.main->findChild<QToolBar*>(QStringLiteral("CoolBar2"))},
      {"Belkakolorw1", "Main", "ColorBar", w.main->findChild<QWidget*>(QStringLiteral("ColorBar"))},
      {"Zawijajwiersze1", "Editor", "WordWrap", nullptr},
  };
  for (const auto& t : toggles) {
    for (bool expected : {true, false}) {
      w.Item(t.item)->trigger();
      EXPECT_EQ(w.settings.Store().ReadBool(t.section, t.ident, !expected), expected) << t.item;
      EXPECT_EQ(w.Item(t.item)->isChecked(), expected) << t.item;
      if (t.target != nullptr) {
        EXPECT_EQ(t.target->isVisible(), expected) << t.item;
      } else {
        EXPECT_EQ(w.Editor().WordWrap(), expected);
      }
    }
  }
}

TEST(MainWindow, TypedTextShowsInTheEditorAndTheStatusBarFollowsTheCaret) {
  Window w(2);
  w.Show();
  QuillEditorWidget* editor = w.main->EditorWidget();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->hasFocus());
  QTest::keyClicks(editor, QStringLiteral("abcd"));
  EXPECT_EQ(w.Editor().Text(), "abcd");
  EXPECT_EQ(w.Panel(2), QStringLiteral("1 : 5"));
  // A letter composed by an input method is typed as its Windows-1250 byte.
  QInputMethodEvent compose;
  compose.setCommitString(QStringLiteral("ż"));
  QApplication::sendEvent(editor, &compose);
  EXPECT_EQ(w.Editor().Text(), "abcd\xBF");
  EXPECT_EQ(w.Panel(2), QStringLiteral("1 : 6"));
  EXPECT_EQ(w.Panel(1), QStringLiteral("Modified"));
  // A caret placed by the program reports the same way: second line, third column.
  w.Editor().SetText("first\r\nsecond");
  w.Editor().SetSelStart(9);
  EXPECT_EQ(w.Panel(2), QStringLiteral("2 : 3"));
  w.Editor().SetModified(false);
  EXPECT_EQ(w.Panel(1), QString());
}

TEST(MainWindow, EscapeDoesWhatTheSettingSays) {
  for (int setting : {0, 1, 2}) {
    Window w(2);
    w.Show();
    w.settings.Store().WriteInteger("Editor", "ESC Key", setting);
    QTest::keyClick(w.main->EditorWidget(), Qt::Key_Escape);
    EXPECT_EQ(w.terminated, setting == 1) << setting;
    EXPECT_EQ(w.main->isMinimized(), setting == 2) << setting;
  }
}

TEST(MainWindow, TheLayoutIsRestoredAndAMaximisedCloseStoresOnlyTheState) {
  Window w(2);
  SettingsStore& s = w.settings.Store();
  w.Show();
  w.main->setGeometry(70, 80, 600, 400);
  w.main->close();
  EXPECT_EQ(s.ReadInteger("Main", "WindowState", -1), 0);
  w.Start();
  w.Show();
  EXPECT_EQ(w.main->geometry(), QRect(70, 80, 600, 400));
  w.main->showMaximized();
  QTest::qWait(20);
  ASSERT_TRUE(w.main->isMaximized());
  w.main->close();
  EXPECT_EQ(s.ReadInteger("Main", "WindowState", -1), 2);
  EXPECT_EQ(s.ReadInteger("Main", "Width", -1), 600);
  EXPECT_EQ(s.ReadInteger("Main", "Top", -1), 80);
}

TEST(MainWindow, ClosingThePolishInterfaceShowsTheInformationBox) {
  for (int language : {1, 2}) {
    Window w(language);
    w.Show();
    QString shown;
    ModalWatcher watch([&](QWidget* modal) {
      shown = modal->objectName();
      modal->close();
    });
    w.main->close();
    EXPECT_EQ(shown, language == 1 ? QStringLiteral("Info") : QString()) << language;
  }
}

TEST(MainWindow, HighlighterItemsFormOneRadioGroupWithTheEditor) {
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
}

TEST(MainWindow, BookmarkItemsAreCheckedFromTheEditor) {
  Window w(2);
  w.Show();
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

TEST(MainWindow, TheTipOfTheDayComesOnceAndCanBeTurnedOff) {
  Window w(2, {}, true);
  int tip = 0;
  ModalWatcher watch([&](QWidget* modal) {
    tip = qobject_cast<TTifOfTheDay*>(modal) != nullptr ? qobject_cast<TTifOfTheDay*>(modal)->TipId() : -1;
    modal->findChild<QCheckBox*>(QStringLiteral("DontShow"))->setChecked(true);
    modal->findChild<QPushButton*>(QStringLiteral("Close"))->click();
  });
  w.Show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return watch.Fired(); }, 4000));
  EXPECT_GE(tip, 200);
  EXPECT_LE(tip, 211);
  EXPECT_FALSE(w.settings.Store().ReadBool("Tips", "ShowTips", true));
}

TEST(MainWindow, AlwaysOnTopKeepsThePlace) {
  Window w(2);
  w.Show();
  w.main->setGeometry(40, 50, 620, 440);
  for (bool expected : {true, false}) {
    w.Item("Zawszenawierzchu1")->trigger();
    EXPECT_EQ(w.main->windowFlags().testFlag(Qt::WindowStaysOnTopHint), expected);
    EXPECT_TRUE(w.main->isVisible());
    EXPECT_EQ(w.main->geometry(), QRect(40, 50, 620, 440));
  }
}

TEST(MainWindow, HelpOpensTheAboutTopicOfTheHelpPageFound) {
  QTemporaryDir data;
  QDir(data.path()).mkpath(QStringLiteral("quillpad/help"));
  const QString page = WriteFile(data.path() + QStringLiteral("/quillpad/help/index.html"), "<html></html>");
  std::optional<Window> started;
  {
    ScopedEnv xdg("XDG_DATA_HOME", data.path().toLocal8Bit().constData());
    started.emplace(2);
    started->Show();
  }
  Window& w = *started;
  ASSERT_TRUE(w.Item("Pomoc2")->isVisible());
  w.Item("Pomoc2")->trigger();
  ASSERT_EQ(w.shell.opened.size(), 1u);
  const QUrl opened(QString::fromStdString(w.shell.opened[0]));
  EXPECT_EQ(opened.fragment(), QStringLiteral("program_about"));
  EXPECT_EQ(QFileInfo(opened.toLocalFile()).canonicalFilePath(), QFileInfo(page).canonicalFilePath());
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

TEST(StartUp, ASettingsFolderThatCannotBeWrittenDoesNotStopTheProgram) {
  // Torn down in reverse: the window, then the old folder comes back, then MainSettings reopens there.
  struct ReopenSettings {
    ~ReopenSettings() { SetSettingsBackendFactory(nullptr); }
  } reopen;
  ScopedEnv config("QUILLPAD_CONFIG_DIR", "/proc/quillpad-cannot-exist");
  SetSettingsBackendFactory(nullptr);
  RecordingDialogs dialogs;
  RecordingShell shell;
  auto dismissEach = [](QWidget* modal) {
    if (auto* english = modal->findChild<QPushButton*>(QStringLiteral("English")))
      english->click();
    else
      modal->close();
  };
  std::unique_ptr<TMain> main;
  {
    // The language dialog, then the warning that the choice could not be stored.
    ModalWatcher each(dismissEach, true);
    main = StartQuillpad(MainSettings(), dialogs, shell, {});
    EXPECT_EQ(each.Count(), 2);
  }
  // The English choice could not be stored, yet this run is in English.
  EXPECT_EQ(main->findChild<QAction*>(QStringLiteral("Znajd1"))->text(), QStringLiteral("&Find..."));
  main->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
  {
    // A toggle whose value cannot be stored reports it and leaves the window running.
    ModalWatcher report([](QWidget* modal) { modal->close(); });
    main->findChild<QAction*>(QStringLiteral("BelkaHTML1"))->trigger();
    EXPECT_TRUE(report.Fired());
  }
  {
    ModalWatcher report([](QWidget* modal) { modal->close(); });
    main->close();
  }
  EXPECT_FALSE(main->isVisible());
}

TEST(MainWindow, ScrollBarsAndTheWheelMoveTheView) {
  Window w(2);
  w.Show();
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  w.Editor().SetText(text);
  w.Editor().SetSelStart(0);
  QScrollBar* bar = nullptr;
  for (QScrollBar* b : w.main->EditorWidget()->findChildren<QScrollBar*>())
    if (b->orientation() == Qt::Vertical) bar = b;
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->maximum(), w.Editor().Lines().Count() - 2);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  const int top = w.Editor().TopLine();
  EXPECT_GT(top, 0);
  EXPECT_EQ(bar->value(), top);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(w.Editor().TopLine(), top - 1);
  EXPECT_EQ(bar->value(), top - 1);
  Wheel(*w.main->EditorWidget(), -120);
  EXPECT_GT(w.Editor().TopLine(), top - 1);
  EXPECT_EQ(bar->value(), w.Editor().TopLine());
}
