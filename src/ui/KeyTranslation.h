#pragma once
#include <Qt>
#include <optional>

#include "editor/Keys.h"

class QKeyEvent;

// Qt's keys in the editor's terms: the key code of a key-down (0 for keys the editor has no code
// for), the shift state, and the Windows-1250 character a key press types, if any.
int VirtualKeyFor(int qtKey);
TShiftState ShiftStateFor(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
// Esc, Enter, Backspace and Tab give their control characters, Ctrl with a letter its control code;
// Alt alone (a menu accelerator) types nothing; otherwise the event's text, when Windows-1250 holds it.
std::optional<char> CharacterFor(const QKeyEvent& event);
// The one printable character outside Windows-1250 that a key types (a Cyrillic or Greek layout, a
// compose key), under the same rules for modifiers as CharacterFor.
std::optional<char32_t> ForeignCharacterFor(const QKeyEvent& event);
