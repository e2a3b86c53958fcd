#include "ui/QuillEditorWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include "editor/ForeignMarks.h"
#include "ui/KeyTranslation.h"
#include "ui/QtColor.h"
#include "ui/Win1250Text.h"

namespace {

constexpr int kTimerGranularityMs = 15;
// Text the highlighter scans ahead in one turn of idle time: a millisecond or two, so a key pressed
// meanwhile is not kept waiting.
constexpr std::size_t kIdleScanBytes = 256 * 1024;

// Other programs expect Unicode text with LF line ends; the editor holds CR LF.
QString ForOtherPrograms(std::string_view text, std::u32string_view marks = {}) {
  QString s = FromMarked(text, marks);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

}  // namespace

QuillEditorWidget::QuillEditorWidget(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_InputMethodEnabled);
  QWidget::setCursor(Qt::IBeamCursor);

  vBar_ = new QScrollBar(Qt::Vertical, this);
  hBar_ = new QScrollBar(Qt::Horizontal, this);
  for (QScrollBar* bar : {vBar_, hBar_}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setCursor(Qt::ArrowCursor);
    bar->hide();
  }
  connect(vBar_, &QScrollBar::actionTriggered, this, [this](int action) { ScrollAction(Bar::Vertical, action); });
  connect(hBar_, &QScrollBar::actionTriggered, this, [this](int action) { ScrollAction(Bar::Horizontal, action); });

  // Only what the editor drew is shown again: a keystroke redraws its row, not the window.
  canvas_.OnDrawn = [this](const QRect& area) {
    // Collected and asked for once the editor's paint is over, so a paint costs one update.
    if (area.isEmpty()) return;
    if (drawnArea_.isEmpty()) QMetaObject::invokeMethod(this, &QuillEditorWidget::ShowDrawnArea, Qt::QueuedConnection);
    drawnArea_ |= area;
  };
  canvas_.SetPalette(palette());

  const int flash = QApplication::cursorFlashTime();
  caretTimer_.setInterval(flash > 0 ? flash / 2 : 500);
  connect(&caretTimer_, &QTimer::timeout, this, &QuillEditorWidget::BlinkCaret);
  connect(&autoScrollTimer_, &QTimer::timeout, this, [this] { editor_->TimerTick(); });
  idleTimer_.setSingleShot(true);
  idleTimer_.setInterval(0);
  connect(&idleTimer_, &QTimer::timeout, this, [this] {
    if (editor_->IdleWork(kIdleScanBytes)) idleTimer_.start();
  });
  // Last, so that everything the editor may ask of its host is in place.
  editor_ = std::make_unique<TQuillEditor>(this);
}

QuillEditorWidget::~QuillEditorWidget() {
  // The editor still talks to its host while it goes; stop the timers and let it go first.
  autoScrollTimer_.stop();
  caretTimer_.stop();
  idleTimer_.stop();
  editor_.reset();
  canvas_.Flush();
}

void QuillEditorWidget::SetPopupMenus(QMenu* selPopupMenu, QMenu* unSelPopupMenu) {
  selPopup_ = selPopupMenu;
  unSelPopup_ = unSelPopupMenu;
}

// ---- Geometry -----------------------------------------------------------------------------------------

int QuillEditorWidget::ClientWidth() const { return width() - (vBar_->isVisibleTo(this) ? vBar_->width() : 0); }

int QuillEditorWidget::ClientHeight() const {
  return height() - (hBar_->isVisibleTo(this) ? hBar_->height() : 0);
}

void QuillEditorWidget::LayoutChildren() {
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const bool v = vBar_->isVisibleTo(this);
  const bool h = hBar_->isVisibleTo(this);
  vBar_->setGeometry(width() - extent, 0, extent, height() - (h ? extent : 0));
  hBar_->setGeometry(0, height() - extent, width() - (v ? extent : 0), extent);
  const QSize client(std::max(1, ClientWidth()), std::max(1, ClientHeight()));
  if (buffer_.size() != client * devicePixelRatio()) {
    canvas_.Flush();
    QImage resized(client * devicePixelRatio(), QImage::Format_RGB32);
    resized.setDevicePixelRatio(devicePixelRatio());
    resized.fill(ToQColor(editor_->ColorSet().Color, palette()));
    canvas_.SetDevice(nullptr);
    buffer_ = std::move(resized);
    canvas_.SetDevice(&buffer_);
    if (editor_) editor_->ForgetDrawing();
    update();
  }
}

