#include "app/Utf8Conversion.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "app/AsciiRuns.h"
#include "app/CodePages.h"
#include "app/Win1250Unicode.h"
#include "editor/ForeignMarks.h"

namespace {

bool IsWinPolishLetter(unsigned char b) {
  const auto& row = CodePageTable[4].Letters;
  for (unsigned char l : row)
    if (l == b) return true;
  return false;
}

// Windows-1250 byte of every code point below U+2200 (the highest one the code page holds is U+2122),
// 0 where it holds none.
constexpr char32_t kReverseSize = 0x2200;
const std::array<unsigned char, kReverseSize>& Reverse() {
  static const std::array<unsigned char, kReverseSize> table = [] {
    std::array<unsigned char, kReverseSize> t{};
    for (int b = 0x80; b < 256; ++b) t[Win1250ToUnicode(static_cast<char>(b))] = static_cast<unsigned char>(b);
    return t;
  }();
  return table;
}

unsigned Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Copies the ASCII at text[i] to out[o] a word at a time, up to the first byte above 127 (or the
// end). Writes up to 8 bytes past what it reports, so out needs that much room.
void CopyAscii(std::string_view text, std::size_t& i, char* out, std::size_t& o) {
  while (i + 8 <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    std::memcpy(out + o, &word, 8);
    const std::uint64_t high = word & kHighBits;
    if (high != 0) {
      const auto ascii = static_cast<std::size_t>(std::countr_zero(high) / 8);  // little-endian: first byte lowest
      i += ascii;
      o += ascii;
      return;
    }
    i += 8;
    o += 8;
  }
  while (i < text.size() && Byte(text, i) < 0x80) out[o++] = text[i++];
}

// The UTF-8 forms of the 256 bytes as (up to 3 bytes, length), so a byte is written as one 4-byte store.
struct Forms {
  std::array<std::uint32_t, 256> bytes{};
  std::array<std::uint8_t, 256> size{};
};

const Forms& Utf8Forms() {
  static const Forms forms = [] {
    Forms f;
    for (int b = 0; b < 256; ++b) {
      std::string s;
      AppendWin1250AsUtf8(s, static_cast<char>(b));
      char packed[4] = {};
      std::memcpy(packed, s.data(), s.size());
      std::memcpy(&f.bytes[static_cast<std::size_t>(b)], packed, 4);
      f.size[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(s.size());
    }
    return f;
  }();
  return forms;
}

}  // namespace

static_assert(std::endian::native == std::endian::little, "the word loops read the first byte as the lowest");

namespace {

// Decodes text into out, which is either text's own buffer or one with 8 bytes of room past the
// result: every character becomes one byte, so the writing never overtakes the reading. Returns the
// length written.
std::size_t DecodeUtf8(std::string_view text, char* out, std::u32string* marks) {
  const auto& reverse = Reverse();
  const bool inPlace = out == text.data();
  std::size_t w = 0;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    // In its own buffer the text is copied a word at a time while the word stores land on bytes already
    // read: where the writing is level with the reading (the same bytes go back) or a word behind it.
    if (!inPlace || w == i || i >= w + 8) {
      CopyAscii(text, i, out, w);
    } else {
      const std::size_t end = SkipAscii(text, i);
      std::memmove(out + w, text.data() + i, end - i);
      w += end - i;
      i = end;
    }
    if (i >= n) break;
    const unsigned b = Byte(text, i);
    char32_t cp = 0;
    std::size_t len = 0;
    if (b >= 0xC2 && b <= 0xDF && i + 1 < n && (Byte(text, i + 1) & 0xC0) == 0x80) {
      // Two bytes: every Polish letter and most of Latin-2, the common case.
      cp = ((b & 0x1F) << 6) | (Byte(text, i + 1) & 0x3F);
      len = 2;
    } else {
      len = Utf8SequenceLength(text, i);
      if (len == 0) {
        out[w++] = text[i];
        if (marks && IsMarkByte(text[i])) marks->push_back(DefaultMark(text[i]));
        ++i;
        continue;
      }
      cp = b & (len == 3 ? 0x0F : 0x07);
      for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (Byte(text, i + k) & 0x3F);
    }
    i += len;
    const unsigned char win = cp < kReverseSize ? reverse[cp] : 0;
    if (win != 0 && !IsMarkByte(static_cast<char>(win))) {
      out[w++] = static_cast<char>(win);
      continue;
    }
    const char mark = MarkByteFor(cp);
    if (marks) {
      out[w++] = mark;
      marks->push_back(cp);
    } else {
      out[w++] = cp == DefaultMark(mark) ? mark : '?';
    }
  }
  return w;
}

}  // namespace

std::string Utf8ToWin(std::string_view text, std::u32string* marks) {
  if (marks) marks->clear();
  // Every character becomes one byte, so the text never grows; 8 bytes of room for the word copies.
  std::string out(text.size() + 8, '\0');
  out.resize(DecodeUtf8(text, out.data(), marks));
  return out;
}

void Utf8ToWinInPlace(std::string& text, std::u32string* marks) {
  if (marks) marks->clear();
  text.resize(DecodeUtf8(text, text.data(), marks));
}

namespace {

char32_t MarkCharacter(std::u32string_view marks, std::size_t k, char byte) {
  const char32_t cp = k < marks.size() ? marks[k] : DefaultMark(byte);
  // Only a scalar value has a UTF-8 form; anything else the list might hold is shown as U+FFFD.
  return (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF ? char32_t{0xFFFD} : cp;
}

std::size_t Utf8Length(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

// Writes the UTF-8 form of a scalar value at `at`; returns its length.
std::size_t WriteUtf8(char* at, char32_t cp) {
  char form[4];
  const std::size_t n = Utf8Length(cp);
  if (n == 2) {
    form[0] = static_cast<char>(0xC0 | (cp >> 6));
  } else if (n == 3) {
    form[0] = static_cast<char>(0xE0 | (cp >> 12));
    form[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  } else if (n == 4) {
    form[0] = static_cast<char>(0xF0 | (cp >> 18));
    form[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    form[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  }
  form[n - 1] = static_cast<char>(n == 1 ? cp : 0x80 | (cp & 0x3F));
  std::memcpy(at, form, n);
  return n;
}

}  // namespace

std::string WinToUtf8(std::string_view text, std::u32string_view marks) {
  const Forms& forms = Utf8Forms();
  // Room for the worst case, found with one vectorisable count: a byte above 127 takes at most three
  // bytes, a mark at most four. The result is written in place once and then cut to its length.
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t high = 0;
  for (std::size_t i = 0; i < text.size(); ++i) high += bytes[i] >> 7;
  std::string out(text.size() + 2 * high + marks.size() + 8, '\0');  // 8 bytes for the word copies
  char* o = out.data();
  std::size_t w = 0;
  std::size_t k = 0;
  const auto one = [&](unsigned char c) {
    if (IsMarkByte(static_cast<char>(c))) {
      w += WriteUtf8(o + w, MarkCharacter(marks, k++, static_cast<char>(c)));
    } else {
      std::memcpy(o + w, &forms.bytes[c], 4);
      w += forms.size[c];
    }
  };
  // Eight bytes at a time: ASCII is copied whole, and eight bytes with letters among them go through the
  // table one after another with no branch per letter (one taken or not at random as letters come would
  // cost more than the table); only the reserved bytes of marks, rare, take a branch.
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if ((word & kHighBits) == 0) {
      std::memcpy(o + w, &word, 8);
      w += 8;
      continue;
    }
    for (int b = 0; b < 8; ++b, word >>= 8) one(static_cast<unsigned char>(word));
  }
  for (; i < text.size(); ++i) one(static_cast<unsigned char>(text[i]));
  out.resize(w);
  return out;
}

bool LooksLikeUtf8(std::string_view text) {
  bool foreign = false;
  std::size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      i = SkipAscii(text, i);
      continue;
    }
    const std::size_t len = Utf8SequenceLength(text, i);
    if (len == 0) return false;
    for (std::size_t k = 0; k < len && !foreign; ++k)
      foreign = !IsWinPolishLetter(static_cast<unsigned char>(text[i + k]));
    i += len;
  }
  return foreign;
}
