#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/CodePages.h"
#include "app/Utf8Conversion.h"
#include "app/Win1250Unicode.h"
#include "editor/ForeignMarks.h"

namespace {

std::string RoundTrip(const std::string& file) {
  std::u32string marks;
  const std::string text = Utf8ToWin(file, &marks);
  EXPECT_EQ(CountMarkBytes(text), marks.size());
  return WinToUtf8(text, marks);
}

// Characters a Polish UTF-8 file may hold: ASCII, the letters, other Latin-2 letters, typographic signs,
// IPA, Cyrillic and Vietnamese letters whose bytes are also Polish letters of Windows-1250, CJK, an
// emoji, a byte-order mark and the C1 control that a reserved byte stands for.
const char32_t kAlphabet[] = {'a', 'Z', ' ', '\r', '\n', '<', 0x0105, 0x0104, 0x0119, 0x0118, 0x00F3, 0x00D3,
                              0x0142, 0x0141, 0x015B, 0x015A, 0x017C, 0x017B, 0x017A, 0x0107, 0x0106,
                              0x0144, 0x0143, 0x0161, 0x00E9, 0x201E, 0x201D, 0x00A9, 0x028C, 0x044F,
                              0x04E3, 0x04EF, 0x01AF, 0x6CF9, 0x4E2D, 0x1F600, 0xFEFF, 0x0081, 0x0083};

// A longer file as most are: ASCII runs, short and long, and two-byte letters, alone and in runs; now and
// then (or never) anything else of the alphabet or a malformed byte. The conversions go 64 bytes at a time
// and treat such stretches apart, so these put letters on every side of those edges.
std::string LongFile(std::mt19937& random) {
  static const char32_t kLetters[] = {0x0105, 0x0104, 0x0119, 0x00F3, 0x0142, 0x015B, 0x017C, 0x017A, 0x0107,
                                      0x0144, 0x0161, 0x00E9, 0x00A9, 0x00D3, 0x0141};
  const unsigned rarely = random() % 3 == 0 ? 0 : 20 + random() % 600;  // 0: never
  const std::size_t size = random() % 4000;
  std::string file;
  while (file.size() < size) {
    if (rarely != 0 && random() % rarely == 0) {
      if (random() % 4 == 0) file += static_cast<char>(0x80 + random() % 128);
      else AppendUtf8(file, kAlphabet[random() % std::size(kAlphabet)]);
    } else if (random() % 3 == 0) {
      file.append(random() % (random() % 4 == 0 ? 200 : 12), static_cast<char>('a' + random() % 26));
    } else {
      AppendUtf8(file, kLetters[random() % std::size(kLetters)]);
    }
  }
  return file;
}

}  // namespace

