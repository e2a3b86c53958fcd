#include "app/Win1250Case.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <array>
#include <bit>
#include <cstdint>

#include "editor/ByteScan.h"

namespace {

struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
};

// Upper/lower pairs of the code page above 127 (Š Ś Ť Ž Ź Ł Ą Ş Ż Ľ and the C0..DE block, except
// the multiplication sign D7 whose F7 partner is the division sign).
constexpr std::array<std::pair<std::uint8_t, std::uint8_t>, 10> kHighPairs{{
    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
    {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE},
}};

constexpr CaseTables MakeTables() {
  CaseTables t;
  for (int b = 0; b < 256; ++b) {
    t.upper[b] = static_cast<unsigned char>(b);
    t.lower[b] = static_cast<unsigned char>(b);
  }
  auto pair = [&t](int up, int low) {
    t.upper[low] = static_cast<unsigned char>(up);
    t.lower[up] = static_cast<unsigned char>(low);
  };
  for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
  for (const auto& [up, low] : kHighPairs) pair(up, low);
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) pair(c, c + 32);
  return t;
}

constexpr CaseTables kTables = MakeTables();

}  // namespace

char Win1250Upper(char c) {
  return static_cast<char>(kTables.upper[static_cast<unsigned char>(c)]);
}

char Win1250Lower(char c) {
  return static_cast<char>(kTables.lower[static_cast<unsigned char>(c)]);
}

std::string Win1250Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Win1250Upper(c);
  return out;
}

std::string Win1250Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Win1250Lower(c);
  return out;
}

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (needle.size() > text.size()) return std::string_view::npos;
  const std::string lowerNeedle = Win1250Lower(needle);
  const std::size_t m = lowerNeedle.size();
  const char first = lowerNeedle[0];
  const char firstUpper = Win1250Upper(first);
  const auto matchesAt = [&](std::size_t i) {
    if (text[i] != first && text[i] != firstUpper) return false;
    std::size_t k = 1;
    while (k < m && Win1250Lower(text[i + k]) == lowerNeedle[k]) ++k;
    return k == m;
  };
  // The bytes whose lower case is the needle's second character: when they are at most two, the scan
  // below looks for both characters at once, eight places at a time ("<m" of "<meta" is rare in HTML,
  // "<" alone is everywhere).
  unsigned char second[2] = {0, 0};
  int seconds = 0;
  if (m >= 2) {
    for (int c = 0; c < 256; ++c) {
      if (Win1250Lower(static_cast<char>(c)) != lowerNeedle[1]) continue;
      if (seconds < 2) second[seconds] = static_cast<unsigned char>(c);
      ++seconds;
    }
  }
  std::size_t i = from;
  if (seconds >= 1 && seconds <= 2) {
    using namespace byte_scan;
    const auto a1 = static_cast<unsigned char>(first), a2 = static_cast<unsigned char>(firstUpper);
    const unsigned char b1 = second[0], b2 = seconds == 2 ? second[1] : second[0];
    // A pair of letters that differ in bit 5 alone (the ASCII ones) is one compare with that bit set.
    const auto equalEither = [](std::uint64_t word, unsigned char x, unsigned char y) {
      if (x == y) return Equal(word, x);
      if ((x ^ y) == 0x20) return Equal(word | (kOnes * 0x20), x | 0x20);
      return Equal(word, x) | Equal(word, y);
    };
#ifdef __SSE2__
    // Sixteen places at a time, one bit per place.
    const auto either = [](__m128i v, unsigned char x, unsigned char y) {
      if (x == y) return _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(x)));
      if ((x ^ y) == 0x20) return _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(0x20)), _mm_set1_epi8(static_cast<char>(x | 0x20)));
      return _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(x))),
                          _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(y))));
    };
    for (; i + 17 <= text.size(); i += 16) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i + 1));
      auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(either(here, a1, a2), either(next, b1, b2))));
      for (; hits != 0; hits &= hits - 1) {
        const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(hits));
        if (at + m > text.size()) return std::string_view::npos;
        if (matchesAt(at)) return at;
      }
    }
#endif
    for (; i + 9 <= text.size(); i += 8) {
      const std::uint64_t here = Load(text.data() + i);
      const std::uint64_t next = Load(text.data() + i + 1);
      std::uint64_t hits = equalEither(here, a1, a2) & equalEither(next, b1, b2);
      for (; hits != 0; hits &= hits - 1) {
        const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
        if (at + m > text.size()) return std::string_view::npos;
        if (matchesAt(at)) return at;
      }
    }
  }
  for (; i + m <= text.size(); ++i)
    if (matchesAt(i)) return i;
  return std::string_view::npos;
}
