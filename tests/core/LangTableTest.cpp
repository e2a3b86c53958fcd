#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "app/LangTable.h"

namespace {

// Sets InterfaceLanguage for one scope and puts the start-up value back.
class ScopedLanguage {
public:
  explicit ScopedLanguage(int language) : old_(InterfaceLanguage()) { SetInterfaceLanguage(language); }
  ~ScopedLanguage() { SetInterfaceLanguage(old_); }

private:
  int old_;
};

bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += n;
  }
  return true;
}

}  // namespace

TEST(LangTable, CaptionsWithAnIdAreReplacedByTheTableText) {
  EXPECT_EQ(InterfaceLanguage(), 2) << "the program starts in English";
  const struct {
    const char* caption;
    const char* polish;
    const char* english;
  } cases[] = {
      {"#35# Znajdź...", "&Znajdź...", "&Find..."},
      {"#221#Pomoc", "Pomoc", "Help"},
      {"#12#", "Uruchom", "Execute"},
      {"#12#reminder#with#more", "Uruchom", "Execute"},
      {"#0012#", "Uruchom", "Execute"},
      {"#228# CSS", "Koloruj składnię : CSS", "Use highlighter : CSS"},
      {"#999# x", "Błąd wewnętrzny", "Internal error"},
      {"#229#", "Błąd wewnętrzny", "Internal error"},
      {"#0#", "Błąd wewnętrzny", "Internal error"},
      {"#99999999999999999999999#", "Błąd wewnętrzny", "Internal error"},
      {"#192#", "", ""},
      // Not a caption with an id: unchanged.
      {"#", "#", "#"}, {"", "", ""}, {"-", "-", "-"}, {"1", "1", "1"}, {"<h1></h1>", "<h1></h1>", "<h1></h1>"},
      {"ISO-8859-2", "ISO-8859-2", "ISO-8859-2"}, {"##", "##", "##"}, {"#abc#", "#abc#", "#abc#"},
      {"#12", "#12", "#12"}, {"# 12#", "# 12#", "# 12#"}, {"#+12#", "#+12#", "#+12#"}, {"#-1#", "#-1#", "#-1#"},
      {"x#12#", "x#12#", "x#12#"},
  };
  for (const auto& c : cases) {
    for (const int language : {1, 2, 0, 3, -1, 258}) {
      ScopedLanguage scope(language);
      EXPECT_EQ(LangCaption(c.caption), language == 2 ? c.english : c.polish) << c.caption << " in " << language;
    }
  }
}

TEST(LangTable, OutOfRangeIdsAndLanguagesFallBack) {
  for (const int id : {0, -1, 229, 1000, INT_MIN, INT_MAX}) {
    EXPECT_EQ(LangText(id, 1), "Błąd wewnętrzny") << id;
    EXPECT_EQ(LangText(id, 2), "Internal error") << id;
  }
  for (const int language : {0, 3, -5, 255, INT_MIN}) EXPECT_EQ(LangText(6, language), "Zapisz") << language;
  EXPECT_EQ(LangText(6, 2), "Save");
}

TEST(LangTable, EveryIdHasTextsExceptTheReservedRanges) {
  for (int id = 0; id < kLangIdCount; ++id) {
    const bool reserved = (id >= 190 && id <= 194) || (id >= 212 && id <= 220);
    for (const int language : {1, 2}) {
      const std::string text = LangText(id, language);
      EXPECT_EQ(text.empty(), reserved) << "id " << id << " language " << language;
      EXPECT_TRUE(ValidUtf8(text)) << "id " << id;
    }
  }
}

// Messages; the menu captions are checked where the main window shows them.
TEST(LangTable, QuotedMessagesAreStoredExactly) {
  const struct {
    int id;
    const char* polish;
    const char* english;
  } cases[] = {
      {69, "Zmodyfikowany", "Modified"},
      {70, "Plik \"%s\" już istnieje. Nadpisać?", "File \"%s\" already exists. Overwrite? !!"},
      {71, "Plik %s już istnieje.\r\nNadpisać ?", "File %s already exists.\r\nOverwrite ?"},
      {72, "Dokument został zmodyfikowany. Zapisać?", "File modified. Save?"},
      {73, "Dokument musi zostać zapisany przed uruchomieniem. Zapisać?", "File must be saved before execution. Save?"},
      {74, "Nie znalazłem wiecej fragmentów. Szukać od początku?", "No more found. Start from the begining?"},
      {75, "Nie znalazłem wiecej fragmentów...", "No more found..."},
      {76, "Wstaw znacznik", "Insert Tag"},
      {77, "Podaj znacznik w postaci np. \"<B>|</B>\"", "Enter tag (ex. <B>|</B>)"},
      {78, "Folder ULUBIONE może pomieścić maksymalnie 10 dokumentów", "Favorities can contain max. 10 documents"},
      {79, "Rozmiar pliku przed opymalizacją %d bajtów, po optymalizacji %d bajtów.",
       "Document size before optimalization %d bytes, after optimalization %d bytes."},
      {80, "Skocz do linii", "Goto to line"},
      {81, "Podaj numer linii (maks. %d)", "Enter line number (max %d)"},
      {67, "Dokumenty HTML|*.ht*;*.php*;*.pl;*.sht*;*.asp;|Dokumenty tekstowe|*.txt;*.me;*.diz;|Wszystkie pliki|*.*",
       "HTML documents|*.ht*;*.php*;*.pl;*.sht*;*.asp;|Text files|*.txt;*.me;*.diz;|All files|*.*"},
      {116, "Anuluj", "Cancel"},
      {127, "Maks. = %d", "Max. = %d"},
      {173, "Musisz zrestartować program aby uaktywnić zmianę interfejsu.",
       "This program need to be restarted to activate the interface changes."},
      {199, "Następna", "Next"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LangText(c.id, 1), c.polish) << c.id;
    EXPECT_EQ(LangText(c.id, 2), c.english) << c.id;
  }
  // The open filter is description|pattern pairs: seven of them in each language.
  for (const int language : {1, 2}) {
    const std::string filter = LangText(65, language);
    EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 13) << language;
  }
}
