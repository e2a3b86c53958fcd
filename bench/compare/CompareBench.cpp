// Side-by-side timings of Quillpad's widget, QScintilla and QPlainTextEdit on the same generated
// Windows-1250 HTML documents, and Quillpad alone on three pathological documents.
//
//   quill_compare_bench [--runs N] [--sizes 10,50] [--skip-pathological]
//
// Every measurement runs in a process of its own (started from this one with --child), so memory
// figures are not disturbed by earlier work; each is repeated in N processes (3 by default) and the
// median of those is reported, with Quillpad's time over each peer's.
#include <malloc.h>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#define CALLGRIND_DUMP_STATS_AT(name)
#endif
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "PeerEditors.h"
#include "settings/SettingsStore.h"
#include "app/TDocumentCommands.h"
#include "app/TQuillEditorDocument.h"
#include "core/DocumentFakes.h"
#include "fakes/MemorySettingsBackend.h"
#include "ui/QuillEditorWidget.h"

namespace {

using Clock = QElapsedTimer;

double Ms(const Clock& c) { return static_cast<double>(c.nsecsElapsed()) / 1e6; }

// Everything queued, then the paint that the last action asked for, at once (Qt would otherwise show
// it on its next update timer); no timers run: idle work is not part of the action's time.
BenchEditor* settling = nullptr;
void Settle() {
  QCoreApplication::sendPostedEvents();
  if (settling == nullptr) return;
  QEvent update(QEvent::UpdateRequest);
  QApplication::sendEvent(settling->KeyTarget().window(), &update);
}

// Lets background work run, as the pauses of a person at the keyboard do, for at most `capMs`. Returns
// the longest time one turn of the event loop took (what a key pressed meanwhile would wait).
double Idle(BenchEditor& e, double capMs) {
  Clock total;
  total.start();
  double longest = 0;
  do {
    Clock turn;
    turn.start();
    QApplication::processEvents();
    longest = std::max(longest, Ms(turn));
  } while (e.IdleWorkPending() && Ms(total) < capMs);
  return longest;
}

void SendKey(QWidget& w, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(&w, &release);
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}
double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

std::size_t HeapBytes() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

void Report(const char* name, double value) { std::printf("%s %.4f\n", name, value); }

// Types `count` characters where the caret is, letting background work run between them as a typist's
// pauses would; returns the time of each key with its paint.
std::vector<double> TypeKeys(BenchEditor& e, int count) {
  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    Clock c;
    c.start();
    // Under valgrind --tool=callgrind --collect-atstart=no only the keystrokes are counted.
    CALLGRIND_TOGGLE_COLLECT;
    SendKey(e.KeyTarget(), i % 2 ? Qt::Key_A : Qt::Key_B, i % 2 ? QStringLiteral("a") : QStringLiteral("b"));
    Settle();
    CALLGRIND_TOGGLE_COLLECT;
    times.push_back(Ms(c));
    Idle(e, 50);
  }
  return times;
}

int RunEditorChild(const std::string& name, int megabytes) {
  std::unique_ptr<BenchEditor> e = MakeBenchEditor(name);
  if (!e) return 2;
  settling = e.get();
  const std::string doc = MakeHtmlDocument(static_cast<std::size_t>(megabytes) << 20);
  // Before the preparation: what it holds for the load is part of the document's memory.
  const std::size_t heapBefore = HeapBytes();
  e->Prepare(doc);
  Idle(*e, 100);
  Clock c;
  c.start();
  e->Load(doc);
  Settle();
  Report("load", Ms(c));
  Report("memory", static_cast<double>(HeapBytes() - heapBefore) / static_cast<double>(doc.size()));
  const int lines = e->LineCount();

  // The first jump far down, before any background work had a chance.
  c.start();
  e->MoveToLine(lines / 2);
  Settle();
  Report("jump_at_once", Ms(c));
  Clock idle;
  idle.start();
  Report("idle_turn_max", Idle(*e, 30000));
  Report("idle_total", Ms(idle));

  std::vector<double> jumps;
  for (double f : {0.3, 0.7, 0.9, 0.1, 0.6, 0.4, 0.5}) {
    c.start();
    e->MoveToLine(static_cast<int>(lines * f));
    Settle();
    jumps.push_back(Ms(c));
    Idle(*e, 50);
  }
  Report("jump", Median(jumps));
  Report("jump_max", Max(jumps));

  std::vector<double> pages;
  for (int i = 0; i < 20; ++i) {
    c.start();
    CALLGRIND_TOGGLE_COLLECT;
    SendKey(e->KeyTarget(), i % 2 ? Qt::Key_PageUp : Qt::Key_PageDown);
    Settle();
    CALLGRIND_TOGGLE_COLLECT;
    pages.push_back(Ms(c));
    Idle(*e, 50);
  }
  Report("pagedown", Median(pages));
  // The pages and the keys land in separate callgrind dumps.
  CALLGRIND_DUMP_STATS_AT("pagedown");

  // Keys at the start, the middle and the end; the first key of each comes right after the move.
  std::vector<double> all;
  for (const char* where : {"start", "middle", "end"}) {
    Idle(*e, 30000);
    const std::string w = where;
    if (w == "start") e->MoveToLine(0);
    else if (w == "middle") e->MoveToLine(lines / 2);
    else e->MoveToEnd();
    Settle();
    const std::vector<double> keys = TypeKeys(*e, 15);
    CALLGRIND_DUMP_STATS_AT(("key_" + w).c_str());
    Report(("key_" + w).c_str(), Median(keys));
    Report(("key_" + w + "_max").c_str(), Max(keys));
    all.insert(all.end(), keys.begin(), keys.end());
  }
  Report("key_max", Max(all));
  return 0;
}

