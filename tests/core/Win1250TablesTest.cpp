#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/Win1250Case.h"
#include "app/Win1250Unicode.h"
#include "fakes/TestFiles.h"

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
    if (Win1250Upper(c) != c) {
      EXPECT_EQ(Win1250Lower(Win1250Upper(c)), c) << b;
    }
    if (Win1250Lower(c) != c) {
      EXPECT_EQ(Win1250Upper(Win1250Lower(c)), c) << b;
    }
  }
  EXPECT_EQ(FindNoCase("ab<HtMl>", "<html>"), 2u);
  EXPECT_EQ(FindNoCase("\xA5", "\xB9"), 0u);
  EXPECT_EQ(FindNoCase("abc", "x"), std::string_view::npos);
  // Against a plain search, at every start and across the word boundaries of the fast scan.
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
