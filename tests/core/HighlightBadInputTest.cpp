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
  const auto lineAt = [&](int line) { return store.Line(line); };
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
    hltest::ExpectTiled(tokens, lineAt, count, w.top, w.rows, w.left);
  }
  // An edit at the top makes every stored state stale; the window at the end must still come out.
  store.SetLine(0, "<!--");
  h->DirtyLine = 0;
  std::vector<PaintedToken> tokens;
  ASSERT_TRUE(hltest::Paint(*h, count - 12, 40, tokens));
  hltest::ExpectTiled(tokens, lineAt, count, count - 12, 40, 0);
}

TEST(HighlightBadInput, HugeLineMillionEmptyLinesAndUnclosedConstructs) {
  // The scanning machinery is shared, so the largest inputs go through one class only; every language's
  // unclosed constructs at ordinary sizes are painted by the highlighter_paint fuzz target.
  PaintBadDocument({csHTML}, 1000000, 1 << 20);
}

}  // namespace
