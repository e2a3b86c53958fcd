#pragma once
#include <array>
#include <string>
#include <string_view>

// The interface texts in Polish and English. Every translatable text has a language id; entry
// 2 * id + (language - 1) of LangTable is its text in that language (1 Polish, 2 English), UTF-8.
inline constexpr int kLangIdCount = 229;
extern const std::array<std::string_view, 2 * kLangIdCount> LangTable;

// The text of id in language; a language other than 1 or 2 counts as Polish, an id outside 1..228 gives
// the text of id 0 ("Internal error").
std::string LangText(int id, int language);

// Translates a design-time caption "#" + id + "#" + reminder into the table text in InterfaceLanguage().
// Any other text comes back unchanged, and so does a caption that starts with "#" but has no second "#"
// or no decimal id between the two: the forms never produce one, and showing it as written makes the
// slip visible instead of hiding it behind "Internal error".
std::string LangCaption(const std::string& text);

// The language of this run: 2 (English) until the main window sets it from the settings.
int InterfaceLanguage();
void SetInterfaceLanguage(int language);
