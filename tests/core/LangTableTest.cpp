#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/LangTable.h"
#include "app/Utf8Conversion.h"
#include "fakes/ScopedLanguage.h"

namespace {

// Opening and saving as UTF-8 changes only what is not well-formed UTF-8.
bool ValidUtf8(std::string_view s) {
  std::u32string marks;
  return WinToUtf8(Utf8ToWin(s, &marks), marks) == s;
}

}  // namespace

// Any language other than English shows Polish; ids outside the table show the internal error text.
TEST(LangTable, CaptionsWithAnIdAreReplacedByTheTableText) {
  EXPECT_EQ(InterfaceLanguage(), 2) << "the program starts in English";
  const struct { const char *caption, *polish, *english; } cases[] = {
      {"#35# Znajdź...", "&Znajdź...", "&Find..."}, {"#12#reminder#with#more", "Uruchom", "Execute"},
      {"#0012#", "Uruchom", "Execute"},           {"#192#", "", ""},
      {"#229#", "Błąd wewnętrzny", "Internal error"}, {"#0#", "Błąd wewnętrzny", "Internal error"},
      {"#99999999999999999999999#", "Błąd wewnętrzny", "Internal error"},
  };
  // Not a caption with an id: unchanged.
  const char* const plain[] = {"#", "", "1", "<h1></h1>", "##", "#abc#", "#12", "# 12#", "#+12#", "#-1#", "x#12#"};
  for (const int language : {1, 2, 0, 3, -1, 258}) {
    ScopedLanguage scope(language);
    for (const auto& c : cases) EXPECT_EQ(LangCaption(c.caption), language == 2 ? c.english : c.polish) << c.caption;
    for (const char* p : plain) EXPECT_EQ(LangCaption(p), p) << p;
  }
  for (const int id : {-1, 1000, INT_MIN, INT_MAX}) EXPECT_EQ(LangText(id, 2), "Internal error") << id;
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
