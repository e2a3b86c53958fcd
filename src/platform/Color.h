#pragma once
#include <cstdint>

// Colours are 0x00BBGGRR throughout the core (red in the low byte); values with the top bit set name
// system colours, which the Qt layer resolves from the palette.
using TColor = std::uint32_t;

namespace quill_colors {
constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Red = 0x0000FF;
constexpr TColor Maroon = 0x000080;
constexpr TColor Green = 0x008000;
constexpr TColor Grey = 0x808080;
constexpr TColor Navy = 0x800000;
constexpr TColor Silver = 0xC0C0C0;
constexpr TColor SystemBit = 0x80000000u;
constexpr TColor SysWindow = SystemBit | 5;      // the window background of the desktop theme
constexpr TColor SysButtonFace = SystemBit | 15; // the gutter's face colour
}  // namespace quill_colors
