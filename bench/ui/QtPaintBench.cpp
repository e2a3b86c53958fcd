// The editor drawn with the real Qt canvas, beside QPlainTextEdit (and QScintilla when it is installed)
// doing the same work on the same document, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <memory>

#include "BenchDocuments.h"
#include "app/Win1250Unicode.h"
#include "editor/TQuillEditor.h"
#include "ui/QuillEditorWidget.h"

namespace {

const std::string& Document() {
  static const std::string doc = MakeHtmlDocument(10u << 20);
  return doc;
}

struct QuillWindow {
  QuillEditorWidget widget;
  QuillWindow() {
    widget.Editor().SetFont(TFont{"DejaVu Sans Mono", 10});
    widget.resize(TQuillEditor::GutterWidth + 120 * 8 + 20, 50 * 16 + 20);
    widget.show();
    QApplication::processEvents();
    widget.Editor().SetColorStyle(TColorStyle{csHTML});
    widget.Editor().SetText(Document());
    widget.Editor().SetSelStart(static_cast<int>(Document().size() / 2));
    QApplication::processEvents();
  }
};

void BM_QuillFullPaintQtCanvas(benchmark::State& state) {
  QuillWindow w;
  for (auto _ : state) {
    w.widget.Editor().Paint();
    w.widget.repaint();
  }
}
BENCHMARK(BM_QuillFullPaintQtCanvas)->Unit(benchmark::kMicrosecond);

// The editor's drawing into the back buffer alone, without showing it.
void BM_QuillPaintIntoBufferOnly(benchmark::State& state) {
  QuillWindow w;
  for (auto _ : state) w.widget.Editor().Paint();
}
BENCHMARK(BM_QuillPaintIntoBufferOnly)->Unit(benchmark::kMicrosecond);

void BM_QuillKeystrokeQtCanvas(benchmark::State& state) {
  QuillWindow w;
  int typed = 0;
  for (auto _ : state) {
    w.widget.Editor().KeyPress(typed++ % 2 ? 'a' : 'b');
    w.widget.repaint();
    if (typed % 64 == 0) w.widget.Editor().Undo();
  }
}
BENCHMARK(BM_QuillKeystrokeQtCanvas)->Unit(benchmark::kMicrosecond);

struct PlainWindow {
  QPlainTextEdit edit;
  PlainWindow() {
    edit.setFont(QFont("DejaVu Sans Mono", 10));
    edit.resize(120 * 8 + 20, 50 * 16 + 20);
    edit.show();
    edit.setPlainText(QString::fromStdString(Win1250ToUtf8(Document())));
    QTextCursor c = edit.textCursor();
    c.setPosition(edit.document()->characterCount() / 2);
    edit.setTextCursor(c);
    QApplication::processEvents();
  }
};

void BM_PeerPlainTextEditFullPaint(benchmark::State& state) {
  PlainWindow w;
  for (auto _ : state) w.edit.viewport()->repaint();
}
BENCHMARK(BM_PeerPlainTextEditFullPaint)->Unit(benchmark::kMicrosecond);

void BM_PeerPlainTextEditKeystroke(benchmark::State& state) {
  PlainWindow w;
  int typed = 0;
  for (auto _ : state) {
    w.edit.insertPlainText(typed++ % 2 ? QStringLiteral("a") : QStringLiteral("b"));
    w.edit.viewport()->repaint();
  }
}
BENCHMARK(BM_PeerPlainTextEditKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
