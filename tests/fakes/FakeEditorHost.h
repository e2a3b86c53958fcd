#pragma once
#include <string>

#include "fakes/RecordingCanvas.h"
#include "platform/EditorHost.h"

// A window of a fixed client size with a recording canvas, a caret, scroll bars and a clipboard.
class FakeEditorHost : public EditorHost {
public:
  struct Range { int min = 0, max = 0, pos = 0; };

  bool window = true;
  int width = 40 + 80 * 8;  // gutter plus 80 columns of the default 8-pixel canvas
  int height = 25 * 16;     // 25 rows
  RecordingCanvas canvas;
  bool caretExists = false, caretShown = false;
  int caretWidth = 0, caretHeight = 0, caretX = 0, caretY = 0;
  Range horizontal, vertical;
  bool timerRunning = false;
  std::string clipboard;
  std::u32string clipboardMarks;  // the characters of the clipboard's foreign-character marks
  bool focused = false;
  Cursor cursor = Cursor::IBeam;

  bool HasWindow() const override { return window; }
  int ClientWidth() const override { return width; }
  int ClientHeight() const override { return height; }
  Canvas& GetCanvas() override { return canvas; }
  void CreateCaret(int w, int h) override { caretExists = true; caretWidth = w; caretHeight = h; }
  void DestroyCaret() override { caretExists = caretShown = false; }
  void ShowCaret() override { caretShown = caretExists; }
  void HideCaret() override { caretShown = false; }
  void SetCaretPos(int x, int y) override { caretX = x; caretY = y; }
  void SetScrollRange(Bar bar, int min, int max) override {
    Range& r = bar == Bar::Horizontal ? horizontal : vertical;
    r.min = min;
    r.max = max;
  }
  void SetScrollPos(Bar bar, int pos) override { (bar == Bar::Horizontal ? horizontal : vertical).pos = pos; }
  void StartTimer(int) override { timerRunning = true; }
  void StopTimer() override { timerRunning = false; }
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(std::string_view text) override { SetClipboardMarkedText(text, {}); }
  std::string ClipboardMarkedText(std::u32string& marks) override { marks = clipboardMarks; return clipboard; }
  void SetClipboardMarkedText(std::string_view text, std::u32string_view marks) override {
    clipboard = std::string(text);
    clipboardMarks = std::u32string(marks);
  }
  void SetFocus() override { focused = true; }
  bool Focused() const override { return focused; }
  void SetCursor(Cursor c) override { cursor = c; }
};
