#include "ui/KeyTranslation.h"

#include <QKeyEvent>
#include <array>

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
    default: break;
  }
  // Every other key that types something still has a key-down of its own, as punctuation keys do on
  // the platform the editor was made for; the editor only needs to know that a new key press began.
  return qtKey > 0 && qtKey < Qt::Key_Escape ? vk::OtherCharacterKey : 0;
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

namespace {

// Keys whose character does not come from the event's text: X11 gives Delete the text "\x7f", Ctrl+Space
// a NUL and Ctrl+Enter a CR, where the editor expects no character, a blank and a LF.
struct ControlKey {
  int qtKey;
  std::optional<char> plain;
  std::optional<char> withCtrl;
};
constexpr std::array<ControlKey, 7> kControlKeys{{
    {Qt::Key_Escape, '\x1b', std::nullopt},
    {Qt::Key_Return, '\r', '\n'},
    {Qt::Key_Enter, '\r', '\n'},
    {Qt::Key_Backspace, '\b', '\x7f'},
    {Qt::Key_Tab, '\t', std::nullopt},
    {Qt::Key_Backtab, std::nullopt, std::nullopt},
    {Qt::Key_Space, ' ', ' '},
}};

}  // namespace

std::optional<char> CharacterFor(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  const bool ctrl = (mods & Qt::ControlModifier) != 0;
  const bool alt = (mods & Qt::AltModifier) != 0;
  // Chords with the Super key belong to the desktop, Alt+key to the menus; a real Ctrl+Alt chord is a
  // command (bookmarks), since X11 reports AltGr as a modifier of its own and not as Ctrl+Alt.
  if ((mods & Qt::MetaModifier) != 0 || alt) return std::nullopt;
  for (const ControlKey& k : kControlKeys)
    if (k.qtKey == event.key()) return ctrl ? k.withCtrl : k.plain;
  if (ctrl) {
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) return static_cast<char>(1 + event.key() - Qt::Key_A);
    return std::nullopt;
  }
  // What is left types its text; keys that type no printable character (Delete, arrows, F-keys) type
  // nothing, whatever control code X11 puts in their text.
  const std::string bytes = ToWin1250(event.text());
  if (bytes.size() != 1) return std::nullopt;
  const auto c = static_cast<unsigned char>(bytes[0]);
  if (c < 32 || c == 127) return std::nullopt;
  return bytes[0];
}

std::optional<char32_t> ForeignCharacterFor(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  if ((mods & (Qt::MetaModifier | Qt::AltModifier | Qt::ControlModifier)) != 0) return std::nullopt;
  const QList<uint> ucs4 = event.text().toUcs4();
  if (ucs4.size() != 1 || !ToWin1250(event.text()).empty()) return std::nullopt;
  const auto cp = static_cast<char32_t>(ucs4[0]);
  if (!QChar::isPrint(cp)) return std::nullopt;
  return cp;
}
