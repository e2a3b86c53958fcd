#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HighlightTestDriver.h"
#include "highlight/HighlighterFactory.h"
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

TEST(TextHighlight, WordsAndAddressRunsAreTokensOtherCharactersStandAlone) {
  LineStore store;
  TTextHighLight h;
  const auto tokens = PaintAll(h, store, "don't 42 HTTP://x.pl/a\r\nhttp:/ ab1");
  const std::vector<PaintedToken> expected = {
      {0, 1, tfText, 0, "don't"},  {0, 6, tfText, 0, " "},  {0, 7, tfText, 0, "4"},
      {0, 8, tfText, 0, "2"},      {0, 9, tfText, 0, " "},  {0, 10, tfText, tkURL, "HTTP://x.pl/a"},
      {1, 1, tfText, 0, "http:/"}, {1, 7, tfText, 0, " "},  {1, 8, tfText, 0, "ab"},
      {1, 10, tfText, 0, "1"}};
  EXPECT_EQ(tokens, expected);
}

TEST(TextHighlight, SelectionOnOneLineCoversStartToEndMinusOne) {
  LineStore store;
  TTextHighLight h;
  const auto tokens = PaintAll(h, store, "abcdef", {2, 0, 4, 0});
  const std::vector<PaintedToken> expected = {
      {0, 1, tfText, 0, "a"}, {0, 2, tfText | tfSelected, 0, "bc"}, {0, 4, tfText, 0, "def"}};
  EXPECT_EQ(tokens, expected);
}

TEST(TextHighlight, WordCheckMarksRejectedUnselectedWordsOfLettersOnly) {
  LineStore store;
  TTextHighLight h;
  h.OnCheckWord = [](const std::string& w) { return w != "bad"; };
  const auto tokens = PaintAll(h, store, "bad good bad1 bad", {15, 0, 18, 0});
  ASSERT_EQ(tokens.size(), 8u);
  EXPECT_EQ(tokens[0].flags, tfText | tfMisspelled);
  EXPECT_EQ(tokens[1].flags, tfText);                // a blank is not a word
  EXPECT_EQ(tokens[2].flags, tfText);                // good
  EXPECT_EQ(tokens[4].flags, tfText | tfMisspelled);  // the letters before a digit are a word of their own
  EXPECT_EQ(tokens[5].flags, tfText);
  EXPECT_EQ(tokens[7].flags, tfText | tfSelected);  // selected words are not checked
}

TEST(TokenColors, FirstMatchingClassWins) {
  HighlightColors c;
  c.Window = 1; c.Text = 2; c.BackgroundText = 3; c.Tag = 4; c.BackgroundTag = 5; c.LongParam = 6;
  c.BackgroundLongParam = 7; c.ShortParam = 8; c.BackgroundShortParam = 9; c.Keyword = 10;
  c.BackgroundKeyword = 11; c.Comment = 12; c.BackgroundComment = 13; c.Operator = 14;
  c.BackgroundOperator = 15; c.PHPVariable = 16; c.BackgroundPHPVariable = 17; c.PHPParameter = 18;
  c.BackgroundPHPParameter = 19;
  struct Case { TTokenFlags flags; ColorPair expected; };
  const Case cases[] = {
      {tfSelected | tfTag | tfScript, {1, 2}},
      {tfLongParam | tfScript, {18, 19}},
      {tfTag | tfScript, {16, 17}},
      {tfText | tfScript, {2, 3}},
      {tfKeyword | tfScript, {10, 11}},
      {tfOperator | tfScript, {14, 15}},
      {tfTag, {4, 5}},
      {tfLongParam, {6, 7}},
      {tfLongParam1, {6, 7}},
      {tfLongParam1 | tfScript, {6, 7}},
      {tfShortParam, {8, 9}},
      {tfComment, {12, 13}},
      {tfComment2 | tfScript, {12, 13}},
      {tfMisspelled, {99, 1}},
  };
  for (const Case& k : cases) EXPECT_EQ(ColorsForAttributes(k.flags, c, 99), k.expected) << hltest::Hex(k.flags);
}

}  // namespace
