#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "HighlightTestDriver.h"
#include "highlight/HighlighterFactory.h"
#include "highlight/KeywordList.h"
#include "highlight/TCSSHighLight.h"
#include "highlight/TCppHighlight.h"
#include "highlight/THTMLHighLight.h"
#include "highlight/TPHPHighLight.h"
#include "highlight/TPascalHighlight.h"
#include "highlight/TPerlHighLight.h"
#include "highlight/TTextHighLight.h"
#include "highlight/TokenColors.h"

using hltest::PaintedToken;

namespace {

std::vector<PaintedToken> PaintAll(THighLighter& h, LineStore& store, const std::string& source, hltest::Selection sel = {}) {
  hltest::Fill(store, hltest::SplitLines(source));
  h.Attach(&store);
  std::vector<PaintedToken> tokens;
  EXPECT_TRUE(hltest::Paint(h, 0, store.Count(), tokens, 0, sel));
  return tokens;
}

// A selection on one line covers its start column up to the column before its end; a word the check
// rejects is marked only when unselected and made of letters only.
TEST(TextHighlight, SelectionAndWordCheck) {
  LineStore store;
  TTextHighLight h;
  const std::vector<PaintedToken> selected = {
      {0, 1, tfText, 0, "a"}, {0, 2, tfText | tfSelected, 0, "bc"}, {0, 4, tfText, 0, "def"}};
  EXPECT_EQ(PaintAll(h, store, "abcdef", {2, 0, 4, 0}), selected);
  h.OnCheckWord = [](const std::string& w) { return w != "bad"; };
  // The letters before a digit are a word of their own; selected words are not checked; a selection
  // starting at a word start splits it: the first letter changes the state on its own.
  const TTokenFlags bad = tfText | tfMisspelled, sel = tfText | tfSelected;
  const std::vector<PaintedToken> checked = {{0, 1, bad, 0, "bad"},  {0, 4, tfText, 0, " "}, {0, 5, tfText, 0, "good"},
                                             {0, 9, tfText, 0, " "}, {0, 10, bad, 0, "bad"}, {0, 13, tfText, 0, "1"},
                                             {0, 14, tfText, 0, " "}, {0, 15, sel, 0, "b"},  {0, 16, sel, 0, "ad"}};
  EXPECT_EQ(PaintAll(h, store, "bad good bad1 bad", {15, 0, 18, 0}), checked);
}

TEST(TokenColors, FirstMatchingClassWins) {
  const HighlightColors c{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};  // in field order
  struct Case { TTokenFlags flags; ColorPair expected; };
  const Case cases[] = {
      {tfSelected | tfTag | tfScript, {1, 2}}, {tfLongParam | tfScript, {18, 19}}, {tfTag | tfScript, {16, 17}},
      {tfText | tfScript, {2, 3}}, {tfKeyword | tfScript, {10, 11}}, {tfOperator | tfScript, {14, 15}},
      {tfTag, {4, 5}}, {tfLongParam, {6, 7}}, {tfLongParam1, {6, 7}}, {tfLongParam1 | tfScript, {6, 7}},
      {tfShortParam, {8, 9}}, {tfComment, {12, 13}}, {tfComment2 | tfScript, {12, 13}}, {tfMisspelled, {99, 1}},
  };
  for (const Case& k : cases) EXPECT_EQ(ColorsForAttributes(k.flags, c, 99), k.expected) << k.flags;
}

template <class T>
bool Is(const std::unique_ptr<THighLighter>& h) {
  return dynamic_cast<T*>(h.get()) != nullptr;
}

TEST(HighlighterFactory, PlainTextFirstThenTheFirstStyleInTheFixedOrder) {
  const struct { bool plain; TColorStyle style; bool (*is)(const std::unique_ptr<THighLighter>&); } cases[] = {
      {true, {csHTML}, Is<TTextHighLight>},
      {false, {csPhp, csHTML}, Is<THTMLHighLight>},
      {false, {csPerl, csPhp, csPascal, csC, csCSS}, Is<TPerlHighLight>},
      {false, {csPhp, csPascal}, Is<TPHPHighLight>},
      {false, {csPascal, csC}, Is<TPascalHighlight>},
      {false, {csC, csCSS}, Is<TCppHighlight>},
      {false, {csCSS, csPlain}, Is<TCSSHighLight>},
      {false, {csPlain}, Is<TTextHighLight>}, {false, {csVB}, Is<TTextHighLight>}, {false, {csBatch}, Is<TTextHighLight>},
      {false, {csNone}, Is<TTextHighLight>},  {false, {csMFIle}, Is<TTextHighLight>}, {false, {}, Is<TTextHighLight>},
  };
  for (const auto& c : cases) EXPECT_TRUE(c.is(CreateHighlighter(c.plain, c.style))) << static_cast<int>(c.style.ToBits());
}

const char* const PhpPage = "<html>\n<?php\n$a = 1; /* x\necho $a;\n?>\n<b>done</b>";

// Fills the store with the PHP page and attaches the highlighter to it.
void Load(LineStore& store, THighLighter& h) {
  hltest::Fill(store, hltest::SplitLines(PhpPage));
  h.Attach(&store);
}

std::vector<PaintedToken> PaintFrom(THighLighter& h, int top) {
  std::vector<PaintedToken> tokens;
  EXPECT_TRUE(hltest::Paint(h, top, 10, tokens));
  return tokens;
}

// Keywords are found by their letters packed into a number; a list of random words, long and odd ones
// included, answers as a plain set does for its own words and for words one letter away from them.
TEST(KeywordList, AnswersAsAPlainSet) {
  std::mt19937 rng(5);
  const auto word = [&] {
    std::string w(1 + rng() % 15, 'a');
    for (char& c : w) c = static_cast<char>(rng() % 9 ? 'a' + rng() % 26 : "AZ_1\xB9`{"[rng() % 7]);
    return w;
  };
  for (int list = 0; list < 40; ++list) {
    std::string words;
    std::set<std::string> model;
    for (int k = rng() % 60; k > 0; --k) {
      const std::string w = word();
      words += w + " ";
      if (w[0] >= 'a' && w[0] <= 'z') model.insert(w);
    }
    const KeywordList keywords(words);
    std::vector<std::string> probes{"", "a", "z"};
    for (const std::string& w : model) {
      probes.push_back(w);
      probes.push_back(w + static_cast<char>('a' + rng() % 26));
      probes.push_back(w.substr(0, w.size() - 1));
      probes.push_back(w);
      probes.back()[rng() % w.size()] = static_cast<char>('a' + rng() % 26);
    }
    for (int k = 0; k < 50; ++k) probes.push_back(word());
    for (const std::string& p : probes) ASSERT_EQ(keywords.Contains(p), model.count(p) == 1) << p;
  }
}

TEST(HighlightLineStates, OnlyValidRecordsAreTrusted) {
  LineStore store, fresh;
  THTMLHighLight h, clean;
  Load(store, h);
  Load(fresh, clean);
  // The editor's wrap operations clear only the first byte of a line's start state.
  const auto expected = PaintFrom(h, 3);
  ASSERT_NE(store.StartState(3), 0);
  store.SetStartState(3, static_cast<std::uint16_t>(store.StartState(3) & 0xFF00));
  EXPECT_EQ(PaintFrom(h, 3), expected);
  // InvalidateFrom clears the existing records from the line before; lines without a record get none.
  PaintFrom(h, store.Count() - 1);
  for (int i = 1; i < store.Count(); ++i) ASSERT_NE(store.StartState(i), 0) << i;
  h.InvalidateFrom(4);
  for (int i = 1; i < store.Count(); ++i) EXPECT_EQ(store.StartState(i) == 0, i >= 3) << i;
  h.InvalidateAll();
  for (int i = 0; i < store.Count(); ++i) EXPECT_EQ(store.StartState(i), 0) << i;
  EXPECT_FALSE(store.HasRecord(0));
  // A new highlighter does not trust the C++ states ("/*" opens a comment) another left in the records.
  TCppHighlight cpp;
  Load(store, cpp);
  PaintFrom(cpp, 5);
  THTMLHighLight html;
  html.Attach(&store);
  for (int top : {5, 3, 4}) EXPECT_EQ(PaintFrom(html, top), PaintFrom(clean, top)) << top;
}

TEST(HighlightReader, LineEndsReadAsZeroAndPeekBackSkipsThem) {
  LineStore store;
  hltest::Fill(store, {"ab", "", "c"});
  TTextHighLight h;
  h.Attach(&store);
  // Each read: the character, end of line, end of text, then the line and column the scan is at.
  using Read = std::tuple<int, bool, bool, int, int>;
  const Read expected[] = {{'a', false, false, 0, 2}, {'b', false, false, 0, 3}, {0, true, false, 1, 1},
                           {0, true, false, 2, 1},    {'c', false, false, 2, 2}, {0, true, true, 2, 2}};
  for (const Read& r : expected) {
    const int c = h.ReadChar();
    EXPECT_EQ(Read(c, h.EndOfLine, h.EndOfText, h.ScanLine, h.ScanColumn), r);
  }
  EXPECT_EQ(h.PrevLine, 2);  // the line ends did not move the last character read
  EXPECT_EQ(std::tuple(h.PeekBack(1), h.PeekBack(2), h.PeekBack(3)), std::tuple('b', 'a', '\0'));
  h.StepBackLine();  // column 2 -> 1 of the last line
  h.StepBackLine();  // column 1: to the end of the empty line before
  EXPECT_EQ(std::pair(h.ScanLine, h.ScanColumn), std::pair(1, 1));
  h.StepBackLine();
  EXPECT_EQ(std::pair(h.ScanLine, h.ScanColumn), std::pair(0, 3));
  h.ScanColumn = 1;
  h.StepBack();
  EXPECT_EQ(h.ScanColumn, 1);
  h.ScanLine = 0;
  h.ScanColumn = 1;
  EXPECT_EQ(h.ReadWordRest(10), "ab");
  EXPECT_EQ(h.ReadWordRest(1), "a");
}

// The colour of every character of a few tricky lines per language, written out by hand from the
// language rules: keywords only as whole words starting after a non-letter, comments, strings, tags.
// One letter per character: T text, K keyword, C comment, c line comment or declaration, O operator,
// S double-quoted, s single-quoted, G tag or variable, P unquoted value; '+' marks embedded script.
std::string Mask(const std::vector<TTokenFlags>& flags) {
  static const std::pair<TTokenFlags, char> letters[] = {
      {tfKeyword, 'K'}, {tfComment, 'C'}, {tfComment2, 'c'}, {tfOperator, 'O'}, {tfLongParam, 'S'},
      {tfLongParam1, 's'}, {tfTag, 'G'}, {tfShortParam, 'P'}, {tfText, 'T'}};
  std::string out;
  for (TTokenFlags f : flags) {
    char c = '?';
    for (const auto& [flag, letter] : letters)
      if (f & flag) {
        c = letter;
        break;
      }
    out += c;
    if (f & tfScript) out += '+';
  }
  return out;
}

TEST(HighlightRules, EachCharacterHasTheColourOfItsLanguageRule) {
  const struct { TColorStyle style; const char* line; const char* mask; } cases[] = {
      {{csC}, "print myint int", "TTTTTTTTTTTTKKK"},
      {{csC}, "INT x; // int", "KKKTTTTTccccc"},
      {{csC}, "SIZEOF", "KKKKKK"},
      {{csC}, "a /* int */ \"int\" 'x'", "TTTCCCCCCCTTSSSSSTsss"},
      {{csPascal}, "xbegin begin BEGINNER { end } 'end'", "TTTTTTTKKKKKTTTTTTTTTTCCCCCCTTsssss"},
      {{csPerl}, "print printf myprint $print # if", "KKKKKTTTTTTTTTTTTTTTTGGGGGGTcccc"},
      {{csPerl}, "$s = \"a#b\"; x", "GGTOTSSSSSTTT"},
      {{csPhp}, "echo myecho echoes $echo", "KKKKTTTTTTTTTTTTTTTGGGGG"},
      {{csHTML}, "<b x=1 y=\"z\">if</b> <!-- var avar -->", "GGGGPPGGPSSSGTTGGGGTGcCCCKKKCCCCCCCCG"},
      {{csCSS}, "a { color: red; }", "TTTGGGGGGPPPPPGGT"},
      {{csHTML}, "<!DOCTYPE a-b> x", "Gccccccccccccccc"},  // a declaration ends after a quote or "?" only
      {{csHTML}, "<p a==b><? if ($x) echo 'y'; ?>", "GGGGPPPGGT+T+K+K+T+T+G+G+T+T+K+K+K+K+T+s+s+s+T+T+T+T"},
  };
  for (const auto& c : cases) EXPECT_EQ(Mask(hltest::Attributes(c.style, {c.line})[0]), c.mask) << c.line;
}

}  // namespace
