#pragma once
#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "editor/TQuillEditor.h"
#include "platform/EditorHost.h"
#include "ui/QtCanvas.h"

class QMenu;
class QScrollBar;

// The Qt face of TQuillEditor: the editor paints through a canvas on a back buffer that this widget
// shows, and the widget supplies caret, scroll bars, timer, clipboard and focus, and passes keys,
// characters, mouse, wheel, focus and size changes on to the editor.
class QuillEditorWidget : public QWidget, public EditorHost {
  Q_OBJECT
public:
  explicit QuillEditorWidget(QWidget* parent = nullptr);
  ~QuillEditorWidget() override;

  TQuillEditor& Editor() { return *editor_; }

  // The popup menus shown on a right click: the first while text is selected.
  void SetPopupMenus(QMenu* selPopupMenu, QMenu* unSelPopupMenu);

  // EditorHost
  bool HasWindow() const override { return hasWindow_; }
  int ClientWidth() const override;
  int ClientHeight() const override;
  QtCanvas& GetCanvas() override { return canvas_; }
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetCaretPos(int x, int y) override;
  void SetScrollRange(Bar bar, int min, int max) override;
  void SetScrollPos(Bar bar, int pos) override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  void RequestIdleWork() override;
  bool KeepsDrawing() const override { return true; }  // the back buffer keeps the last paint
  std::string ClipboardText() override;
  void SetClipboardText(std::string_view text) override;
  std::string ClipboardMarkedText(std::u32string& marks) override;
  void SetClipboardMarkedText(std::string_view text, std::u32string_view marks) override;
  void SetFocus() override;
  bool Focused() const override;
  void SetCursor(Cursor cursor) override;

  // For tests and the status bar: where the caret is drawn, and whether it is showing now.
  QRect CaretRect() const { return QRect(caretPos_, caretSize_); }
  bool CaretVisible() const { return caretCreated_ && caretShown_; }
  // Whether the editor's idle-time work (highlighting ahead of the view) is still queued.
  bool IdleWorkPending() const { return idleTimer_.isActive(); }

protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

private:
  void LayoutChildren();
  void ScrollAction(Bar bar, int action);
  void BlinkCaret();
  void UpdateCaretArea() { update(QRect(caretPos_, caretSize_)); }
  void ShowDrawnArea() {
    // The back buffer covers the client area only: a row's blank tail reaches under the scroll bar,
    // which must not be asked to paint itself again for every keystroke.
    update(drawnArea_ & QRect(0, 0, ClientWidth(), ClientHeight()));
    drawnArea_ = QRect();
  }
  // The X11 primary selection: what is selected now, pasted by a middle click.
  void PublishPrimarySelection();
  void PastePrimarySelection(QPoint at);

  std::unique_ptr<TQuillEditor> editor_;
  QImage buffer_;
  QtCanvas canvas_;
  QScrollBar* vBar_ = nullptr;
  QScrollBar* hBar_ = nullptr;
  QTimer caretTimer_;
  QTimer autoScrollTimer_;
  QTimer idleTimer_;  // a zero timer: fires when no input is waiting
  QMenu* selPopup_ = nullptr;
  QMenu* unSelPopup_ = nullptr;

  bool hasWindow_ = false;
  bool caretCreated_ = false;
  bool caretShown_ = false;
  bool caretBlinkOn_ = true;
  int wheelRemainder_ = 0;  // wheel movement short of a whole notch
  std::pair<int, int> publishedSelection_{-1, 0};  // start and length last given to the primary selection
  QRect drawnArea_;  // drawn on the back buffer since it was last asked to be shown
  QPoint caretPos_;
  QSize caretSize_;
};
