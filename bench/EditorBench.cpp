// Editor workloads: load and first paint, one keystroke with its repaint, page down, word wrap.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

#include "BenchDocuments.h"
#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"

namespace {

std::unique_ptr<TQuillEditor> MakeEditor(FakeEditorHost& host, bool wrap) {
  host.width = TQuillEditor::GutterWidth + 120 * host.canvas.charWidth;
  host.height = 50 * host.canvas.cellHeight;
  auto e = std::make_unique<TQuillEditor>(&host);
  e->HandleCreated();
  e->SetColorStyle(TColorStyle{csHTML});  // documents are HTML pages with embedded PHP
  e->SetWordWrap(wrap);
  return e;
}

const std::string& Document(std::size_t megabytes) {
  static std::string docs[64];
  std::string& d = docs[megabytes];
  if (d.empty()) d = MakeHtmlDocument(megabytes << 20);
  return d;
}

void BM_LoadAndFirstPaint(benchmark::State& state) {
  const std::string& doc = Document(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    FakeEditorHost host;
    auto e = MakeEditor(host, false);
    e->SetText(doc);
    e->ClearUndo();
    e->SetSelStart(0);
    e->Paint();
    benchmark::DoNotOptimize(e->Lines().Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_LoadAndFirstPaint)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// One character typed (edit, re-flow, repaint) at the start, middle or end of the document.
void BM_Keystroke(benchmark::State& state) {
  const std::string& doc = Document(static_cast<std::size_t>(state.range(0)));
  FakeEditorHost host;
  auto e = MakeEditor(host, state.range(2) != 0);
  e->SetText(doc);
  const int where = static_cast<int>(state.range(1));
  const int offset = where == 0 ? 10 : where == 1 ? static_cast<int>(doc.size() / 2) : static_cast<int>(doc.size());
  e->SetSelStart(offset);
  int typed = 0;
  for (auto _ : state) {
    host.canvas.calls.clear();
    e->KeyPress(typed++ % 2 ? 'a' : 'b');
    if (typed % 64 == 0) {
      e->Undo();  // keep the line from growing without bound
      ++typed;
    }
  }
}
BENCHMARK(BM_Keystroke)
    ->ArgsProduct({{1, 10, 50}, {0, 1, 2}, {0, 1}})
    ->ArgNames({"MB", "where", "wrap"})
    ->Unit(benchmark::kMicrosecond);

// An editor holding the 10 MB document with the caret in its middle.
std::unique_ptr<TQuillEditor> MiddleOfTenMegabytes(FakeEditorHost& host) {
  const std::string& doc = Document(10);
  auto e = MakeEditor(host, false);
  e->SetText(doc);
  e->SetSelStart(static_cast<int>(doc.size() / 2));
  return e;
}

void BM_PageDownMiddle(benchmark::State& state) {
  FakeEditorHost host;
  auto e = MiddleOfTenMegabytes(host);
  for (auto _ : state) {
    host.canvas.calls.clear();
    int key = vk::Next;
    e->KeyDown(key, TShiftState{});
    key = vk::Prior;
    e->KeyDown(key, TShiftState{});
  }
}
BENCHMARK(BM_PageDownMiddle)->Unit(benchmark::kMicrosecond);

void BM_FullPaint(benchmark::State& state) {
  FakeEditorHost host;
  auto e = MiddleOfTenMegabytes(host);
  for (auto _ : state) {
    host.canvas.calls.clear();
    e->Paint();
  }
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMicrosecond);

void BM_WrapAll(benchmark::State& state) {
  const std::string& doc = Document(10);
  FakeEditorHost host;
  auto e = MakeEditor(host, false);
  e->SetText(doc);
  for (auto _ : state) {
    e->SetWordWrap(true);
    state.PauseTiming();
    e->SetWordWrap(false);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_WrapAll)->Unit(benchmark::kMillisecond);

// The documents that used to stall a keystroke: one 20 MB line (word wrap off and on), typed into in
// its middle, and five million empty lines, typed into at the end.
void BM_PathologicalKeystroke(benchmark::State& state) {
  static std::string singleLine, emptyLines;
  const bool single = state.range(0) == 0;
  std::string& doc = single ? singleLine : emptyLines;
  if (doc.empty() && single) {
    doc = MakeHtmlDocument(20u << 20);
    std::erase_if(doc, [](char ch) { return ch == '\r' || ch == '\n'; });
  } else if (doc.empty()) {
    for (int i = 0; i < 5000000; ++i) doc += "\r\n";
  }
  FakeEditorHost host;
  auto e = MakeEditor(host, state.range(1) != 0);
  e->SetText(doc);
  e->SetSelStart(single ? static_cast<int>(doc.size() / 2) : static_cast<int>(doc.size()));
  int typed = 0;
  for (auto _ : state) {
    host.canvas.calls.clear();
    e->KeyPress(typed++ % 2 ? 'a' : '<');
  }
  state.SetLabel(single ? "20 MB single line" : "5 million empty lines");
}
BENCHMARK(BM_PathologicalKeystroke)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Heap bytes the editor holds per byte of a loaded document (undo history cleared, as after opening).
void BM_MemoryPerDocumentByte(benchmark::State& state) {
  const std::string& doc = Document(10);
  double ratio = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    FakeEditorHost host;
    auto e = MakeEditor(host, false);
    e->SetText(doc);
    e->ClearUndo();
    const std::size_t after = mallinfo2().uordblks;
    ratio = static_cast<double>(after - before) / static_cast<double>(doc.size());
    benchmark::DoNotOptimize(e->Lines().Count());
  }
  state.counters["bytes_per_doc_byte"] = ratio;
}
BENCHMARK(BM_MemoryPerDocumentByte)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
