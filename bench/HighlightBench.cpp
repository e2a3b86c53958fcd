// Highlighter throughput on a generated 10 MB HTML page with embedded PHP, and the cost of the paint
// after a keystroke near the top of it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "editor/LineStore.h"
#include "highlight/THTMLHighLight.h"

namespace {

std::vector<std::string> GeneratePage(std::size_t bytes) {
  static const char* const block[] = {
      "<div class=\"item\" id='row'>",
      "  <a href=\"http://quill.example/page.php?id=1\">Link text &amp; more words</a>",
      "  <!-- a comment with if and return in it -->",
      "  <?php echo $item['name'] . \" - \" . $price * 2; # the price ?>",
      "  <?php if ($count == 0) { print \"none\"; } else { $total = $total + $count; } ?>",
      "  <table border=0 cellpadding=2><tr><td>cell</td><td align=right>12.50</td></tr></table>",
      "  <p>Plain paragraph text, long enough to look like a sentence of real prose here.</p>",
      "</div>",
      "",
  };
  std::vector<std::string> lines;
  std::size_t total = 0;
  for (std::size_t i = 0; total < bytes; ++i) {
    lines.emplace_back(block[i % (sizeof block / sizeof block[0])]);
    total += lines.back().size() + 2;
  }
  return lines;
}

struct Page {
  std::vector<std::string> lines = GeneratePage(10u << 20);
  std::int64_t bytes = 0;
  LineStore store;
  Page() {
    std::vector<std::string_view> views(lines.begin(), lines.end());
    store.InsertLines(0, views);
    for (const auto& l : lines) bytes += static_cast<std::int64_t>(l.size()) + 2;
  }
};

Page& ThePage() {
  static Page page;
  return page;
}

// Recomputing every line's start state: a fresh highlighter shown the last line rescans the whole text.
void RescanFromTheTop(benchmark::State& state, LineStore& store, std::int64_t bytes) {
  for (auto _ : state) {
    THTMLHighLight h;
    h.Attach(&store);
    const int last = store.Count() - 1;
    h.SetRegion(0, last, 1024, last + 40);
    h.SetSelection(0, 0, 0, 0);
    h.Start();
    benchmark::DoNotOptimize(h.State);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_RescanWholeDocument(benchmark::State& state) {
  Page& page = ThePage();
  RescanFromTheTop(state, page.store, page.bytes);
}
BENCHMARK(BM_RescanWholeDocument)->Unit(benchmark::kMillisecond);

// The same on the text-heavy page of the side-by-side comparison (its jump far down at once after loading
// rescans half of it).
void BM_RescanGeneratedPage(benchmark::State& state) {
  static struct Generated {
    LineStore store;
    std::int64_t bytes = 0;
    Generated() {
      const std::string doc = MakeHtmlDocument(10u << 20);
      std::vector<std::string_view> views;
      for (std::size_t at = 0; at <= doc.size();) {
        std::size_t end = doc.find("\r\n", at);
        if (end == std::string::npos) end = doc.size();
        views.emplace_back(doc.data() + at, end - at);
        at = end + 2;
      }
      store.InsertLines(0, views);
      bytes = static_cast<std::int64_t>(doc.size());
    }
  } page;
  RescanFromTheTop(state, page.store, page.bytes);
}
BENCHMARK(BM_RescanGeneratedPage)->Unit(benchmark::kMillisecond);

// Cutting the whole text into tokens, as if every line were visible.
void BM_TokenizeWholeDocument(benchmark::State& state) {
  Page& page = ThePage();
  THTMLHighLight h;
  h.Attach(&page.store);
  std::string token;
  std::int64_t tokens = 0;
  for (auto _ : state) {
    h.SetRegion(0, 0, 1024, page.store.Count());
    h.SetSelection(0, 0, 0, 0);
    h.Start();
    while (!h.AtEnd()) {
      h.NextToken(token);
      ++tokens;
    }
  }
  state.SetBytesProcessed(state.iterations() * page.bytes);
  state.counters["tokens"] = benchmark::Counter(static_cast<double>(tokens), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TokenizeWholeDocument)->Unit(benchmark::kMillisecond);

// One keystroke on a line near the window's top, then Start and the paint of a 50-row window. The
// argument is the window's top line; the edit is 5 lines below it.
void BM_PaintAfterEditNearTop(benchmark::State& state) {
  Page& page = ThePage();
  const int top = static_cast<int>(state.range(0));
  const int edited = top + 5;
  THTMLHighLight h;
  h.Attach(&page.store);
  h.SetRegion(0, page.store.Count() - 1, 1024, page.store.Count() + 50);
  h.Start();  // every line's start state known, as after scrolling through the document
  std::string line = page.lines[static_cast<std::size_t>(edited)];
  std::string token;
  for (auto _ : state) {
    line.push_back('x');
    if (line.size() > 200) line.resize(10);
    page.store.SetLine(edited, line);
    h.DirtyLine = edited;
    h.SetRegion(0, top, 1024, top + 52);
    h.SetSelection(0, 0, 0, 0);
    h.Start();
    while (!h.AtEnd()) {
      h.NextToken(token);
      if (h.ScanLine > h.BottomLine) break;
    }
  }
  page.store.SetLine(edited, page.lines[static_cast<std::size_t>(edited)]);
}
BENCHMARK(BM_PaintAfterEditNearTop)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Start alone after an edit just above the window (the rescan from the edit to the top line).
void BM_StartAfterEditAboveWindow(benchmark::State& state) {
  Page& page = ThePage();
  const int top = 100000;
  const int edited = top - static_cast<int>(state.range(0));
  THTMLHighLight h;
  h.Attach(&page.store);
  h.SetRegion(0, page.store.Count() - 1, 1024, page.store.Count() + 50);
  h.Start();
  std::string line = page.lines[static_cast<std::size_t>(edited)];
  for (auto _ : state) {
    line.push_back('x');
    if (line.size() > 200) line.resize(10);
    page.store.SetLine(edited, line);
    h.DirtyLine = edited;
    h.SetRegion(0, top, 1024, top + 52);
    h.Start();
    benchmark::DoNotOptimize(h.State);
  }
  page.store.SetLine(edited, page.lines[static_cast<std::size_t>(edited)]);
}
BENCHMARK(BM_StartAfterEditAboveWindow)->Arg(1)->Arg(50)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
