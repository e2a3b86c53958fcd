#include <gtest/gtest.h>

#include <random>
#include <string>

#include "EditorTestSupport.h"
#include "app/LangTable.h"
#include "fakes/ScriptedDialogs.h"
#include "search/EditorSearchTarget.h"
#include "search/SearchTarget.h"
#include "search/TPatternEngine.h"
#include "search/TSearchCommands.h"
#include "search/TextSearch.h"

namespace {

using Answer = Dialogs::Answer;

// The search commands on the real editor, which records each replacement as one undo step.
struct Fixture {
  explicit Fixture(const std::string& text) {
    e->SetText(text);
    e->ClearUndo();
    target.Select(0, 0);
  }
  std::pair<int, int> Selection() const { return {target.SelStart(), target.SelLength()}; }
  EditorFixture e;
  EditorSearchTarget target{*e};
  ScriptedDialogs dialogs;
  TSearchCommands commands{target, dialogs};
};

const std::string kNoMore = LangText(74, InterfaceLanguage());
const std::string kPatternRestart = "Wyszukiwanie zakończone. Rozpocząć wyszukiwanie od początku dokumentu? ";

}  // namespace

TEST(SearchCommands, FindAsksAtTheEndAndGoesOnFromTheTopOnYes) {
  Fixture f("abc xabc");
  f.target.Select(5, 3);
  f.dialogs.answers = {Answer::No};
  f.commands.FindDialogFind({"abc", true, true});
  EXPECT_EQ(f.Selection(), std::make_pair(5, 3));  // No leaves the selection
  f.dialogs.answers = {Answer::Yes};
  f.commands.FindDialogFind({"abc", true, true});
  EXPECT_EQ(f.Selection(), std::make_pair(0, 3));  // a hit at the very first character
  EXPECT_EQ(f.dialogs.asked, (std::vector<std::string>{kNoMore, kNoMore}));
}

TEST(SearchCommands, UpwardSearchReachesAnyDistanceAndRestartsAtTheEnd) {
  const std::string far = "needle" + std::string(5000, ' ') + "x";
  Fixture f(far + " needle tail");
  f.target.Select(static_cast<int>(far.size()), 1);
  f.commands.FindDialogFind({"NEEDLE", false, false});
  EXPECT_EQ(f.Selection(), std::make_pair(0, 6));
  // Nothing before the first hit: Yes goes on from the end, which finds the last one.
  f.dialogs.answers = {Answer::Yes};
  f.commands.FindDialogFind({"needle", true, false});
  EXPECT_EQ(f.Selection(), std::make_pair(static_cast<int>(far.size()) + 1, 6));
  EXPECT_EQ(f.dialogs.asked.size(), 1u);
}

TEST(SearchCommands, FindNextFindsOverlappingHitsAndReportsTheEnd) {
  Fixture f("aaa");
  const TFindOptions options{"aa", true, false};  // find next always goes down
  f.commands.FindDialogFind({"aa", true, true});
  EXPECT_EQ(f.Selection(), std::make_pair(0, 2));
  EXPECT_TRUE(f.commands.FindNext(options, ""));
  EXPECT_EQ(f.Selection(), std::make_pair(1, 2));
  EXPECT_TRUE(f.commands.FindNext(options, ""));
  EXPECT_EQ(f.Selection(), std::make_pair(1, 2));
  EXPECT_EQ(f.dialogs.asked, std::vector<std::string>{LangText(75, InterfaceLanguage())});
  EXPECT_FALSE(f.commands.FindNext({"", true, true}, "")) << "an empty text opens the find dialog";
}

TEST(SearchCommands, TextSearchAgreesWithANaiveScan) {
  std::mt19937 rng(3);
  const std::string letters = "aAb\xB9\xA5 ";
  auto fold = [](char c) { return c == 'A' ? 'a' : c == '\xA5' ? '\xB9' : c; };
  for (int round = 0; round < 2000; ++round) {
    std::string text, needle;
    for (int i = 0, n = static_cast<int>(rng() % 20); i < n; ++i) text += letters[rng() % letters.size()];
    for (int i = 0, n = static_cast<int>(rng() % 4); i < n; ++i) needle += letters[rng() % letters.size()];
    const bool matchCase = rng() % 2 == 0;
    const std::size_t from = rng() % (text.size() + 2);
    std::size_t first = std::string::npos, last = std::string::npos;
    for (std::size_t i = 0; !needle.empty() && i + needle.size() <= text.size(); ++i) {
      std::size_t k = 0;
      while (k < needle.size() && (matchCase ? text[i + k] == needle[k] : fold(text[i + k]) == fold(needle[k]))) ++k;
      if (k < needle.size()) continue;
      if (i >= from && first == std::string::npos) first = i;
      if (i + needle.size() <= from && from <= text.size()) last = i;
    }
    ASSERT_EQ(SearchForward(text, needle, from, matchCase), first) << text << " / " << needle << " from " << from;
    ASSERT_EQ(SearchBackward(text, needle, from, matchCase), last) << text << " / " << needle << " before " << from;
  }
}

