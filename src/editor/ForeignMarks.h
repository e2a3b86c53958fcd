#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Characters that Windows-1250 cannot hold (Cyrillic, CJK, emoji... in a UTF-8 document) live in the
// editor's single-byte text as marks: one reserved byte in the line, and the character's code point
// in a list beside the text that holds one entry per reserved byte, in text order. Every edit moves
// bytes, so a mark moves with its text; only edits that delete or insert reserved bytes touch the list.
//
// The reserved bytes are two of the five values Windows-1250 leaves undefined (0x81 and 0x83), which
// no Windows-1250 text uses and which no code-page conversion, case table or Polish-letter map moves.
// One is drawn in a cell of one character, the other in a cell of two (CJK ideographs, emoji), so
// columns and widths stay right. A reserved byte without a known character stands for its own
// Windows-1250 meaning (the C1 control of the same value), so a file that holds that byte or U+0081
// still opens and saves as it was.

inline constexpr char kMarkByte = '\x81';
inline constexpr char kWideMarkByte = '\x83';

inline bool IsMarkByte(char c) { return c == kMarkByte || c == kWideMarkByte; }

// The character a reserved byte stands for when nothing is known about it.
inline char32_t DefaultMark(char byte) { return static_cast<unsigned char>(byte); }

// Characters shown two cells wide: East Asian wide and full-width forms, and emoji.
bool IsWideCharacter(char32_t cp);
// The reserved byte for a character: the one that stands for it when there is one (U+0081, U+0083).
inline char MarkByteFor(char32_t cp) {
  return cp == DefaultMark(kWideMarkByte) || IsWideCharacter(cp) ? kWideMarkByte : kMarkByte;
}

// How many reserved bytes the text holds, eight bytes at a time.
std::size_t CountMarkBytes(std::string_view text);

// The marks for `newText`, a command's rewrite of `oldText` (whose marks are `oldMarks`): reserved bytes
// in the part both texts share at the start and at the end keep their characters; those in between take
// the characters of the replaced part in order, and any beyond those stand for themselves. Exact for
// every command that changes one stretch of text or keeps the number of marks (case conversion, tags
// put around a selection, a meta tag rewritten); never out of step with the text.
std::u32string InheritMarks(std::string_view oldText, std::u32string_view oldMarks, std::string_view newText);

// The marks for the reserved bytes of `text` given as `marks` (possibly too few): missing ones stand
// for themselves, extra ones are dropped.
std::u32string FitMarks(std::string_view text, std::u32string_view marks);
