#pragma once
#include <cstdint>

#include "editor/EnumSet.h"

// Key codes the editor understands; the values follow the common virtual-key numbering so that letters
// and digits are their upper-case ASCII codes.
namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Menu = 18;  // Alt
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Prior = 33;  // Page Up
constexpr int Next = 34;   // Page Down
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
// Any other key that types a character (punctuation, letters of other layouts).
constexpr int OtherCharacterKey = 229;
}  // namespace vk

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = EnumSet<TShiftStateItem, std::uint8_t>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
