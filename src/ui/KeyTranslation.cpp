#include "ui/KeyTranslation.h"

#include <QKeyEvent>

#include "ui/Win1250Text.h"

int VirtualKeyFor(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Return;
    case Qt::Key_Shift: return vk::Shift;
    case Qt::Key_Control: return vk::Control;
    case Qt::Key_Alt: return vk::Menu;
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_PageUp: return vk::Prior;
    case Qt::Key_PageDown: return vk::Next;
    case Qt::Key_End: return vk::End;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Insert: return vk::Insert;
    case Qt::Key_Delete: return vk::Delete;
    default: return 0;
  }
}

TShiftState ShiftStateFor(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s;
  if (modifiers & Qt::ShiftModifier) s.Include(ssShift);
  if (modifiers & Qt::AltModifier) s.Include(ssAlt);
  if (modifiers & Qt::ControlModifier) s.Include(ssCtrl);
  if (buttons & Qt::LeftButton) s.Include(ssLeft);
  if (buttons & Qt::RightButton) s.Include(ssRight);
  if (buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

std::optional<char> CharacterFor(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  const bool ctrl = (mods & Qt::ControlModifier) != 0;
  const bool alt = (mods & Qt::AltModifier) != 0;
  switch (event.key()) {
    case Qt::Key_Escape: return '\x1b';
    case Qt::Key_Return:
    case Qt::Key_Enter: return ctrl ? '\n' : '\r';
    case Qt::Key_Backspace: return ctrl ? '\x7f' : '\b';
    case Qt::Key_Tab: return ctrl ? std::nullopt : std::optional<char>('\t');
    case Qt::Key_Backtab: return std::nullopt;
    default: break;
  }
  if (ctrl && !alt) {
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) return static_cast<char>(1 + event.key() - Qt::Key_A);
    if (event.key() == Qt::Key_Space) return ' ';
    return std::nullopt;
  }
  if (alt && !ctrl) return std::nullopt;
  const std::string bytes = ToWin1250(event.text());
  if (bytes.size() != 1 || static_cast<unsigned char>(bytes[0]) < 32) return std::nullopt;
  return bytes[0];
}
