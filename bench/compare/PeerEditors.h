#pragma once
// The three editors the comparison drives through the same steps: Quillpad's widget, QPlainTextEdit and
// (when it was found at configure time) QScintilla in its 8-bit mode with its HTML lexer. Every one is an
// 800x600 top-level widget in DejaVu Sans Mono 10 on Qt's offscreen platform.
#include <QWidget>
#include <memory>
#include <string>

class BenchEditor {
public:
  virtual ~BenchEditor() = default;
  // The widget that takes the keys.
  virtual QWidget& KeyTarget() = 0;
  // Work before the timed load that only the editor's own way of holding text needs (the peer that holds
  // Unicode converts here, so its load is timed without the conversion).
  virtual void Prepare(const std::string& /*text*/) {}
  // Replaces the text (Windows-1250 bytes with CR LF breaks); the paint follows in Settle.
  virtual void Load(const std::string& text) = 0;
  virtual int LineCount() = 0;
  // Caret to the start of a line, scrolled into view; to the end of the document.
  virtual void MoveToLine(int line) = 0;
  virtual void MoveToEnd() = 0;
  virtual void SetWordWrap(bool on) = 0;
  // Whether the editor still has background work queued (the peers do theirs inside their events).
  virtual bool IdleWorkPending() { return false; }
};

// "quill", "plain" or "qsci"; null for a name this build cannot make.
std::unique_ptr<BenchEditor> MakeBenchEditor(const std::string& name);
bool HaveQScintilla();
