#pragma once
#include <string>
#include <string_view>

// Windows-1250 <-> Unicode for the places where the program's text meets the desktop: drawing, the
// clipboard and file names shown to the user. Bytes 00..7F are ASCII. The defined bytes map as the
// system's iconv CP1250 does; the five bytes the code page leaves undefined (81 83 88 90 98) map to
// the C1 control characters of the same value, so every byte survives a round trip.
char32_t Win1250ToUnicode(char c);

// The UTF-8 form of one Windows-1250 byte (1 to 3 bytes), appended to out.
void AppendWin1250AsUtf8(std::string& out, char c);

std::string Win1250ToUtf8(std::string_view text);

// Characters without a Windows-1250 byte, and bytes that are not well-formed UTF-8, become
// `replacement` (one per character, one per malformed byte).
std::string Utf8ToWin1250(std::string_view utf8, char replacement);

// Length of the well-formed UTF-8 sequence starting at text[pos] (1 for ASCII), or 0 when the bytes
// there are not one (a stray continuation byte, an overlong form, a surrogate, a cut-off sequence).
// Inline: decoding a file asks it of every character outside Windows-1250.
inline std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const unsigned b0 = static_cast<unsigned char>(text[pos]);
  if (b0 < 0x80) return 1;
  std::size_t len = 0;
  unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    if (b0 == 0xE0) lo = 0xA0;       // no overlong forms
    if (b0 == 0xED) hi = 0x9F;       // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    if (b0 == 0xF0) lo = 0x90;       // no overlong forms
    if (b0 == 0xF4) hi = 0x8F;       // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (pos + len > text.size()) return 0;
  const unsigned b1 = static_cast<unsigned char>(text[pos + 1]);
  if (b1 < lo || b1 > hi) return 0;
  for (std::size_t k = 2; k < len; ++k) {
    const unsigned b = static_cast<unsigned char>(text[pos + k]);
    if (b < 0x80 || b > 0xBF) return 0;
  }
  return len;
}

// Appends the UTF-8 form of a code point (which must be a valid scalar value).
void AppendUtf8(std::string& out, char32_t cp);

// The program's text with its foreign-character marks (editor/ForeignMarks.h) as Unicode, and Unicode
// as such text: characters Windows-1250 cannot hold become marks, and what is not a scalar value U+FFFD.
std::u32string MarkedToUnicode(std::string_view text, std::u32string_view marks);
std::string UnicodeToMarked(std::u32string_view text, std::u32string& marks);