// Quillpad alone on the documents that used to stall it.
int RunPathologicalChild(const std::string& which, const std::string& file) {
  if (which == "open200") {
    // The whole document pipeline: read, line ends, detection, conversion, text, first paint.
    QuillEditorWidget widget;
    widget.resize(800, 600);
    widget.show();
    QApplication::processEvents();
    widget.Editor().SetFont(TFont{"DejaVu Sans Mono", 10});
    auto backend = std::make_shared<MemorySettingsBackend>();
    SettingsStore settings{backend};
    TQuillEditorDocument editor{widget.Editor()};
    ScriptedDialogs dialogs;
    doc_test::RecordingWindow window;
    TDocumentCommands docs{editor, dialogs, settings, window};
    long pages = 0;
    {
      std::ifstream statm("/proc/self/statm");
      long size = 0;
      statm >> size >> pages;
    }
    const double before = static_cast<double>(pages) * static_cast<double>(sysconf(_SC_PAGESIZE));
    Clock c;
    c.start();
    docs.OpenDocument(file);
    Settle();
    Report("open_ms", Ms(c));
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const double bytes = static_cast<double>(in.tellg());
    Report("open_peak_per_byte", (static_cast<double>(usage.ru_maxrss) * 1024 - before) / bytes);
    return 0;
  }
  std::unique_ptr<BenchEditor> e = MakeBenchEditor("quill");
  settling = e.get();
  std::string doc;
  if (which == "single_line") {
    doc = MakeHtmlDocument(20u << 20);
    doc.erase(std::remove_if(doc.begin(), doc.end(), [](char ch) { return ch == '\r' || ch == '\n'; }), doc.end());
  } else {
    for (int i = 0; i < 5000000; ++i) doc += "\r\n";
  }
  e->Load(doc);
  Settle();
  for (bool wrap : {false, true}) {
    if (which != "single_line" && wrap) break;
    e->SetWordWrap(wrap);
    Settle();
    Idle(*e, 30000);
    std::vector<double> keys;
    for (const char* where : {"middle", "end"}) {
      if (std::string(where) == "middle") e->MoveToLine(e->LineCount() / 2);
      else e->MoveToEnd();
      Settle();
      const std::vector<double> k = TypeKeys(*e, 9);
      keys.insert(keys.end(), k.begin(), k.end());
    }
    const std::string prefix = which + (wrap ? "_wrap" : "");
    Report((prefix + "_key").c_str(), Median(keys));
    Report((prefix + "_key_max").c_str(), Max(keys));
  }
  return 0;
}

using Figures = std::map<std::string, std::vector<double>>;

void RunChild(const QString& self, const QStringList& args, Figures& into) {
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(self, QStringList{"--child"} + args);
  p.waitForFinished(-1);
  std::istringstream out(p.readAllStandardOutput().toStdString());
  std::string name;
  double value = 0;
  while (out >> name >> value) into[name].push_back(value);
  if (p.exitCode() != 0) std::fprintf(stderr, "child %s failed\n", args.join(' ').toStdString().c_str());
}

double MedianOf(Figures& f, const std::string& name) { return Median(f[name]); }

std::string Cell(double v, const char* unit) {
  char b[64];
  std::snprintf(b, sizeof b, v >= 100 ? "%.0f%s" : v >= 10 ? "%.1f%s" : "%.2f%s", v, unit);
  return b;
}

std::string Ratio(double ours, double peer) {
  if (peer <= 0) return "";
  char b[32];
  std::snprintf(b, sizeof b, " (%.2fx)", ours / peer);
  return b;
}

