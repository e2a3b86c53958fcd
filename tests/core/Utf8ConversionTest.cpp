#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/CodePages.h"
#include "app/Utf8Conversion.h"
#include "app/Win1250Unicode.h"

namespace {

bool WellFormed(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = Utf8SequenceLength(s, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

// Opening then saving as the document layer does.
std::string RoundTrip(const std::string& file, TUtf8Memory& memory) {
  const std::string text = Utf8ToWin(file, &memory);
  return WinToUtf8(text, memory);
}

// Characters a Polish UTF-8 file may hold: ASCII, the letters, other Latin-2 letters, typographic signs,
// IPA and Cyrillic letters whose bytes are also Polish letters of Windows-1250, CJK, an emoji.
const char32_t kAlphabet[] = {'a', 'Z', ' ', '\r', '\n', '<', 0x0105, 0x0104, 0x0119, 0x0118, 0x00F3, 0x00D3,
                              0x0142, 0x0141, 0x015B, 0x015A, 0x017C, 0x017B, 0x017A, 0x0107, 0x0106,
                              0x0144, 0x0143, 0x0161, 0x00E9, 0x201E, 0x201D, 0x00A9, 0x028C, 0x044F,
                              0x04E3, 0x04EF, 0x4E2D, 0x1F600, 0xFEFF};

}  // namespace

TEST(Utf8Conversion, PolishLettersBothWays) {
  std::string win, utf8;
  for (const TUtf8Letter& l : Utf8Letters) {
    win.push_back(static_cast<char>(l.Win));
    utf8.append({static_cast<char>(l.Utf8[0]), static_cast<char>(l.Utf8[1])});
  }
  EXPECT_EQ(Utf8ToWin(utf8), win);
  EXPECT_EQ(WinToUtf8(win), utf8);
  // Other characters stay as their bytes when read, and other Windows-1250 bytes become UTF-8 when written.
  EXPECT_EQ(Utf8ToWin("\xE2\x80\x9E\xC4\x85"), "\xE2\x80\x9E\xB9");
  EXPECT_EQ(WinToUtf8("\x84\xA9\xE9"), "\xE2\x80\x9E\xC2\xA9\xC3\xA9");
  // ó followed by a Windows-1250 ł and an Ă before ł: each byte is its own character.
  EXPECT_EQ(WinToUtf8("\xF3\xB3\xC3\xB3"), "\xC3\xB3\xC5\x82\xC4\x82\xC5\x82");
}

// Any well-formed UTF-8 file comes back byte for byte.
TEST(Utf8Conversion, RandomUtf8FilesRoundTripExactly) {
  std::mt19937 random(852);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kAlphabet) - 1);
  for (int round = 0; round < 300; ++round) {
    std::string file;
    const int length = static_cast<int>(random() % 60);
    for (int i = 0; i < length; ++i) AppendUtf8(file, kAlphabet[pick(random)]);
    TUtf8Memory memory;
    EXPECT_EQ(RoundTrip(file, memory), file);
  }
}

// Arbitrary bytes: what is written is well-formed UTF-8, and opening and saving that again changes nothing.
TEST(Utf8Conversion, RandomBytesGiveWellFormedUtf8) {
  std::mt19937 random(1250);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(static_cast<std::size_t>(random() % 40), '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    TUtf8Memory memory;
    const std::string saved = RoundTrip(bytes, memory);
    EXPECT_TRUE(WellFormed(saved));
    TUtf8Memory again;
    EXPECT_EQ(RoundTrip(saved, again), saved);
  }
}

// Letters typed into a UTF-8 document are written as those letters, even where their Windows-1250 bytes
// are themselves well-formed UTF-8 ("ĘŚ" is CA 8C, the bytes of "ʌ").
TEST(Utf8Conversion, TypedLettersAreSavedAsLetters) {
  TUtf8Memory memory;
  const std::string text = Utf8ToWin("\xE2\x80\x9Etytu\xC5\x82\xE2\x80\x9D \xC2\xA9", &memory);
  EXPECT_EQ(memory.Size(), 3u);
  const std::string typed = text + " CZ\xCA\x8C\xC6 D\xD3\xA3 POM\xD3\xAF";
  EXPECT_EQ(WinToUtf8(typed, memory),
            "\xE2\x80\x9Etytu\xC5\x82\xE2\x80\x9D \xC2\xA9 CZ\xC4\x98\xC5\x9A\xC4\x86 D\xC3\x93\xC5\x81 "
            "POM\xC3\x93\xC5\xBB");
}

// A file holding both "ʌ" and the letters "ĘŚ": unedited, and edited elsewhere, it is written back as
// read; once the number of such places changes, they are written as the letters the editor shows.
TEST(Utf8Conversion, CharacterSharingBytesWithLettersKeepsItsPlaces) {
  const std::string file = "/\xCA\x8C/ CZ\xC4\x98\xC5\x9A\xC4\x86 /\xCA\x8C/";
  TUtf8Memory memory;
  const std::string text = Utf8ToWin(file, &memory);
  EXPECT_EQ(text, "/\xCA\x8C/ CZ\xCA\x8C\xC6 /\xCA\x8C/");
  EXPECT_EQ(WinToUtf8(text, memory), file);
  EXPECT_EQ(WinToUtf8("title " + text + "\r\n", memory), "title " + file + "\r\n");
  EXPECT_EQ(WinToUtf8(text + " \xCA\x8C", memory),
            "/\xC4\x98\xC5\x9A/ CZ\xC4\x98\xC5\x9A\xC4\x86 /\xC4\x98\xC5\x9A/ \xC4\x98\xC5\x9A");
}

TEST(Utf8Conversion, LooksLikeUtf8) {
  EXPECT_TRUE(LooksLikeUtf8("\xE2\x80\x9E"));
  EXPECT_TRUE(LooksLikeUtf8("\xEF\xBB\xBFplain"));  // a byte-order mark
  EXPECT_FALSE(LooksLikeUtf8("plain"));
  EXPECT_FALSE(LooksLikeUtf8("\xE2\x80"));          // cut off
  EXPECT_FALSE(LooksLikeUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(LooksLikeUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(LooksLikeUtf8("CZ\xCA\x8C"));        // Windows-1250 letters only
}
