#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "app/CodePageDetection.h"
#include "app/CodePages.h"
#include "app/Utf8Conversion.h"
#include "app/Win1250Case.h"
#include "app/Win1250Unicode.h"
#include "fakes/TestFiles.h"

namespace {

std::string LettersOf(const TCodePage& row) { return {row.Letters.begin(), row.Letters.end()}; }

const char* const k8BitPages[] = {"iso-8859-2", "cp852", "mazovia", "windows-1250", "win-1250", "amigapl"};

}  // namespace

// The 18 letters of every code page turn into the same letters of every other one.
TEST(CodePages, LettersConvertBetweenEveryPairOfCodePages) {
  for (const TCodePage& from : CodePageTable) {
    for (const TCodePage& to : CodePageTable) {
      const std::string in = LettersOf(from);
      const std::string expected = from.Name == "ascii" ? in : LettersOf(to);
      EXPECT_EQ(ConvertCodePage(in, from.Name, to.Name), expected) << from.Name << " -> " << to.Name;
    }
    if (from.Name == "ascii") continue;
    // And through UTF-8, in both directions.
    const std::string utf8 = ConvertCodePage(LettersOf(from), from.Name, "utf-8");
    EXPECT_EQ(utf8, "ĄĆĘŁŃÓŚŹŻąćęłńóśźż") << from.Name;
    EXPECT_EQ(ConvertCodePage(utf8, "UTF-8", from.Name), LettersOf(from)) << from.Name;
    EXPECT_EQ(ConvertCodePage(LettersOf(from), from.Name, "Unicode"), utf8) << from.Name;  // a UTF-8 name too
  }
}

TEST(CodePages, NamesCompareInLowerCaseAndUnknownNamesActAsWindows1250) {
  EXPECT_EQ(&CodePageRow("ISO-8859-2"), &CodePageTable[1]);
  EXPECT_EQ(&CodePageRow("AmigaPL"), &CodePageTable[6]);
  for (const char* name : {"latin1", "", "iso-8859-2 ", "Windows-1250"})
    EXPECT_EQ(CodePageRow(name).Letters, CodePageTable[4].Letters) << name;
  EXPECT_TRUE(IsUtf8Name("Unicode"));
  EXPECT_TRUE(IsUtf8Name("UTF-8"));
  EXPECT_FALSE(IsUtf8Name("utf8"));
}

// Every 8-bit map except the one towards ASCII is a permutation that keeps ASCII and whose inverse is the
// map back, so any byte string survives a trip into another code page and back.
TEST(CodePages, ByteMapsAreOneToOneAndInvertible) {
  std::mt19937 random(1250);
  for (const char* a : k8BitPages) {
    for (const char* b : k8BitPages) {
      const TByteMap there = CodePageByteMap(a, b);
      const TByteMap back = CodePageByteMap(b, a);
      std::array<bool, 256> seen{};
      for (int v = 0; v < 256; ++v) {
        EXPECT_FALSE(seen[there[v]]) << a << " -> " << b << " merges at " << v;
        EXPECT_TRUE(v >= 128 || there[v] == v) << a << " -> " << b << " moves ASCII " << v;
        seen[there[v]] = true;
        EXPECT_EQ(back[there[v]], v) << a << " <-> " << b;
      }
      std::string text(500, '\0');
      for (char& c : text) c = static_cast<char>(random() & 0xFF);
      EXPECT_EQ(ConvertCodePage(ConvertCodePage(text, a, b), b, a), text) << a << " <-> " << b;
    }
    // Opening converts the file's own bytes in place; the result is the plain conversion's.
    for (const char* name : {a, "ASCII", "utf-8", "Windows-1250", "unknown"}) {
      std::string bytes(random() % 40, '\0');
      for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
      std::u32string marks = U"x", expectedMarks;
      const std::string expected = IsUtf8Name(name) ? Utf8ToWin(bytes, &expectedMarks) : ConvertCodePage(bytes, name, "win-1250");
      DecodeFromCodePageInPlace(bytes, name, marks);
      EXPECT_EQ(bytes, expected) << name;
      EXPECT_EQ(marks, expectedMarks) << name;
    }
  }
  // Czech š (B9 in ISO-8859-2) must not become ą (B9 in Windows-1250).
  EXPECT_NE(ConvertCodePage("\xB9", "iso-8859-2", "win-1250"), "\xB9");
}

// Real Polish text in every code page is detected, read and written back by DocumentCommandsTest.

