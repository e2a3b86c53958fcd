// The search menu in the main window: the find and replace dialogs, find next, and the pattern dialog.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "UiTestSupport.h"
#include "ui/ApplicationState.h"
#include "ui/TFindDialogs.h"
#include "ui/TMainSearch.h"
#include "ui/TSearchRegular.h"

namespace {

struct Window : TestWindow {
  explicit Window(const std::string& text) : TestWindow(2) {
    Show();
    Editor().SetText(text);
    Editor().SetSelStart(0);
  }
  TMainSearch& Search() const { return *main->findChild<TMainSearch*>(QStringLiteral("Search")); }
  std::pair<int, int> Selection() const { return {Editor().SelStart(), Editor().SelLength()}; }
};

template <typename T>
T* Child(QWidget* parent, const char* name) {
  return parent->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

TEST(SearchWindow, FindDialogThenFindNextFindsEachHitInTurn) {
  Window w("one two one two one");
  w.Item(QStringLiteral("Znajd1"))->trigger();
  TFindDialog* find = w.Search().FindDialog1();
  ASSERT_TRUE(find->isVisible());
  EXPECT_FALSE(find->isModal());
  QPushButton* next = Child<QPushButton>(find, "FindNext");
  EXPECT_FALSE(next->isEnabled()) << "nothing to search for yet";
  QTest::keyClicks(Child<QLineEdit>(find, "FindText"), QStringLiteral("ONE"));
  QTest::mouseClick(next, Qt::LeftButton);
  EXPECT_EQ(w.Selection(), std::make_pair(0, 3));
  QTest::keyClick(find, Qt::Key_F3);  // F3 works in the find dialog too
  EXPECT_EQ(w.Selection(), std::make_pair(8, 3));
  w.Item(QStringLiteral("Znajdnastpny1"))->trigger();
  EXPECT_EQ(w.Selection(), std::make_pair(16, 3));
  w.Item(QStringLiteral("Znajdnastpny1"))->trigger();
  EXPECT_EQ(w.Selection(), std::make_pair(16, 3));
  EXPECT_EQ(w.dialogs.messages, std::vector<std::string>{"No more found..."});
}

TEST(SearchWindow, FindNextWithoutASearchTextOpensTheFindDialog) {
  Window w("abc");
  w.Item(QStringLiteral("Znajdnastpny1"))->trigger();
  EXPECT_TRUE(w.Search().FindDialog1()->isVisible());
  EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST(SearchWindow, ReplaceAllTakesPolishSmallLettersForCapitalsAndEachReplacementUndoes) {
  // "Łódź, ŁÓDŹ" with "łódź" replaced by "Lodz"; No at the end.
  Window w("\xA3\xF3" "d\x9F, \xA3\xD3" "D\x8F.");
  w.Item(QStringLiteral("Zastp1"))->trigger();
  TReplaceDialog* replace = w.Search().ReplaceDialog1();
  ASSERT_TRUE(replace->isVisible());
  // Polish letters cannot be typed through QTest; the field gets them as pasted text.
  Child<QLineEdit>(replace, "FindText")->insert(QStringLiteral("łódź"));
  QTest::keyClicks(Child<QLineEdit>(replace, "ReplaceText"), QStringLiteral("Lodz"));
  w.dialogs.yesNo = false;
  QTest::mouseClick(Child<QPushButton>(replace, "ReplaceAll"), Qt::LeftButton);
  EXPECT_EQ(w.Editor().Text(), "Lodz, Lodz.");
  EXPECT_EQ(w.dialogs.messages, std::vector<std::string>{"No more found. Start from the begining?"});
  w.Editor().Undo();
  EXPECT_EQ(w.Editor().Text(), "Lodz, \xA3\xD3" "D\x8F.");
}

TEST(SearchWindow, PatternDialogKeepsItsPatternsAndFindNextRepeatsTheSearch) {
  Window w("<p><h2>a</h2><h3>");
  auto search = [&](const QString& pattern) {
    ModalWatcher watch([&](QWidget* modal) {
      auto* combo = Child<QComboBox>(modal, "RegularExp");
      ASSERT_NE(combo, nullptr);
      combo->setEditText(pattern);
      QTest::keyClick(combo, Qt::Key_Return);
    });
    w.Item(QStringLiteral("Znajdwyraenieregularne1"))->trigger();
    EXPECT_TRUE(watch.Fired());
  };
  search(QStringLiteral("<h[1-6]>"));
  EXPECT_EQ(w.Selection(), std::make_pair(3, 4));
  w.Item(QStringLiteral("Znajdnastpny1"))->trigger();
  EXPECT_EQ(w.Selection(), std::make_pair(13, 4));

  search(QStringLiteral("[x"));
  EXPECT_EQ(w.Selection(), std::make_pair(13, 4));
  EXPECT_EQ(w.dialogs.messages.back(), "Wyrażenie jest niepoprawnie zbudowane !!!\nNie zamknięty nawias zbioru \"[..]\"");
  QComboBox* combo = Child<QComboBox>(w.Search().SearchRegular(), "RegularExp");
  EXPECT_EQ(combo->currentText(), QStringLiteral("[x"));
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(1), QStringLiteral("<h[1-6]>"));
}

TEST(SearchWindow, PatternHelpOpensItsTopicAndIsHiddenWithoutHelp) {
  Window w("abc");
  for (const bool haveHelp : {false, true}) {
    SetApplicationHelpFile(haveHelp ? std::optional<QString>(QStringLiteral("/tmp/help/index.html")) : std::nullopt);
    ModalWatcher watch([&](QWidget* modal) {
      auto* help = Child<QPushButton>(modal, "Help");
      EXPECT_EQ(help->isVisible(), haveHelp);
      if (haveHelp) QTest::mouseClick(help, Qt::LeftButton);
      Child<QPushButton>(modal, "Cancel")->click();
    });
    w.Item(QStringLiteral("Znajdwyraenieregularne1"))->trigger();
    EXPECT_TRUE(watch.Fired());
  }
  SetApplicationHelpFile(std::nullopt);
  ASSERT_EQ(w.shell.opened.size(), 1u);
  EXPECT_NE(w.shell.opened[0].find("search_regexp"), std::string::npos) << w.shell.opened[0];
  EXPECT_EQ(w.Selection(), std::make_pair(0, 0)) << "Cancel searches nothing";
}
