#include "app/ColorToHtml.h"

std::string ColorToHtml(TColor color) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  // Red is the low byte of the value and comes first in HTML.
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned byte = (color >> shift) & 0xFF;
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0xF]);
  }
  return out;
}
