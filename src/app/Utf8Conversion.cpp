#include "app/Utf8Conversion.h"

#include <array>

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

}  // namespace

std::string Utf8ToWin(std::string_view text, std::u32string* marks) {
  const auto& reverse = Reverse();
  std::string out;
  out.reserve(text.size());
  if (marks) marks->clear();
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const unsigned b = Byte(text, i);
    if (b < 0x80) {
      const std::size_t end = SkipAscii(text, i);
      out.append(text.data() + i, end - i);
      i = end;
      continue;
    }
    char32_t cp = 0;
    std::size_t len = 0;
    if (b >= 0xC2 && b <= 0xDF && i + 1 < n && (Byte(text, i + 1) & 0xC0) == 0x80) {
      // Two bytes: every Polish letter and most of Latin-2, the common case.
      cp = ((b & 0x1F) << 6) | (Byte(text, i + 1) & 0x3F);
      len = 2;
    } else {
      len = Utf8SequenceLength(text, i);
      if (len == 0) {
        out.push_back(text[i]);
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
      out.push_back(static_cast<char>(win));
      continue;
    }
    const char mark = MarkByteFor(cp);
    if (marks) {
      out.push_back(mark);
      marks->push_back(cp);
    } else {
      out.push_back(cp == DefaultMark(mark) ? mark : '?');
    }
  }
  return out;
}

std::string WinToUtf8(std::string_view text, std::u32string_view marks) {
  std::string out;
  out.reserve(text.size() + text.size() / 4 + marks.size() * 2);
  std::size_t k = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) < 0x80) {
      const std::size_t end = SkipAscii(text, i);
      out.append(text.data() + i, end - i);
      i = end;
      continue;
    }
    if (IsMarkByte(c)) {
      const char32_t cp = k < marks.size() ? marks[k] : DefaultMark(c);
      // Only a scalar value has a UTF-8 form; anything else the list might hold is shown as U+FFFD.
      AppendUtf8(out, (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF ? char32_t{0xFFFD} : cp);
      ++k;
    } else {
      AppendWin1250AsUtf8(out, c);
    }
    ++i;
  }
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
