// The line start states a worker thread computes while a long text is loaded: whatever happens while it
// runs (keys above or below where it has got to, jumps, a change of highlighter, the editor going away),
// the colours painted and the states stored must be those of a scan from the top of the text as it is.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "HighlightTestDriver.h"

namespace {

// HTML whose states last over many lines: now and then a line opens or closes PHP, a quoted value or a
// comment; the other lines leave the state as it is.
std::string LongHtml(std::mt19937& rng, std::size_t bytes) {
  static const char* const words[] = {"text ", "more words ", "<b>", "</b> ", "a=b ", "x"};
  static const char* const turns[] = {"<p class='", "'>",       "<!-- ", " -->", "<? $s = \"", "\"; ?>",
                                      "<?php if ",  " ?>",      "<a href=\"", "\">", "<!DOCTYPE", ">"};
  std::string s;
  while (s.size() < bytes) {
    for (unsigned i = 1 + rng() % 6; i > 0; --i) s += words[rng() % std::size(words)];
    if (rng() % 5 == 0) s += turns[rng() % std::size(turns)];
    s += "\r\n";
  }
  return s;
}

std::vector<std::string> LinesOf(const LineStore& store) {
  std::vector<std::string> lines;
  for (int i = 0; i < store.Count(); ++i) lines.emplace_back(store.Line(i));
  return lines;
}

TEST(LineStateWorker, StatesAfterEditsJumpsAndHighlighterChangesWhileItRunsAreThoseOfAScanFromTheTop) {
  std::mt19937 rng(7);
  static const char* const typed[] = {"\"", "'", "<?", "?>", "<!--", "-->", "<a ", "x"};
  for (int round = 0; round < 10; ++round) {
    auto e = std::make_unique<EditorFixture>(60, 12);
    TQuillEditor& editor = **e;
    editor.SetColorStyle(TColorStyle{csHTML});
    std::string text = LongHtml(rng, THighLighter::WorkerMinBytes + 100000);
    // Some texts hold a line too long for the worker, which ends before it (idle time goes on from there).
    if (round % 4 == 1) text.insert(text.find("\r\n", text.size() / 2), LineStore::RoomyLineBytes, '"');
    editor.SetText(text);
    const auto randomLine = [&] { return static_cast<int>(rng() % static_cast<unsigned>(editor.Lines().Count())); };
    // Straight after the text is set, while the worker runs: a few keys, jumps and highlighter changes.
    for (unsigned step = rng() % 4; step > 0; --step) {
      const int line = randomLine();
      switch (rng() % 5) {
        case 0:
          Select(editor, editor.PosToOffset(line, 1 + static_cast<int>(rng() % 8)), 0);
          Type(editor, typed[rng() % std::size(typed)]);
          break;
        case 1:  // a line break put in or taken out: the lines below move
          Select(editor, editor.PosToOffset(line, 1), 0);
          Type(editor, rng() % 2 ? "\r" : "\b");
          break;
        case 2: Select(editor, editor.PosToOffset(line, 1), 0); break;
        case 3: Type(editor, typed[rng() % std::size(typed)]); break;  // where the caret is
        default:
          editor.SetColorStyle(TColorStyle{csC});
          editor.SetColorStyle(TColorStyle{csHTML});
      }
    }
    // Some rounds end here: the editor goes while the worker may still run (the sanitizers watch).
    if (round % 4 == 3) continue;

    const std::vector<std::string> lines = LinesOf(editor.Lines());
    LineStore fresh;
    hltest::Fill(fresh, lines);
    auto scan = CreateHighlighter(false, TColorStyle{csHTML});
    scan->Attach(&fresh);
    // A jump far down, painted at once.
    const int top = randomLine();
    Select(editor, editor.PosToOffset(top, 1), 0);
    std::vector<hltest::PaintedToken> painted, expected;
    ASSERT_TRUE(hltest::Paint(editor.Highlighter(), top, 12, painted));
    ASSERT_TRUE(hltest::Paint(*scan, top, 12, expected));
    ASSERT_EQ(painted, expected) << "round " << round << ", top line " << top;
    // Idle time takes over the rest; every stored state is then the scan's.
    while (editor.IdleWork(256 * 1024)) {
    }
    while (scan->ScanAhead(std::size_t{1} << 20)) {
    }
    for (int i = 1; i < fresh.Count(); ++i)
      ASSERT_EQ(editor.Lines().StartState(i), fresh.StartState(i)) << "round " << round << ", line " << i;
  }
}

}  // namespace