void QuillEditorWidget::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (hasWindow_) return;
  hasWindow_ = true;
  LayoutChildren();
  editor_->HandleCreated();
}

void QuillEditorWidget::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  LayoutChildren();
  if (hasWindow_) editor_->HandleResize();
}

// ---- Painting and caret -----------------------------------------------------------------------------

void QuillEditorWidget::paintEvent(QPaintEvent* e) {
  canvas_.Flush();
  QPainter p(this);
  // Only the area asked for: after a keystroke that is a row or two.
  const QRect area = e->rect();
  const qreal ratio = buffer_.devicePixelRatio();
  p.drawImage(area, buffer_, QRectF(area.topLeft() * ratio, area.size() * ratio));
  // The corner between the two bars.
  if (vBar_->isVisible() && hBar_->isVisible())
    p.fillRect(QRect(vBar_->x(), hBar_->y(), vBar_->width(), hBar_->height()), palette().window());
  if (caretCreated_ && caretShown_ && caretBlinkOn_ && hasFocus())
    p.fillRect(QRect(caretPos_, caretSize_), ToQColor(editor_->ColorSet().TextColor, palette()));
}

void QuillEditorWidget::CreateCaret(int width, int height) {
  caretCreated_ = true;
  caretShown_ = false;
  UpdateCaretArea();
  caretSize_ = QSize(std::max(1, width), std::max(1, height));
  UpdateCaretArea();
}

void QuillEditorWidget::DestroyCaret() {
  caretCreated_ = false;
  caretShown_ = false;
  caretTimer_.stop();
  UpdateCaretArea();
}

void QuillEditorWidget::ShowCaret() {
  if (!caretCreated_) return;
  caretShown_ = true;
  caretBlinkOn_ = true;
  caretTimer_.start();
  UpdateCaretArea();
}

void QuillEditorWidget::HideCaret() {
  caretShown_ = false;
  caretTimer_.stop();
  UpdateCaretArea();
}

void QuillEditorWidget::SetCaretPos(int x, int y) {
  UpdateCaretArea();
  caretPos_ = QPoint(x, y);
  caretBlinkOn_ = true;
  UpdateCaretArea();
}

void QuillEditorWidget::BlinkCaret() {
  caretBlinkOn_ = !caretBlinkOn_;
  UpdateCaretArea();
}

// ---- Scroll bars ----------------------------------------------------------------------------------------

void QuillEditorWidget::SetScrollRange(Bar bar, int min, int max) {
  QScrollBar* b = bar == Bar::Vertical ? vBar_ : hBar_;
  const bool show = max > min;
  if (show) {
    const QSignalBlocker block(b);
    b->setRange(min, max);
    b->setPageStep(bar == Bar::Vertical ? std::max(1, editor_->VisibleRows()) : std::max(1, editor_->VisibleColumns()));
  }
  if (show != b->isVisibleTo(this)) {
    b->setVisible(show);
    // The client area changed size: the editor learns it as a resize, once this request is done.
    QMetaObject::invokeMethod(
        this,
        [this] {
          LayoutChildren();
          if (hasWindow_) editor_->HandleResize();
        },
        Qt::QueuedConnection);
  }
}

void QuillEditorWidget::SetScrollPos(Bar bar, int pos) {
  QScrollBar* b = bar == Bar::Vertical ? vBar_ : hBar_;
  const QSignalBlocker block(b);
  b->setValue(pos);
}

