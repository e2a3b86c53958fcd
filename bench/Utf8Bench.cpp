// Opening and saving UTF-8 documents beside a plain copy of the same file: Polish text, and text where
// every tenth character is one Windows-1250 cannot hold (CJK, emoji, Cyrillic), kept as marks. And one
// edit in a document of five million emoji.
//
// On the machines these run on, the first touch of freshly mapped memory costs more than any conversion
// (a copy into a new 50 MB string runs at a few hundred MB/s, into a used one at 10 GB/s), and the C
// library maps and unmaps blocks that large on every allocation. So the conversions run with freed
// memory kept for reuse, as in a program that has been running a while, and BM_Utf8FreshCopy shows what
// a new string of the file's size costs on its own. These benchmarks run after the others, which the
// allocator setting would otherwise change.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstring>

#include "BenchDocuments.h"
#include "app/Utf8Conversion.h"
#include "app/Win1250Unicode.h"
#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"

namespace {

constexpr std::size_t kFileBytes = 50u << 20;

// The UTF-8 file: kind 0 Polish text, kind 1 with every tenth character (line ends aside) foreign.
const std::string& Utf8File(int kind) {
  static std::string files[2];
  std::string& file = files[kind];
  if (!file.empty()) return file;
  const std::string win = MakeHtmlDocument(kFileBytes);
  static constexpr char32_t kForeign[] = {0x4E2D, 0x1F600, 0x044F, 0x6587, 0x1F44D, 0x0416};
  std::size_t n = 0;
  for (char c : win) {
    if (kind == 1 && c != '\r' && c != '\n' && ++n % 10 == 0)
      AppendUtf8(file, kForeign[(n / 10) % std::size(kForeign)]);
    else
      AppendWin1250AsUtf8(file, c);
  }
  return file;
}

void KeepFreedMemory() {
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
}

void SetThroughput(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

const char* const kKinds[] = {"Polish", "every tenth foreign"};

void BM_Utf8Memcpy(benchmark::State& state) {
  const std::string& in = Utf8File(static_cast<int>(state.range(0)));
  state.SetLabel(kKinds[state.range(0)]);
  std::string out(in.size(), '\0');
  for (auto _ : state) {
    std::memcpy(out.data(), in.data(), in.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  SetThroughput(state, in.size());
}
BENCHMARK(BM_Utf8Memcpy)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_Utf8FreshCopy(benchmark::State& state) {
  const std::string& in = Utf8File(0);
  for (auto _ : state) benchmark::DoNotOptimize(std::string(in));
  SetThroughput(state, in.size());
}
BENCHMARK(BM_Utf8FreshCopy)->Unit(benchmark::kMillisecond);

void BM_Utf8Open(benchmark::State& state) {
  const std::string& in = Utf8File(static_cast<int>(state.range(0)));
  state.SetLabel(kKinds[state.range(0)]);
  KeepFreedMemory();
  std::u32string marks;
  for (auto _ : state) benchmark::DoNotOptimize(Utf8ToWin(in, &marks));
  SetThroughput(state, in.size());
}
BENCHMARK(BM_Utf8Open)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_Utf8Save(benchmark::State& state) {
  const std::string& in = Utf8File(static_cast<int>(state.range(0)));
  state.SetLabel(kKinds[state.range(0)]);
  std::u32string marks;
  const std::string text = Utf8ToWin(in, &marks);
  KeepFreedMemory();
  for (auto _ : state) benchmark::DoNotOptimize(WinToUtf8(text, marks));
  SetThroughput(state, in.size());
}
BENCHMARK(BM_Utf8Save)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// Typing an emoji in the middle of five million of them (lines of 100), then deleting it.
void BM_EmojiDocumentKeystroke(benchmark::State& state) {
  std::string text;
  std::u32string marks;
  for (int line = 0; line < 50000; ++line) {
    text.append(100, '\x83');
    marks.append(100, char32_t{0x1F600});
    text += "\r\n";
  }
  FakeEditorHost host;
  TQuillEditor editor(&host);
  editor.HandleCreated();
  editor.SetMarkedText(text, marks);
  const int middle = static_cast<int>(text.size() / 2);
  for (auto _ : state) {
    editor.SetSelStart(middle);
    editor.TypeForeignCharacter(0x1F44D);
    editor.KeyPress('\b');
    host.canvas.calls.clear();
  }
}
BENCHMARK(BM_EmojiDocumentKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
