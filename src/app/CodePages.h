#pragma once
#include <array>
#include <string>
#include <string_view>


// The code pages in which Polish text is found, and the conversion of text between them. Inside the
// program text is Windows-1250 ("win-1250"); other code pages exist only in files. Only the 18 Polish
// letters are translated; every other byte keeps its value unless two code pages disagree about it,
// in which case the byte map stays one-to-one so that converting back restores every byte.

inline constexpr std::size_t PolishLetterCount = 18;
using TPolishLetterBytes = std::array<unsigned char, PolishLetterCount>;

// One code page: its lower-case name and the bytes of the letters Ą Ć Ę Ł Ń Ó Ś Ź Ż ą ć ę ł ń ó ś ź ż.
struct TCodePage {
  std::string_view Name;
  TPolishLetterBytes Letters;
};

// "ascii", "iso-8859-2", "cp852", "mazovia", "windows-1250", "win-1250", "amigapl". Row 0 holds the
// letters without diacritics; rows 4 and 5 are the same code page under two names.
extern const std::array<TCodePage, 7> CodePageTable;

// A Polish letter as a Windows-1250 byte and as its two UTF-8 bytes.
struct TUtf8Letter {
  unsigned char Win;
  std::array<unsigned char, 2> Utf8;
};
extern const std::array<TUtf8Letter, PolishLetterCount> Utf8Letters;

// Code-page names compare in lower case.
std::string LowerName(std::string_view name);
// "utf-8" and "unicode" both name UTF-8.
bool IsUtf8Name(std::string_view name);
// The row a name selects; a name found nowhere (latin1, an empty name) selects Windows-1250.
const TCodePage& CodePageRow(std::string_view name);

// A byte map from one 8-bit code page to another: each Polish letter of `from` becomes the same letter
// of `to`; the bytes that are letters in neither keep their value; and the few bytes left over (a
// letter of `to` that is some other character in `from`, Czech š B9 of ISO-8859-2 say) are paired in
// byte order with the free values, so the map is a permutation and the map back is its inverse.
// Towards "ascii" the letters lose their diacritics and the map is not one-to-one.
using TByteMap = std::array<unsigned char, 256>;
TByteMap CodePageByteMap(std::string_view from, std::string_view to);
void ApplyByteMap(const TByteMap& map, std::string& text);

// Converts text between two code-page names. From "ascii" nothing changes. A UTF-8 source has every
// character Windows-1250 holds decoded; a UTF-8 target gets every byte above 127 as the UTF-8 form of
// its Windows-1250 character. `marks` are the characters of the text's foreign-character marks
// (editor/ForeignMarks.h) when it is the program's text: a UTF-8 target gets them as they are, an 8-bit
// target, which cannot hold them, gets "?" for each mark that does not stand for its own byte.
std::string ConvertCodePage(std::string_view text, std::string_view from, std::string_view to,
                            std::u32string_view marks = {});

// A file's bytes in `codePage` made into the program's text; `marks` receives the characters of a UTF-8
// file that Windows-1250 cannot hold, one per reserved byte (it is cleared for every other code page).
std::string DecodeFromCodePage(std::string_view bytes, std::string_view codePage, std::u32string& marks);
// The same on bytes the caller owns, converted where they lie.
void DecodeFromCodePageInPlace(std::string& text, std::string_view codePage, std::u32string& marks);

// "%B1" and "=B1" (digits 0-9 and A-F only) become the byte B1 when that byte is a Polish letter of
// ISO-8859-2 or CP852; other escapes, and one whose last digit ends the text, stay as they are. Used only
// when a file is opened with the recognition of national characters on: a URL such as ?q=%B1 in a page
// must otherwise survive opening and saving.
std::string DecodeEscapedLetters(std::string_view text);

// Every Windows-1250 Polish letter replaced by its letter without diacritics.
std::string RemoveNationalCharacters(std::string_view text);