void QuillEditorWidget::ScrollAction(Bar bar, int action) {
  QScrollBar* b = bar == Bar::Vertical ? vBar_ : hBar_;
  // The horizontal bar's left and right are the editor's up and down; its left end is the top.
  using Request = TQuillEditor::TScrollRequest;
  Request request;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: request = Request::LineDown; break;
    case QAbstractSlider::SliderSingleStepSub: request = Request::LineUp; break;
    case QAbstractSlider::SliderPageStepAdd: request = Request::PageDown; break;
    case QAbstractSlider::SliderPageStepSub: request = Request::PageUp; break;
    case QAbstractSlider::SliderToMinimum: request = Request::Top; break;
    case QAbstractSlider::SliderToMaximum:
      if (bar == Bar::Horizontal) return;
      request = Request::Bottom;
      break;
    case QAbstractSlider::SliderMove: request = Request::ThumbTrack; break;
    default: return;
  }
  const int position = b->sliderPosition();
  if (bar == Bar::Vertical)
    editor_->VScroll(request, position);
  else
    editor_->HScroll(request, position);
  // The bar would apply its own step after this signal; the editor has set where it really is.
  b->setSliderPosition(b->value());
}

// ---- Timer, clipboard, focus, cursor ------------------------------------------------------------------

// The editor asks for a 1 ms drag-scroll timer, which on the platform it was made for fires about every
// 15 ms; a Linux timer really fires every millisecond and would scroll a thousand lines a second.
void QuillEditorWidget::StartTimer(int intervalMs) { autoScrollTimer_.start(std::max(kTimerGranularityMs, intervalMs)); }

void QuillEditorWidget::StopTimer() { autoScrollTimer_.stop(); }

void QuillEditorWidget::RequestIdleWork() {
  if (!idleTimer_.isActive()) idleTimer_.start();
}

std::string QuillEditorWidget::ClipboardText() { return ToWin1250(QApplication::clipboard()->text()); }

void QuillEditorWidget::SetClipboardText(std::string_view text) {
  QApplication::clipboard()->setText(ForOtherPrograms(text));
}

std::string QuillEditorWidget::ClipboardMarkedText(std::u32string& marks) {
  return ToMarked(QApplication::clipboard()->text(), marks);
}

void QuillEditorWidget::SetClipboardMarkedText(std::string_view text, std::u32string_view marks) {
  QApplication::clipboard()->setText(ForOtherPrograms(text, marks));
}

void QuillEditorWidget::PublishPrimarySelection() {
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard->supportsSelection() || editor_->SelLength() == 0) return;
  const std::pair<int, int> selection{editor_->SelStart(), editor_->SelLength()};
  if (selection == publishedSelection_ && clipboard->ownsSelection()) return;
  publishedSelection_ = selection;
  clipboard->setText(ForOtherPrograms(editor_->SelText(), editor_->SelMarks()), QClipboard::Selection);
}

void QuillEditorWidget::PastePrimarySelection(QPoint at) {
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard->supportsSelection() || editor_->Readonly()) return;
  std::u32string marks;
  std::string text = ToMarked(clipboard->text(QClipboard::Selection), marks);
  if (text.empty()) return;
  // As in every X11 editor the text goes in where the middle button was pressed, not at the caret.
  editor_->MouseDown(TMouseButton::mbLeft, TShiftState{}, at.x(), at.y());
  editor_->MouseUp(TMouseButton::mbLeft, TShiftState{}, at.x(), at.y());
  editor_->PasteText(std::move(text), std::move(marks));
}

void QuillEditorWidget::SetFocus() { setFocus(Qt::OtherFocusReason); }

bool QuillEditorWidget::Focused() const { return hasFocus(); }

void QuillEditorWidget::SetCursor(Cursor cursor) {
  QWidget::setCursor(cursor == Cursor::IBeam ? Qt::IBeamCursor : Qt::ArrowCursor);
}

// ---- Input ----------------------------------------------------------------------------------------------

bool QuillEditorWidget::event(QEvent* e) {
  // Tab and Backtab belong to the editor, not to focus navigation.
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QWidget::event(e);
}

