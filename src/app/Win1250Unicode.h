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
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of a code point (which must be a valid scalar value).
void AppendUtf8(std::string& out, char32_t cp);

// The program's text with its foreign-character marks (editor/ForeignMarks.h) as Unicode, and Unicode
// as such text: characters Windows-1250 cannot hold become marks, and what is not a scalar value U+FFFD.
std::u32string MarkedToUnicode(std::string_view text, std::u32string_view marks);
std::string UnicodeToMarked(std::u32string_view text, std::u32string& marks);
