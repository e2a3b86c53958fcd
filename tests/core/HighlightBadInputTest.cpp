// Any byte sequence is text: a 1 MB line, a million empty lines, NUL and control bytes, and constructs
// that never close. Every paint must end, show each visible character exactly once and never read
// outside a line (the sanitizers watch the reads).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "HighlightTestDriver.h"
#include "highlight/HighlighterFactory.h"

using hltest::PaintedToken;

namespace {

// Every character of lines top .. top+rows+2 within columns left+1 .. left+1024 painted once, in order.
void ExpectTiled(const std::vector<PaintedToken>& tokens, const LineStore& store, int top, int rows, int left) {
  std::size_t t = 0;
  for (int line = top; line <= top + rows + 2 && line < store.Count(); ++line) {
    const std::string_view text = store.Line(line);
    const int last = std::min(static_cast<int>(text.size()), left + 1024);
    for (int column = std::max(left, 1); column <= last;) {
      ASSERT_LT(t, tokens.size()) << "line " << line << " column " << column;
      const PaintedToken& tok = tokens[t++];
      ASSERT_EQ(tok.line, line);
      ASSERT_EQ(tok.column, column);
      ASSERT_EQ(tok.text, text.substr(static_cast<std::size_t>(column - 1), tok.text.size()));
      column += static_cast<int>(tok.text.size());
      ASSERT_LE(column - 1, last);
    }
  }
  EXPECT_EQ(t, tokens.size());
}

void PaintBadDocument(TColorStyle style, int emptyLines, int hugeLength) {
  std::mt19937 rng(3);
  std::string huge(static_cast<std::size_t>(hugeLength), ' ');
  for (char& c : huge) c = static_cast<char>(rng() % 256);
  const std::vector<std::string> tail = {"<!-- never closed", "<?php $a = \"open", "/* open", "{ open", "'open",
                                         "<?", "<a href=\"", std::string("a\0b\r\x01", 5), "$var"};
  std::vector<std::string_view> lines;
  lines.push_back(huge);
  const std::vector<std::string_view> empties(static_cast<std::size_t>(emptyLines));
  lines.insert(lines.end(), empties.begin(), empties.end());
  lines.insert(lines.end(), tail.begin(), tail.end());
  lines.push_back(huge);
  LineStore store;
  store.InsertLines(0, lines);
  const int count = store.Count();
  const int middle = emptyLines / 2;
  auto h = CreateHighlighter(false, style);
  h->Attach(&store);
  struct Window {
    int top, rows, left;
  };
  const Window windows[] = {{0, 40, 0},          {0, 40, hugeLength / 2},    {middle, 40, 0},
                            {middle + 1, 40, 0}, {middle - 1, 40, 0}, {count - 12, 40, 0},
                            {count - 1, 40, 0},  {count - 1, 40, hugeLength - 10}, {count, 40, 0},
                            {count + 100, 40, 0}, {-5, 40, 0},        {1, 0, 0}};
  for (const Window& w : windows) {
    std::vector<PaintedToken> tokens;
    ASSERT_TRUE(hltest::Paint(*h, w.top, w.rows, tokens, w.left)) << "top " << w.top;
    ExpectTiled(tokens, store, std::max(w.top, 0), w.rows + std::min(w.top, 0), w.left);
  }
  // An edit at the top makes every stored state stale; the window at the end must still come out.
  store.SetLine(0, "<!--");
  h->DirtyLine = 0;
  std::vector<PaintedToken> tokens;
  ASSERT_TRUE(hltest::Paint(*h, count - 12, 40, tokens));
  ExpectTiled(tokens, store, count - 12, 40, 0);
}

TEST(HighlightBadInput, HugeLineMillionEmptyLinesAndUnclosedConstructs) {
  // The scanning machinery is shared, so the largest inputs go through one class only.
  PaintBadDocument({csHTML}, 1000000, 1 << 20);
}

TEST(HighlightBadInput, HugeLineAndUnclosedConstructsInEveryLanguage) {
  for (const TColorStyle style : {TColorStyle{csPerl}, TColorStyle{csPhp}, TColorStyle{csPascal}, TColorStyle{csC},
                                  TColorStyle{csCSS}, TColorStyle{csNone}}) {
    SCOPED_TRACE(style.ToBits());
    PaintBadDocument(style, 2000, 1 << 16);
  }
}

}  // namespace