void QuillEditorWidget::keyPressEvent(QKeyEvent* e) {
  int key = VirtualKeyFor(e->key());
  if (key != 0) editor_->KeyDown(key, ShiftStateFor(e->modifiers(), QApplication::mouseButtons()));
  if (const std::optional<char> c = CharacterFor(*e))
    editor_->KeyPress(*c);
  else if (const std::optional<char32_t> foreign = ForeignCharacterFor(*e))
    editor_->TypeForeignCharacter(*foreign);
  e->accept();
  PublishPrimarySelection();
}

void QuillEditorWidget::inputMethodEvent(QInputMethodEvent* e) {
  // Text composed by an input method (dead keys, compose sequences) arrives here, not as key presses.
  std::u32string marks;
  const std::string text = ToMarked(e->commitString(), marks);
  std::size_t k = 0;
  for (char c : text) {
    if (IsMarkByte(c))
      editor_->TypeForeignCharacter(marks[k++]);
    else if (static_cast<unsigned char>(c) >= 32)
      editor_->ComposedCharacter(c);
  }
  e->accept();
}

QVariant QuillEditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImCursorRectangle) return QRect(caretPos_, caretSize_);
  if (query == Qt::ImEnabled) return true;
  return QWidget::inputMethodQuery(query);
}

void QuillEditorWidget::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (e->button() == Qt::MiddleButton && !(e->modifiers() & Qt::ShiftModifier)) {
    PastePrimarySelection(p);
    return;
  }
  editor_->MouseDown(e->button() == Qt::RightButton    ? TMouseButton::mbRight
                     : e->button() == Qt::MiddleButton ? TMouseButton::mbMiddle
                                                       : TMouseButton::mbLeft,
                     ShiftStateFor(e->modifiers(), e->buttons()), p.x(), p.y());
}

void QuillEditorWidget::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  editor_->MouseMove(ShiftStateFor(e->modifiers(), e->buttons()), p.x(), p.y());
}

void QuillEditorWidget::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  editor_->MouseUp(e->button() == Qt::RightButton    ? TMouseButton::mbRight
                   : e->button() == Qt::MiddleButton ? TMouseButton::mbMiddle
                                                     : TMouseButton::mbLeft,
                   ShiftStateFor(e->modifiers(), e->buttons()), p.x(), p.y());
  PublishPrimarySelection();
}

void QuillEditorWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    editor_->DoubleClick();
    PublishPrimarySelection();
  } else
    mousePressEvent(e);
}

void QuillEditorWidget::wheelEvent(QWheelEvent* e) {
  const int delta = e->angleDelta().y();
  e->accept();
  if (delta == 0) return;
  const TShiftState shift = ShiftStateFor(e->modifiers(), e->buttons());
  // One or two whole notches go to the editor as they are: it scrolls by a different amount for each.
  if (wheelRemainder_ == 0 && (delta == 120 || delta == -120 || delta == 240 || delta == -240)) {
    editor_->MouseWheel(delta, shift);
    return;
  }
  // High-resolution wheels and touchpads send fractions of a notch (and fast spins several notches at
  // once): they add up, and every whole notch scrolls like one turn of a plain wheel.
  if ((wheelRemainder_ < 0) != (delta < 0)) wheelRemainder_ = 0;
  wheelRemainder_ += delta;
  while (wheelRemainder_ >= 120 || wheelRemainder_ <= -120) {
    const int notch = wheelRemainder_ > 0 ? 120 : -120;
    wheelRemainder_ -= notch;
    editor_->MouseWheel(notch, shift);
  }
}

void QuillEditorWidget::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (hasWindow_) editor_->FocusIn();
}

void QuillEditorWidget::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  editor_->FocusOut();
}

void QuillEditorWidget::contextMenuEvent(QContextMenuEvent* e) {
  QMenu* menu = editor_->SelectionPopupActive() ? selPopup_ : unSelPopup_;
  if (menu != nullptr) menu->popup(e->globalPos());
}
