// Code-page conversion throughput beside a plain copy of the same buffer, and opening and saving whole
// documents through the document commands and the editor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "BenchDocuments.h"
#include "app/CodePageDetection.h"
#include "app/CodePages.h"
#include "app/TDocumentCommands.h"
#include "app/TQuillEditorDocument.h"
#include "app/TextFiles.h"
#include "app/Utf8Conversion.h"
#include "core/DocumentFakes.h"
#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"
#include "fakes/MemorySettingsBackend.h"

namespace {

constexpr std::size_t kBufferBytes = 16u << 20;

const std::string& WinText() {
  static const std::string text = MakeHtmlDocument(kBufferBytes);
  return text;
}

void SetThroughput(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

void BM_Memcpy(benchmark::State& state) {
  const std::string& in = WinText();
  std::string out(in.size(), '\0');
  for (auto _ : state) {
    std::memcpy(out.data(), in.data(), in.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  SetThroughput(state, in.size());
}
BENCHMARK(BM_Memcpy);

// A copy plus one byte-map pass, as saving does.
const char* const kPages[] = {"iso-8859-2", "cp852", "mazovia", "amigapl", "utf-8"};

void BM_ConvertForSaving(benchmark::State& state) {
  const char* page = kPages[state.range(0)];
  state.SetLabel(page);
  const std::string& in = WinText();
  for (auto _ : state) benchmark::DoNotOptimize(ConvertCodePage(in, "win-1250", page));
  SetThroughput(state, in.size());
}
BENCHMARK(BM_ConvertForSaving)->DenseRange(0, 4);

void BM_ConvertForOpening(benchmark::State& state) {
  const char* page = kPages[state.range(0)];
  state.SetLabel(page);
  const std::string file = ConvertCodePage(WinText(), "win-1250", page);
  std::u32string marks;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeFromCodePage(file, page, marks));
  SetThroughput(state, file.size());
}
BENCHMARK(BM_ConvertForOpening)->DenseRange(0, 4);

void BM_DetectCodePage(benchmark::State& state) {
  const std::string& in = WinText();
  for (auto _ : state) benchmark::DoNotOptimize(DetectCodePage(in));
  SetThroughput(state, in.size());
}
BENCHMARK(BM_DetectCodePage);

void BM_NormalizeLineEnds(benchmark::State& state) {
  std::string lf;
  for (char c : WinText())
    if (c != '\r') lf.push_back(c);
  for (auto _ : state) benchmark::DoNotOptimize(NormalizeLineEnds(lf));
  SetThroughput(state, lf.size());
}
BENCHMARK(BM_NormalizeLineEnds);

// Whole documents of 1, 10 and 50 MB: open = read, normalise, detect, convert, set the editor's text;
// save = get the text, convert, write a temporary file, flush it to disk and rename it.
struct DocumentBench {
  std::shared_ptr<MemorySettingsBackend> backend = std::make_shared<MemorySettingsBackend>();
  SettingsStore settings{backend};
  FakeEditorHost host;
  TQuillEditor quill{&host};
  TQuillEditorDocument editor{quill};
  ScriptedDialogs dialogs;
  doc_test::RecordingWindow window;
  TDocumentCommands docs{editor, dialogs, settings, window};
  TempFolder dir;
  std::string file;

  explicit DocumentBench(std::size_t megabytes) : file(dir / "bench.html") {
    quill.HandleCreated();
    const std::string doc = MakeHtmlDocument(megabytes << 20);
    WriteBytes(file, ConvertCodePage(doc, "win-1250", "iso-8859-2"));
  }
};

void BM_OpenDocument(benchmark::State& state) {
  DocumentBench bench(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) bench.docs.OpenDocument(bench.file);
  SetThroughput(state, static_cast<std::size_t>(state.range(0)) << 20);
}
BENCHMARK(BM_OpenDocument)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_SaveDocument(benchmark::State& state) {
  DocumentBench bench(static_cast<std::size_t>(state.range(0)));
  bench.docs.OpenDocument(bench.file);
  for (auto _ : state) benchmark::DoNotOptimize(bench.docs.SaveDocument());
  SetThroughput(state, static_cast<std::size_t>(state.range(0)) << 20);
}
BENCHMARK(BM_SaveDocument)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
