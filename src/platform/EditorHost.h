#pragma once
#include <string>
#include <string_view>

class Canvas;

// What the editor needs from the window that hosts it: size, caret, scroll bars, a timer, the
// clipboard and focus. The Qt widget implements it; tests use a fake.
class EditorHost {
public:
  enum class Bar { Horizontal, Vertical };
  enum class Cursor { IBeam, Arrow };

  virtual ~EditorHost() = default;

  // False until the window exists; painting and metrics wait for it.
  virtual bool HasWindow() const = 0;
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  virtual Canvas& GetCanvas() = 0;

  virtual void CreateCaret(int width, int height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;

  // A range with max <= min hides the bar.
  virtual void SetScrollRange(Bar bar, int min, int max) = 0;
  virtual void SetScrollPos(Bar bar, int pos) = 0;

  // The repeating autoscroll timer; the host calls the editor's TimerTick on each tick.
  virtual void StartTimer(int intervalMs) = 0;
  virtual void StopTimer() = 0;
  // The editor has work for idle time: the host calls IdleWork when no input is waiting, again while it
  // returns true. A host that never does only loses speed.
  virtual void RequestIdleWork() {}
  // Whether the canvas keeps what was drawn on it until the host says otherwise (the editor's
  // ForgetDrawing): the editor then draws only what changed since its last paint.
  virtual bool KeepsDrawing() const { return false; }

  // Clipboard plain text as Windows-1250 bytes; characters Windows-1250 cannot hold are dropped.
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(std::string_view text) = 0;
  // The same with the characters Windows-1250 cannot hold: each is a reserved byte in the text and its
  // code point in `marks`, in order (editor/ForeignMarks.h). A host without them drops such characters.
  virtual std::string ClipboardMarkedText(std::u32string& marks) {
    marks.clear();
    return ClipboardText();
  }
  virtual void SetClipboardMarkedText(std::string_view text, std::u32string_view /*marks*/) {
    SetClipboardText(text);
  }

  virtual void SetFocus() = 0;
  virtual bool Focused() const = 0;
  virtual void SetCursor(Cursor cursor) = 0;
};
