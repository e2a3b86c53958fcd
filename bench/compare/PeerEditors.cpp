#include "PeerEditors.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "app/Win1250Unicode.h"
#include "editor/TQuillEditor.h"
#include "ui/QuillEditorWidget.h"

#ifdef QUILL_BENCH_QSCINTILLA
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#endif

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

QFont BenchFont() {
  QFont font("DejaVu Sans Mono");
  font.setPointSize(10);
  return font;
}

class QuillBench final : public BenchEditor {
public:
  QuillBench() {
    widget_.resize(kWidth, kHeight);
    widget_.show();
    widget_.setFocus();
    QApplication::processEvents();
    widget_.Editor().SetFont(TFont{"DejaVu Sans Mono", 10});
    widget_.Editor().SetColorStyle(TColorStyle{csHTML});
  }
  QWidget& KeyTarget() override { return widget_; }
  // Opening a file hands the bytes it read over to the editor, so the copy is made here, untimed.
  void Prepare(const std::string& text) override { prepared_ = text; }
  void Load(const std::string& text) override {
    widget_.Editor().LoadMarkedText(prepared_.empty() ? text : std::move(prepared_), {});
    prepared_.clear();
  }
  int LineCount() override { return widget_.Editor().Lines().Count(); }
  void MoveToLine(int line) override { widget_.Editor().SetSelStart(widget_.Editor().PosToOffset(line, 1)); }
  void MoveToEnd() override {
    widget_.Editor().SetSelStart(static_cast<int>(widget_.Editor().Lines().TextLength()));
  }
  void SetWordWrap(bool on) override { widget_.Editor().SetWordWrap(on); }
  bool IdleWorkPending() override { return widget_.IdleWorkPending(); }

private:
  QuillEditorWidget widget_;
  std::string prepared_;
};

class PlainBench final : public BenchEditor {
public:
  PlainBench() {
    edit_.setFont(BenchFont());
    edit_.resize(kWidth, kHeight);
    edit_.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit_.show();
    edit_.setFocus();
    QApplication::processEvents();
  }
  QWidget& KeyTarget() override { return edit_; }
  void Load(const std::string& text) override {
    edit_.setPlainText(prepared_.isEmpty() ? QString::fromStdString(Win1250ToUtf8(text)) : prepared_);
    prepared_.clear();
  }
  void Prepare(const std::string& text) override { prepared_ = QString::fromStdString(Win1250ToUtf8(text)); }
  int LineCount() override { return edit_.blockCount(); }
  void MoveToLine(int line) override {
    edit_.setTextCursor(QTextCursor(edit_.document()->findBlockByNumber(line)));
    edit_.ensureCursorVisible();
  }
  void MoveToEnd() override { edit_.moveCursor(QTextCursor::End); }
  void SetWordWrap(bool on) override {
    edit_.setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  }

private:
  QPlainTextEdit edit_;
  QString prepared_;
};

#ifdef QUILL_BENCH_QSCINTILLA
class ScintillaBench final : public BenchEditor {
public:
  ScintillaBench() {
    sci_.setUtf8(false);  // one byte a character, as Windows-1250 text is held
    auto* lexer = new QsciLexerHTML(&sci_);
    lexer->setDefaultFont(BenchFont());
    lexer->setFont(BenchFont());
    sci_.setLexer(lexer);
    sci_.setFont(BenchFont());
    sci_.resize(kWidth, kHeight);
    sci_.show();
    sci_.setFocus();
    QApplication::processEvents();
  }
  QWidget& KeyTarget() override { return sci_; }
  void Load(const std::string& text) override {
    sci_.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, text.c_str());
    sci_.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
  }
  int LineCount() override { return sci_.lines(); }
  void MoveToLine(int line) override { sci_.setCursorPosition(line, 0); }
  void MoveToEnd() override { sci_.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND); }
  void SetWordWrap(bool on) override { sci_.setWrapMode(on ? QsciScintilla::WrapWord : QsciScintilla::WrapNone); }

private:
  QsciScintilla sci_;
};
#endif

}  // namespace

bool HaveQScintilla() {
#ifdef QUILL_BENCH_QSCINTILLA
  return true;
#else
  return false;
#endif
}

std::unique_ptr<BenchEditor> MakeBenchEditor(const std::string& name) {
  if (name == "quill") return std::make_unique<QuillBench>();
  if (name == "plain") return std::make_unique<PlainBench>();
#ifdef QUILL_BENCH_QSCINTILLA
  if (name == "qsci") return std::make_unique<ScintillaBench>();
#endif
  return nullptr;
}