// Where a wrong guess is easy to make: letters of one code page that look like UTF-8 lead bytes, and ties.
TEST(CodePages, Detection) {
  const std::pair<std::string, const char*> cases[] = {
      {"plain ascii text", "windows-1250"},
      {"", "windows-1250"},
      {"ma\xB1 x", "iso-8859-2"},                 // ą of ISO-8859-2, no letter in Windows-1250
      {"ma\xB1", "iso-8859-2"},                   // the last byte counts too
      {"\xB1", "iso-8859-2"},
      {"ab\xC4", "windows-1250"},
      {"x\xC4\x85x \xB9", "utf-8"},               // one UTF-8 ą wins over everything
      {"\xC6wierk \xCA" "dward", "windows-1250"},    // Ć and Ę mean the same in both: a tie
      // A1 is a capital in ISO-8859-2 (Ą) and in Mazovia (Ż): a tie between two pages that are not
      // Windows-1250 still gives Windows-1250; ą of ISO-8859-2 breaks it.
      {"\xA1 x", "windows-1250"},
      {"\xA1\xB1 x", "iso-8859-2"},
      // One UTF-8 Polish letter decides even in a text that is not well-formed; a lone lead byte does not.
      {"\xB9\xFF abc \xC5\x82", "utf-8"},
      {"\xC5 \xB9\xFF", "windows-1250"},
      {"DWA \xBCR\xD3" "D\xA3" "A", "iso-8859-2"},
      {"\x8C\x9C\xB9 ab", "windows-1250"},
      {"\x86\x8D\x91 ab", "mazovia"},
      {"\xA5\x86\xA9 ab", "cp852"},
      {"\xE2\xEA\xEB ab", "amigapl"},
      // Well-formed UTF-8 with other characters than the letters: typographic quotes, a copyright sign.
      {"\xE2\x80\x9EQuoted\xE2\x80\x9D text", "utf-8"},
      {"# (c) \xC2\xA9 2024 someone", "utf-8"},
      // Ó of Windows-1250 is a UTF-8 lead byte; followed by no continuation byte it starts no character.
      {"\xD3\xE6 ab", "windows-1250"},
      {"\xD3 x", "windows-1250"},
      {"D\xD3\xA3 I KOPIEC", "windows-1250"},  // Windows-1250 capitals that happen to be well-formed UTF-8
      {"\xB9\xE6 \xD3 \xC2\xA9", "windows-1250"},  // a UTF-8 text is well-formed throughout, not only at its ©
      {"\xB9\xC4 ab", "windows-1250"},  // a stray letter pair inside a Windows-1250 word is no UTF-8 pair
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(DetectCodePage(text), expected) << text;
}

TEST(CodePages, DecodeEscapedLetters) {
  const std::pair<const char*, std::string> cases[] = {
      {"=B1x", "\xB1x"},      {"%B1x", "\xB1x"},      {"%A5x", "\xA5x"},  // ISO ą, CP852 ą
      {"%20x", "%20x"},       {"=3Dx", "=3Dx"},       {"%b1x", "%b1x"},   // not letters, lower case
      {"a%B1", "a%B1"},                                                      // last digit ends the text
      {"%B1%B1=E6.", "\xB1\xB1\xE6."},                {"%%B1x", "%\xB1x"},
      {"%G1x", "%G1x"},       {"%B", "%B"},           {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(DecodeEscapedLetters(in), out) << in;
}

TEST(CodePages, RemoveNationalCharacters) {
  EXPECT_EQ(RemoveNationalCharacters(LettersOf(CodePageTable[4]) + " x1"), "ACELNOSZZacelnoszz x1");
  EXPECT_EQ(RemoveNationalCharacters("\xE9\x9A"), "\xE9\x9A");  // é and š are not Polish
}

TEST(Win1250Case, PolishAndOtherLettersConvert) {
  const std::string upper = "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF" "ABCZ\x8A\x8D\x8E\xAA\xBC\xC0\xDE";
  const std::string lower = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF" "abcz\x9A\x9D\x9E\xBA\xBE\xE0\xFE";
  EXPECT_EQ(Win1250Upper(lower), upper);
  EXPECT_EQ(Win1250Lower(upper), lower);
  for (const char* same : {"0123 ,.;", "\xD7\xF7\xDF\xB5\xFF\x80"}) {  // signs, ß, µ, ˙: no partner
    EXPECT_EQ(Win1250Upper(same), same);
    EXPECT_EQ(Win1250Lower(same), same);
  }
  // Lower and upper undo each other on every byte that has a partner.
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_TRUE(Win1250Upper(c) == c || Win1250Lower(Win1250Upper(c)) == c) << b;
    EXPECT_TRUE(Win1250Lower(c) == c || Win1250Upper(Win1250Lower(c)) == c) << b;
  }
  // FindNoCase against a plain search, at every start and across the word boundaries of the fast scan.
  std::mt19937 random(5);
  const std::string letters = "<mM\xB9\xA5" "eEtTa";
  const auto plain = [](std::string_view text, std::string_view needle, std::size_t from) {
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i)
      if (Win1250Lower(text.substr(i, needle.size())) == Win1250Lower(needle)) return i;
    return std::string_view::npos;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 40, ' '), needle(1 + random() % 4, ' ');
    for (char& c : text) c = letters[random() % letters.size()];
    for (char& c : needle) c = letters[random() % letters.size()];
    const std::size_t from = random() % (text.size() + 2);
    ASSERT_EQ(FindNoCase(text, needle, from), plain(text, needle, from)) << text << " / " << needle << " " << from;
  }
}

TEST(Win1250Unicode, TableAgreesWithIconvAndEveryByteRoundTrips) {
  const std::string data = std::string(QUILL_TEST_DATA_DIR) + "/codepages/polish.";
  EXPECT_EQ(Win1250ToUtf8(ReadBytes(data + "windows-1250.txt")), ReadBytes(data + "utf-8.txt"));
  EXPECT_EQ(Win1250ToUnicode('\x80'), U'\u20AC');
  EXPECT_EQ(Win1250ToUnicode('\x84'), U'\u201E');
  EXPECT_EQ(Win1250ToUnicode('\x81'), U'\u0081');  // undefined in the code page
  EXPECT_EQ(Win1250ToUnicode('\xFF'), U'\u02D9');
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToWin1250(Win1250ToUtf8(all), '?'), all);
}

TEST(Win1250Unicode, CharactersOutsideTheCodePageAndMalformedBytesBecomeTheReplacement) {
  EXPECT_EQ(Utf8ToWin1250("a\xCE\xA9z", '?'), "a?z");        // Ω
  EXPECT_EQ(Utf8ToWin1250("\xF0\x9F\x98\x80", '?'), "?");     // an emoji, one character
  EXPECT_EQ(Utf8ToWin1250("\xC4" "a\x85", '?'), "?a?");       // malformed bytes, one each
  EXPECT_EQ(Utf8ToWin1250("\xC5\x82\xC3\xB3" "d\xC5\xBA", '?'), "\xB3\xF3" "d\x9F");
}