TEST(SearchCommands, ReplaceAllEndsOnlyThroughTheQuestion) {
  // No at the end stops it; every replacement is its own undo step.
  Fixture f("cat Cat cAt dog CAT");
  f.dialogs.answers = {Answer::No};
  f.commands.ReplaceDialogReplace({"cat", "dog", false}, true);
  EXPECT_EQ(f.target.Text(), "dog dog dog dog dog");
  EXPECT_EQ(f.e->UndoHistory().Count(), 4);
  EXPECT_EQ(f.dialogs.asked, std::vector<std::string>{kNoMore});

  // Yes goes on from the top, where the hit before the caret is replaced too.
  Fixture g("a.a.a");
  g.target.Select(2, 0);
  g.dialogs.answers = {Answer::Yes, Answer::No};
  g.commands.ReplaceDialogReplace({"a", "b", true}, true);
  EXPECT_EQ(g.target.Text(), "b.b.b");
  EXPECT_EQ(g.dialogs.asked.size(), 2u);
}

TEST(SearchCommands, ReplaceAllAgreesWithReplacingEachHitInTurn) {
  std::mt19937 rng(5);
  for (int round = 0; round < 500; ++round) {
    std::string text;
    for (int i = 0, n = static_cast<int>(rng() % 30); i < n; ++i) text += "ab "[rng() % 3];
    const std::string needle = rng() % 2 ? "ab" : "b";
    const std::string replacement = std::string("xab").substr(0, rng() % 4);
    Fixture f(text);
    f.dialogs.answers = {Answer::No};
    f.commands.ReplaceDialogReplace({needle, replacement, true}, true);
    // The model: every hit, left to right, searched after the previous replacement.
    std::string expected = text;
    for (std::size_t p = expected.find(needle); p != std::string::npos;) {
      expected.replace(p, needle.size(), replacement);
      p = expected.find(needle, p + replacement.size());
    }
    ASSERT_EQ(f.target.Text(), expected) << text << " " << needle << " -> " << replacement;
  }
}

TEST(SearchCommands, ReplaceOnceReplacesTheSelectionWhateverItHolds) {
  Fixture f("one two one");
  f.target.Select(4, 3);
  f.commands.ReplaceDialogReplace({"one", "1", true}, false);
  EXPECT_EQ(f.target.Text(), "one 1 one");
  EXPECT_EQ(f.Selection(), std::make_pair(5, 0));  // the next hit is not searched
  f.commands.ReplaceDialogReplace({"one", "1", true}, false);  // nothing selected: find first
  EXPECT_EQ(f.target.Text(), "one 1 1");
}

TEST(SearchCommands, PatternSearchRestartsInPolishAndFindNextRepeatsIt) {
  Fixture f("ab a1c axc ayc");
  f.commands.PatternDialogAccepted("a?c");
  EXPECT_EQ(f.commands.SearchMode(), TSearchCommands::Mode::Pattern);
  EXPECT_EQ(f.Selection(), std::make_pair(7, 3));
  f.commands.FindNext({"ab", true, true}, "a?c");  // repeats the pattern, not the find text
  EXPECT_EQ(f.Selection(), std::make_pair(11, 3));
  f.dialogs.answers = {Answer::Yes, Answer::No};
  f.commands.FindNext({"ab", true, true}, "a[0-9]c");
  EXPECT_EQ(f.Selection(), std::make_pair(3, 3));
  f.commands.FindNext({"ab", true, true}, "a[0-9]c");
  EXPECT_EQ(f.dialogs.asked, (std::vector<std::string>{kPatternRestart, kPatternRestart}));
  EXPECT_EQ(f.Selection(), std::make_pair(3, 3));

  // An invalid pattern is reported and changes nothing; the find dialog switches back to text.
  f.target.Select(3, 3);
  f.commands.FindNext({}, "[ab");
  EXPECT_EQ(f.dialogs.asked.back(), std::string(kPatternErrorHeading) + "\n" + kPatternErrorOpenSet);
  EXPECT_EQ(f.Selection(), std::make_pair(3, 3));
  f.target.Select(0, 0);
  f.commands.FindDialogFind({"ab", true, true});
  EXPECT_EQ(f.commands.SearchMode(), TSearchCommands::Mode::Text);
}

TEST(SearchCommands, TheEditorsChunkedSearchAgreesWithSearchingItsWholeText) {
  // Small chunks, short lines and word wrap put hits across chunk ends, line breaks and soft breaks.
  std::mt19937 rng(11);
  for (const bool wrap : {false, true}) {
    EditorFixture e(12, 5);
    std::string text;
    for (int i = 0; i < 400; ++i) text += (rng() % 30 == 0) ? std::string("\r\n") : std::string(1, "abAB "[rng() % 5]);
    e->SetText(text);
    const int documentLines = e->Lines().Count();
    e->SetWordWrap(wrap);
    ASSERT_EQ(e->Lines().Count() > documentLines, wrap);
    const EditorSearchTarget target(*e, 7);
    const std::string whole = e->Text();
    for (int round = 0; round < 300; ++round) {
      std::string needle;
      for (int i = 0, n = 1 + static_cast<int>(rng() % 4); i < n; ++i) needle += "abAB \r\n"[rng() % 7];
      const std::size_t from = rng() % (whole.size() + 3);
      const bool matchCase = rng() % 2 == 0;
      ASSERT_EQ(target.FindForward(needle, from, matchCase), SearchForward(whole, needle, from, matchCase))
          << "needle " << needle << " from " << from << " wrap " << wrap;
    }
  }
}
