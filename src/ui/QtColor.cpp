#include "ui/QtColor.h"

namespace {

// The system colour indices the program uses, mapped to the nearest palette role.
QPalette::ColorRole RoleForSystemColor(unsigned index) {
  switch (index) {
    case 4: return QPalette::Window;            // menu
    case 5: return QPalette::Base;              // window background
    case 7: return QPalette::WindowText;        // menu text
    case 8: return QPalette::Text;              // window text
    case 13: return QPalette::Highlight;        // selection
    case 14: return QPalette::HighlightedText;  // selected text
    case 15: return QPalette::Button;           // button face
    case 16: return QPalette::Mid;              // button shadow
    case 17: return QPalette::PlaceholderText;  // grey text
    case 18: return QPalette::ButtonText;       // button text
    case 20: return QPalette::Light;            // button highlight
    case 21: return QPalette::Shadow;           // dark shadow
    case 22: return QPalette::Midlight;         // light
    case 23: return QPalette::ToolTipText;      // info text
    case 24: return QPalette::ToolTipBase;      // info background
    default: return QPalette::Window;
  }
}

}  // namespace

QColor ToQColor(TColor color, const QPalette& palette) {
  if ((color & quill_colors::SystemBit) != 0) return palette.color(RoleForSystemColor(color & 0xFFu));
  return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                static_cast<int>((color >> 16) & 0xFFu));
}

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(color.red()) | (static_cast<TColor>(color.green()) << 8) |
         (static_cast<TColor>(color.blue()) << 16);
}
