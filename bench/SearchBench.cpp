// Search workloads: find next of a word near the end of 50 MB (plain, with and without case), through
// the text search alone and through the editor, and a pattern search over 10 MB; memmem on the same
// buffer for comparison.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "BenchDocuments.h"
#include "app/LangTable.h"
#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"
#include "platform/Dialogs.h"
#include "search/EditorSearchTarget.h"
#include "search/TPatternEngine.h"
#include "search/TSearchCommands.h"
#include "search/TextSearch.h"

namespace {

constexpr const char* kWord = "Quillsearch";

// 50 MB of HTML with one kWord 1000 bytes before its end.
const std::string& Document50() {
  static const std::string doc = [] {
    std::string d = MakeHtmlDocument(std::size_t{50} << 20);
    d.insert(d.size() - 1000, kWord);
    return d;
  }();
  return doc;
}

const std::string& Document10() {
  static const std::string doc = MakeHtmlDocument(std::size_t{10} << 20);
  return doc;
}

std::size_t HitOffset() { return Document50().size() - 1000 - std::strlen(kWord); }

void BM_MemmemBaseline(benchmark::State& state) {
  const std::string& doc = Document50();
  for (auto _ : state) benchmark::DoNotOptimize(memmem(doc.data(), doc.size(), kWord, std::strlen(kWord)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * HitOffset()));
}
BENCHMARK(BM_MemmemBaseline)->Unit(benchmark::kMillisecond);

// The text search alone; argument 1 = match case.
void BM_FindText(benchmark::State& state) {
  const std::string& doc = Document50();
  const bool matchCase = state.range(0) != 0;
  const std::string needle = matchCase ? kWord : "QUILLSEARCH";
  for (auto _ : state) {
    const std::size_t at = SearchForward(doc, needle, 0, matchCase);
    if (at != HitOffset()) state.SkipWithError("wrong hit");
    benchmark::DoNotOptimize(at);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * HitOffset()));
}
BENCHMARK(BM_FindText)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

class NoDialogs : public Dialogs {
public:
  bool AskYesNo(const std::string&) override { return false; }
  Answer AskYesNoCancel(const std::string&) override { return Answer::No; }
  void Message(const std::string&) override {}
  std::optional<std::string> Prompt(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  bool OpenFile(FileRequest&) override { return false; }
  bool SaveFile(FileRequest&) override { return false; }
  std::optional<TColor> ChooseColor(TColor) override { return std::nullopt; }
  bool Print(PrintRequest&) override { return false; }
};

struct LoadedEditor {
  FakeEditorHost host;
  std::unique_ptr<TQuillEditor> editor;
  LoadedEditor() {
    host.width = TQuillEditor::GutterWidth + 120 * host.canvas.charWidth;
    host.height = 50 * host.canvas.cellHeight;
    editor = std::make_unique<TQuillEditor>(&host);
    editor->HandleCreated();
    editor->SetColorStyle(TColorStyle{csHTML});
    editor->SetText(Document50());
  }
};

// The search through the editor's lines alone; argument 1 = match case.
void BM_FindInEditorLines(benchmark::State& state) {
  static LoadedEditor loaded;
  const EditorSearchTarget target(*loaded.editor);
  const bool matchCase = state.range(0) != 0;
  const std::string needle = matchCase ? kWord : "QUILLSEARCH";
  for (auto _ : state)
    if (target.FindForward(needle, 0, matchCase) != HitOffset()) state.SkipWithError("wrong hit");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * HitOffset()));
}
BENCHMARK(BM_FindInEditorLines)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// F3 as the user has it: search, select the hit and repaint around it, from the top each time.
void BM_FindNextInEditor(benchmark::State& state) {
  static LoadedEditor loaded;
  TQuillEditor& editor = *loaded.editor;
  EditorSearchTarget target(editor);
  NoDialogs dialogs;
  TSearchCommands commands(target, dialogs);
  const bool matchCase = state.range(0) != 0;
  const TFindOptions options{matchCase ? kWord : "QUILLSEARCH", matchCase, true};
  for (auto _ : state) {
    state.PauseTiming();
    editor.SetSelStart(0);
    state.ResumeTiming();
    commands.FindNext(options, "");
    if (editor.SelStart() != static_cast<int>(HitOffset())) state.SkipWithError("wrong hit");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * HitOffset()));
}
BENCHMARK(BM_FindNextInEditor)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Patterns that find nothing, so the whole 10 MB is searched: a single leading character, a leading
// set, and a leading "*".
const char* const kPatterns[] = {"<h[1-6]>", "[A-Z]+q", "*zq"};

void BM_PatternSearch(benchmark::State& state) {
  const std::string& doc = Document10();
  TPatternEngine engine;
  if (engine.Compile(kPatterns[state.range(0)])) state.SkipWithError("invalid pattern");
  state.SetLabel(kPatterns[state.range(0)]);
  for (auto _ : state) {
    const auto hit = engine.Find(doc, 0, static_cast<int>(doc.size()));
    if (hit) state.SkipWithError("unexpected hit");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_PatternSearch)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_PatternMemmemBaseline(benchmark::State& state) {
  const std::string& doc = Document10();
  for (auto _ : state) benchmark::DoNotOptimize(memmem(doc.data(), doc.size(), "<h1>", 4));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_PatternMemmemBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Replace All of a word that is about one in sixteen of 1 MB: every replacement is its own edit.
void BM_ReplaceAllInEditor(benchmark::State& state) {
  const std::string doc = MakeHtmlDocument(std::size_t{1} << 20);
  for (auto _ : state) {
    state.PauseTiming();
    FakeEditorHost host;
    host.width = TQuillEditor::GutterWidth + 120 * host.canvas.charWidth;
    host.height = 50 * host.canvas.cellHeight;
    TQuillEditor editor(&host);
    editor.HandleCreated();
    editor.SetColorStyle(TColorStyle{csHTML});
    editor.SetText(doc);
    editor.SetSelStart(0);
    EditorSearchTarget target(editor);
    NoDialogs dialogs;
    TSearchCommands commands(target, dialogs);
    state.ResumeTiming();
    commands.ReplaceDialogReplace({"fox", "cat", true}, true);
    benchmark::DoNotOptimize(editor.SelStart());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_ReplaceAllInEditor)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