void PrintTable(int megabytes, std::map<std::string, Figures>& byEditor, const std::vector<std::string>& editors) {
  struct Row {
    const char* caption;
    const char* key;
    const char* maxKey;
    const char* unit;
  };
  static const Row rows[] = {
      {"load + first paint", "load", nullptr, " ms"},
      {"memory after load per document byte", "memory", nullptr, ""},
      {"caret to the middle line + paint, at once after load", "jump_at_once", nullptr, " ms"},
      {"background work after load (longest turn)", "idle_total", "idle_turn_max", " ms"},
      {"caret to a far line + paint (slowest)", "jump", "jump_max", " ms"},
      {"page down + paint, middle", "pagedown", nullptr, " ms"},
      {"type a character + paint, start (slowest)", "key_start", "key_start_max", " ms"},
      {"type a character + paint, middle (slowest)", "key_middle", "key_middle_max", " ms"},
      {"type a character + paint, end (slowest)", "key_end", "key_end_max", " ms"},
      {"slowest single keystroke + paint after moving there", "key_max", nullptr, " ms"},
  };
  std::printf("\n| %d MB HTML | Quillpad |", megabytes);
  for (std::size_t i = 1; i < editors.size(); ++i)
    std::printf(" %s |", editors[i] == "qsci" ? "QScintilla 8-bit (ours/it)" : "QPlainTextEdit (ours/it)");
  std::printf("\n|---|--:|");
  for (std::size_t i = 1; i < editors.size(); ++i) std::printf("--:|");
  std::printf("\n");
  for (const Row& r : rows) {
    std::printf("| %s |", r.caption);
    const double ours = MedianOf(byEditor["quill"], r.key);
    for (const std::string& name : editors) {
      const double v = MedianOf(byEditor[name], r.key);
      std::string cell = Cell(v, r.unit);
      if (r.maxKey) cell += " (" + Cell(MedianOf(byEditor[name], r.maxKey), "") + ")";
      if (name != "quill") cell += Ratio(ours, v);
      std::printf(" %s |", cell.c_str());
    }
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() >= 3 && args[0] == "--child") {
    if (args[1] == "pathological") return RunPathologicalChild(args[2].toStdString(), args.value(3).toStdString());
    return RunEditorChild(args[1].toStdString(), args[2].toInt());
  }
  int runs = 3;
  QStringList sizes{"10", "50"};
  bool pathological = true;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--runs" && i + 1 < args.size()) runs = std::max(1, args[++i].toInt());
    else if (args[i] == "--sizes" && i + 1 < args.size()) sizes = args[++i].split(',');
    else if (args[i] == "--skip-pathological") pathological = false;
  }
  std::vector<std::string> editors{"quill"};
  if (HaveQScintilla()) editors.push_back("qsci");
  editors.push_back("plain");
  if (!HaveQScintilla()) std::printf("QScintilla was not found when this was built: compared with QPlainTextEdit only.\n");
  std::printf("Medians of %d processes; in brackets the slowest single sample, and Quillpad's time over the peer's.\n",
              runs);
  const QString self = QCoreApplication::applicationFilePath();
  for (const QString& size : sizes) {
    std::map<std::string, Figures> byEditor;
    for (int r = 0; r < runs; ++r)
      for (const std::string& name : editors) RunChild(self, {QString::fromStdString(name), size}, byEditor[name]);
    PrintTable(size.toInt(), byEditor, editors);
  }
  std::fflush(stdout);
  if (!pathological) return 0;
  Figures f;
  TempFolder dir;
  const std::string file = dir / "big.html";
  WriteBytes(file, MakeHtmlDocument(200u << 20));
  for (int r = 0; r < runs; ++r) {
    RunChild(self, {"pathological", "single_line"}, f);
    RunChild(self, {"pathological", "empty_lines"}, f);
    RunChild(self, {"pathological", "open200", QString::fromStdString(file)}, f);
  }
  std::printf("\n| Quillpad alone | median | slowest |\n|---|--:|--:|\n");
  const auto line = [&](const char* caption, const std::string& key, const char* unit) {
    std::printf("| %s | %s | %s |\n", caption, Cell(MedianOf(f, key), unit).c_str(),
                f.count(key + "_max") ? Cell(MedianOf(f, key + "_max"), unit).c_str() : "");
  };
  line("20 MB single line: type a character + paint", "single_line_key", " ms");
  line("20 MB single line, word wrap: type a character + paint", "single_line_wrap_key", " ms");
  line("5 million empty lines: type a character + paint", "empty_lines_key", " ms");
  line("200 MB file: open through the document pipeline + first paint", "open_ms", " ms");
  line("200 MB file: peak memory per file byte", "open_peak_per_byte", "");
  return 0;
}
