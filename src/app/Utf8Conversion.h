#pragma once
#include <string>
#include <string_view>

// UTF-8 files and the program's Windows-1250 text. Every character Windows-1250 holds becomes its byte;
// every other character becomes a foreign-character mark (editor/ForeignMarks.h): a reserved byte in
// the text and its code point in the list of marks. Both directions are one linear pass.

// Decodes a UTF-8 file. With `marks`, it receives one code point per reserved byte of the result;
// without, characters Windows-1250 cannot hold become "?". A byte that is not part of well-formed UTF-8
// (a stray continuation byte, an overlong form, a surrogate, a sequence cut off at the end) is taken as
// the Windows-1250 character of that byte, the way mixed files are usually meant.
std::string Utf8ToWin(std::string_view text, std::u32string* marks = nullptr);
// The same on a text the caller owns, decoded where it lies.
void Utf8ToWinInPlace(std::string& text, std::u32string* marks = nullptr);

// The UTF-8 form of Windows-1250 text: each reserved byte is written as the character of its mark (as it
// stands for itself when `marks` runs short), every other byte as its Windows-1250 character. The
// result is always well-formed UTF-8.
std::string WinToUtf8(std::string_view text, std::u32string_view marks = {});

// True when the text is well-formed UTF-8 and holds a multi-byte sequence that is not also a run of
// Windows-1250 Polish letters ("DÓŁ" written in Windows-1250 is well-formed UTF-8 too).
bool LooksLikeUtf8(std::string_view text);