// What opening reads from a UTF-8 file: the editor's text, the characters of its marks, and what saving
// that unedited text writes.
TEST(Utf8Conversion, OpeningAndSavingCases) {
  struct Case {
    const char* file;
    const char* text;
    std::u32string marks;
    const char* saved;  // nullptr: the file itself
  } cases[] = {
      // Every character Windows-1250 holds is read as its byte, not only the Polish letters.
      {"\xC4\x85\xC5\x81 \xE2\x80\x9Ex\xE2\x80\x9D \xC2\xA9\xE2\x82\xAC\xC5\xA0\xC3\x84", "\xB9\xA3 \x84x\x94 \xA9\x80\x8A\xC4", U"", nullptr},
      // Characters it cannot hold are marks; those whose bytes spell Polish letters too.
      {"\xCA\x8C za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", "\x81 za\xBF\xF3\xB3\xE6", U"\u028C", nullptr},
      {"\xE6\xB3\xB9\xF0\x9F\x98\x80\xD1\x8F", "\x83\x83\x81", U"\u6CF9\U0001F600\u044F", nullptr},
      // A byte-order mark is kept as a mark, U+0081 and U+0083 as the reserved bytes that stand for them.
      {"\xEF\xBB\xBFx\xC2\x81\xC2\x83", "\x81x\x81\x83", U"\uFEFF\u0081\u0083", nullptr},
      // Bytes that are not well-formed UTF-8 are their Windows-1250 characters and are saved as those.
      {"a\x80" "b", "a\x80" "b", U"", "a\xE2\x82\xAC" "b"},                   // a lone continuation byte
      {"\xC0\xAF", "\xC0\xAF", U"", "\xC5\x94\xC5\xBB"},                      // an overlong slash
      {"\xED\xA0\x80", "\xED\xA0\x80", U"", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // a surrogate
      {"ab\xE2\x80", "ab\xE2\x80", U"", "ab\xC3\xA2\xE2\x82\xAC"},            // cut off at the end
      {"\x81x", "\x81x", U"\u0081", "\xC2\x81x"},                             // a stray reserved byte
  };
  for (const Case& c : cases) {
    std::u32string marks;
    const std::string text = Utf8ToWin(c.file, &marks);
    EXPECT_EQ(text, c.text) << c.file;
    EXPECT_EQ(marks, c.marks) << c.file;
    const std::string saved = WinToUtf8(text, marks);
    EXPECT_EQ(saved, c.saved ? c.saved : c.file) << c.file;
    EXPECT_EQ(RoundTrip(saved), saved) << c.file;
  }
  // Without a list of marks, and towards an 8-bit code page, such characters become "?".
  EXPECT_EQ(Utf8ToWin("\xCA\x8C\xC2\x81"), "?\x81");
  EXPECT_EQ(ConvertCodePage("\x81\xB9\x81", "win-1250", "iso-8859-2", U"\u028C\u0081"), "?\xB1\x81");
  EXPECT_EQ(ConvertCodePage("\xCA\x8C\xC4\x85", "utf-8", "utf-8"), "\xCA\x8C\xC4\x85");
}

// The word-at-a-time decoding against a character-by-character one, into a new string and in place (where
// the writing falls behind the reading by less than a word, then by more), on long mixes of ASCII runs,
// letters, foreign characters and malformed bytes, from random offsets across the word boundaries.
TEST(Utf8Conversion, DecodingAgreesWithAPlainDecoder) {
  const auto plain = [](std::string_view file, std::u32string* marks) {
    std::string out;
    for (std::size_t i = 0; i < file.size();) {
      const std::size_t len = Utf8SequenceLength(file, i);
      if (len <= 1) {
        out += file[i];
        if (len == 0 && marks && IsMarkByte(file[i])) marks->push_back(DefaultMark(file[i]));
        ++i;
        continue;
      }
      char32_t cp = static_cast<unsigned char>(file[i]) & (0x7F >> len);
      for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(file[i + k]) & 0x3F);
      std::u32string one;
      const std::string byte = UnicodeToMarked(std::u32string(1, cp), one);
      if (!one.empty() && marks) marks->push_back(one[0]);
      out += one.empty() || marks || one[0] == DefaultMark(byte[0]) ? byte : "?";
      i += len;
    }
    return out;
  };
  std::mt19937 random(8859);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kAlphabet) - 1);
  for (int round = 0; round < 3000; ++round) {
    std::string file;
    const int pieces = round % 2 ? static_cast<int>(random() % 120) : 0;
    for (int k = 0; k < pieces; ++k) {
      const unsigned kind = random() % 10;
      if (kind < 4) file.append(random() % 12, static_cast<char>('a' + random() % 26));
      else if (kind < 9) AppendUtf8(file, kAlphabet[pick(random)]);
      else file += static_cast<char>(0x80 + random() % 128);
    }
    if (round % 2 == 0) file = LongFile(random);
    const std::string_view view = std::string_view(file).substr(std::min<std::size_t>(random() % 4, file.size()));
    std::u32string marks, expectedMarks;
    const std::string expected = plain(view, &expectedMarks);
    ASSERT_EQ(Utf8ToWin(view, &marks), expected) << round;
    ASSERT_EQ(marks, expectedMarks) << round;
    ASSERT_EQ(Utf8ToWin(view), plain(view, nullptr)) << round;
    std::string inPlace(view);
    Utf8ToWinInPlace(inPlace, &marks);
    ASSERT_EQ(inPlace, expected) << round;
    ASSERT_EQ(marks, expectedMarks) << round;
  }
}

// Saving a word at a time against a byte-by-byte writer, on texts of ASCII runs, letters and reserved
// bytes at random offsets, with lists of marks too short, complete, or holding what is no character.
TEST(Utf8Conversion, EncodingAgreesWithAPlainEncoder) {
  std::mt19937 random(1252);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    std::u32string marks;
    const int pieces = round % 2 ? static_cast<int>(random() % 60) : 0;
    for (int k = 0; k < pieces; ++k) {
      const unsigned kind = random() % 8;
      if (kind < 4) text.append(random() % 14, static_cast<char>('a' + random() % 26));
      else if (kind < 7) text += static_cast<char>(0x80 + random() % 128);
      else text += random() % 2 ? kMarkByte : kWideMarkByte;
    }
    if (round % 2 == 0) text = Utf8ToWin(LongFile(random));  // marks are "?" there, and now and then a reserved byte
    for (std::size_t k = random() % (CountMarkBytes(text) + 2); k > 0; --k)
      marks.push_back(random() % 5 ? kAlphabet[random() % std::size(kAlphabet)] : char32_t{0xD800});
    const std::string_view view = std::string_view(text).substr(std::min<std::size_t>(random() % 4, text.size()));
    std::string expected;
    std::size_t next = 0;
    for (char c : view) {
      if (!IsMarkByte(c)) {
        AppendWin1250AsUtf8(expected, c);
        continue;
      }
      const char32_t cp = next < marks.size() ? marks[next] : DefaultMark(c);
      ++next;
      AppendUtf8(expected, cp == 0xD800 ? char32_t{0xFFFD} : cp);
    }
    ASSERT_EQ(WinToUtf8(view, marks), expected) << round;
  }
}

TEST(Utf8Conversion, LooksLikeUtf8) {
  for (const char* yes : {"\xE2\x80\x9E", "\xEF\xBB\xBFplain"}) EXPECT_TRUE(LooksLikeUtf8(yes)) << yes;
  // Plain ASCII, cut off, overlong, a surrogate, Windows-1250 letters only.
  for (const char* no : {"plain", "\xE2\x80", "\xC0\xAF", "\xED\xA0\x80", "CZ\xCA\x8C"}) EXPECT_FALSE(LooksLikeUtf8(no)) << no;
}

