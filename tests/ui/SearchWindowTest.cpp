// The pattern dialog in the main window (find, find next, Replace All and the pattern search with F3 are
// driven end to end in test_search.py and test_main_window.py; what the search finds and asks is the core's).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "UiTestSupport.h"
#include "ui/ApplicationState.h"
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

TEST(SearchWindow, PatternDialogKeepsItsPatternsAndReportsABadOne) {
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
  search(QStringLiteral("[x"));
  EXPECT_EQ(w.Selection(), std::make_pair(3, 4));
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
