// Randomized checks of the highlighters against the simplest model of what they must do: painting any
// window of any text after any edits shows every character of the window exactly once, in order, with
// the colour a scan of the whole text from its first line gives it.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "HighlightTestDriver.h"
#include "highlight/HighlighterFactory.h"

using hltest::PaintedToken;

namespace {

const TColorStyle Styles[] = {{csHTML}, {csPerl}, {csPhp}, {csPascal}, {csC}, {csCSS}, {csNone}};

// Pieces that drive the languages through their states, mixed with arbitrary bytes.
const char* const Pieces[] = {"<",  ">",  "<!--", "-->", "<!", "<?", "?>", "\"", "'",  "$",     "@",
                              "=",  "==", "/*",   "*/",  "//", "{",  "}",  "#",  ";",  ":",     " ",
                              "\t", "if", "echo", "int", "BEGIN", "return", "http://", "-", "a", "b\"c",
                              "\"if#", "\"aif#"};  // keywords after a quote that may close a string
// With `words`, also the last pieces and lines of one word (a keyword or not); without, the draws stay
// those of the documents drawn before these were added.
constexpr std::size_t WordPieces = 2;

std::string RandomLine(std::mt19937& rng, bool words = false) {
  std::string line;
  const unsigned kind = rng() % 20;
  if (kind == 0) return line;
  if (words && kind == 2) return Pieces[23 + rng() % 5];
  const std::size_t choices = std::size(Pieces) - (words ? 0 : WordPieces);
  const unsigned pieces = kind == 1 ? 400 : rng() % 12;
  for (unsigned i = 0; i < pieces; ++i)  // pieces and any bytes, NUL and control characters included
    line += rng() % 4 == 0 ? std::string(1, static_cast<char>(rng() % 256)) : Pieces[rng() % choices];
  return line;
}

// Paints a window and compares every character with a whole scan of the text.
void ExpectPaintMatchesScan(THighLighter& h, TColorStyle style, const std::vector<std::string>& lines, int top, int rows,
                            int left = 0, hltest::Selection sel = {}) {
  std::vector<PaintedToken> tokens;
  ASSERT_TRUE(hltest::Paint(h, top, rows, tokens, left, sel)) << "the paint loop did not end";
  std::vector<std::vector<bool>> starts;
  const auto scan = hltest::Attributes(style, lines, sel, &starts);
  const auto at = [&](int line) -> const std::string& { return lines[static_cast<std::size_t>(line)]; };
  hltest::ExpectTiled(tokens, at, static_cast<int>(lines.size()), top, rows, left, [&](int line, int column) {
    return scan[static_cast<std::size_t>(line)][static_cast<std::size_t>(column - 1)];
  });
  // Tokens are cut where the whole scan cuts them, below the first line of a window with no left margin
  // (where a line's first visible character may be read afresh).
  for (const PaintedToken& t : tokens) {
    if (t.line == top || left > 0) continue;
    const std::vector<bool>& cut = starts[static_cast<std::size_t>(t.line)];
    for (std::size_t k = 0; k < t.text.size(); ++k) {
      ASSERT_EQ(cut[static_cast<std::size_t>(t.column - 1) + k], k == 0) << "line " << t.line << " column " << t.column + static_cast<int>(k);
    }
  }
}

// A line shown whole with nothing of it selected is stepped in one go and its tokens are cut from the
// states of its bytes; one with selected characters is stepped a character at a time. With every character
// selected, a whole scan must give the same colours and cuts but for the selection mark (which splits off
// the text's first character, read under a mark it had not before, and so cuts the first line otherwise);
// with any selection, the same colours with the mark on exactly the selected characters.
void ExpectStepwiseScanMatches(TColorStyle style, const std::vector<std::string>& lines, hltest::Selection sel) {
  std::vector<std::vector<bool>> starts, steppedStarts;
  const int count = static_cast<int>(lines.size());
  const auto scan = hltest::Attributes(style, lines, {}, &starts);
  const auto stepped = hltest::Attributes(style, lines, {0, 0, 0, count}, &steppedStarts);
  const auto partly = hltest::Attributes(style, lines, sel);
  const auto selected = [&](int line, int column) {  // the end is exclusive
    if (line < sel.startLine || line > sel.endLine) return false;
    return (line > sel.startLine || column >= sel.startColumn) && (line < sel.endLine || column < sel.endColumn);
  };
  for (std::size_t l = 0; l < lines.size(); ++l) {
    for (std::size_t k = 0; k < lines[l].size(); ++k) {
      ASSERT_EQ(stepped[l][k], scan[l][k] | tfSelected) << "line " << l << " column " << k + 1;
      const bool mark = selected(static_cast<int>(l), static_cast<int>(k) + 1);
      ASSERT_EQ(partly[l][k], scan[l][k] | (mark ? tfSelected : 0)) << "line " << l << " column " << k + 1;
      if (l > 0) {
        ASSERT_EQ(steppedStarts[l][k], starts[l][k]) << "line " << l << " column " << k + 1;
      }
    }
  }
}

void CheckPaint(TColorStyle style, THighLighter& h, const std::vector<std::string>& lines, std::mt19937& rng) {
  const int count = static_cast<int>(lines.size());
  const int top = static_cast<int>(rng() % static_cast<unsigned>(count + 2)) - 1;
  const int rows = static_cast<int>(rng() % 8);
  // One draw per statement: the order in which the operands of one expression are evaluated is the
  // compiler's, and the sanitized and release builds would otherwise test different regions.
  int left = 0;
  const bool narrow = rng() % 2 != 0;
  if (rng() % 3 == 0) left = static_cast<int>(rng() % (narrow ? 30 : 1500));
  hltest::Selection sel;
  if (rng() % 2) {
    sel = {static_cast<int>(rng() % 20), static_cast<int>(rng() % static_cast<unsigned>(count)), 0, 0};
    sel.endLine = sel.startLine + static_cast<int>(rng() % 3);
    sel.endColumn = sel.endLine == sel.startLine ? sel.startColumn + static_cast<int>(rng() % 20) : static_cast<int>(rng() % 20);
  }
  ExpectPaintMatchesScan(h, style, lines, top, rows, left, sel);
  ExpectStepwiseScanMatches(style, lines, sel);
}

class RandomTest : public ::testing::TestWithParam<TColorStyle> {};

TEST_P(RandomTest, EditedTextPaintsEveryVisibleCharacterOnceInTheColourOfAFullScan) {
  std::mt19937 rng(17 + GetParam().ToBits());
  for (int document = 0; document < 16; ++document) {
    const bool words = document >= 12;
    std::vector<std::string> lines(1 + rng() % 40);
    for (auto& l : lines) l = RandomLine(rng, words);
    LineStore store;
    hltest::Fill(store, lines);
    auto h = CreateHighlighter(false, GetParam());
    h->Attach(&store);
    for (int step = 0; step < 25; ++step) {
      // Idle-time scans ahead of the view may run before, between and after the edits, and may stop at
      // any line.
      const auto scanAhead = [&] { if (rng() % 2) h->ScanAhead(rng() % 300); };
      scanAhead();
      // A few edits between paints, announced the way the editor does.
      const unsigned edits = rng() % 3;
      for (unsigned e = 0; e < edits; ++e) {
        const int count = static_cast<int>(lines.size());
        int changed = static_cast<int>(rng() % static_cast<unsigned>(count));
        switch (rng() % 4) {
          case 0:
            lines[static_cast<std::size_t>(changed)] = RandomLine(rng, words);
            store.SetLine(changed, lines[static_cast<std::size_t>(changed)]);
            break;
          case 3: {
            // Typing inside a line, left or right of where a view scrolled into it begins.
            std::string& line = lines[static_cast<std::size_t>(changed)];
            const std::size_t at = rng() % (line.size() + 1), cut = rng() % 3;
            const std::string typed = RandomLine(rng, words).substr(0, rng() % 3);
            line.replace(at, std::min(cut, line.size() - at), typed);
            store.ReplaceInLine(changed, at, cut, typed);
            break;
          }
          case 1:
            lines.insert(lines.begin() + changed, RandomLine(rng, words));
            store.Insert(changed, lines[static_cast<std::size_t>(changed)]);
            break;
          default:
            if (count > 1) {
              lines.erase(lines.begin() + changed);
              store.Delete(changed);
              changed = std::max(changed - 1, 0);
            }
        }
        h->DirtyLine = h->DirtyLine < 0 ? changed : std::min(h->DirtyLine, changed);
        scanAhead();
      }
      CheckPaint(GetParam(), *h, lines, rng);
      if (HasFatalFailure()) return;
    }
  }
}

// A view scrolled far into a long line resumes that line's scan where the last paint left it; typing just
// left or right of that point, or under the keyword look-ahead past it, must still colour as a full scan.
TEST_P(RandomTest, TypingInALongLineScrolledIntoColoursAsAFullScan) {
  std::mt19937 rng(29 + GetParam().ToBits());
  std::vector<std::string> lines{RandomLine(rng), "", RandomLine(rng)};
  while (lines[1].size() < 3000) lines[1] += RandomLine(rng);
  LineStore store;
  hltest::Fill(store, lines);
  auto h = CreateHighlighter(false, GetParam());
  h->Attach(&store);
  for (int step = 0; step < 200; ++step) {
    // Mostly further right than the last paint, as while typing, sometimes back left.
    const int left = 1000 + step * 3 - static_cast<int>(rng() % 8);
    const std::size_t at = static_cast<std::size_t>(left - 80 + static_cast<int>(rng() % 160));
    const std::string typed = RandomLine(rng).substr(0, rng() % 3);
    const std::size_t cut = rng() % 2;
    lines[1].replace(at, cut, typed);
    store.ReplaceInLine(1, at, cut, typed);
    h->DirtyLine = h->DirtyLine < 0 ? 1 : std::min(h->DirtyLine, 1);
    ExpectPaintMatchesScan(*h, GetParam(), lines, rng() % 8 ? 1 : 0, 1 + static_cast<int>(rng() % 2), left);
    if (HasFatalFailure()) return;
  }
}

// Idle scans compute line start states in a loop of their own where a class has one (HTML); the states
// must be those that stepping every character while painting from the first line stores, context bits
// included, whether the loop starts at the first line or resumes at a stored state.
TEST(HighlightLineStates, ScanAheadStoresTheStatesOfAPaintFromTheTop) {
  std::mt19937 rng(41);
  for (int document = 0; document < 300; ++document) {
    std::vector<std::string> lines(1 + rng() % 30);
    for (auto& l : lines) l = RandomLine(rng);
    LineStore store;
    hltest::Fill(store, lines);
    for (const TColorStyle style : Styles) {
      auto painter = CreateHighlighter(false, style);
      painter->Attach(&store);
      painter->InvalidateAll();  // the states of the style before
      std::vector<PaintedToken> tokens;
      ASSERT_TRUE(hltest::Paint(*painter, 0, static_cast<int>(lines.size()), tokens));
      std::vector<std::uint16_t> stepped;
      for (int i = 0; i < store.Count(); ++i) stepped.push_back(store.StartState(i));
      painter->InvalidateAll();
      auto scanner = CreateHighlighter(false, style);
      scanner->Attach(&store);
      for (int pass = 0; pass < 2; ++pass) {
        while (scanner->ScanAhead(1 + rng() % 200)) {
        }
        for (int i = 1; i < store.Count(); ++i)
          ASSERT_EQ(store.StartState(i), stepped[static_cast<std::size_t>(i)]) << "style " << style.ToBits() << " line " << i << " pass " << pass;
        scanner->DirtyLine = static_cast<int>(rng() % lines.size());
      }
    }
  }
}

// Any byte sequence is text: a 1 MB line, a million empty lines, NUL and control bytes, and constructs
// that never close. Every paint must end, show each visible character exactly once and never read
// outside a line (the sanitizers watch the reads).
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
  const struct { int top, rows, left; } windows[] = {{0, 40, 0},          {0, 40, hugeLength / 2},    {middle, 40, 0},
                            {middle + 1, 40, 0}, {middle - 1, 40, 0}, {count - 12, 40, 0},
                            {count - 1, 40, 0},  {count - 1, 40, hugeLength - 10}, {count, 40, 0},
                            {count + 100, 40, 0}, {-5, 40, 0},        {1, 0, 0}};
  for (const auto& w : windows) {
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
  // unclosed constructs at ordinary sizes are painted by the randomized tests above.
  PaintBadDocument({csHTML}, 1000000, 1 << 20);
}

INSTANTIATE_TEST_SUITE_P(Styles, RandomTest, ::testing::ValuesIn(Styles),
                         [](const ::testing::TestParamInfo<TColorStyle>& param) {
                           return "style" + std::to_string(param.param.ToBits());
                         });

}  // namespace
