#pragma once
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Whole-document scans eight bytes at a time. Loading a document runs several of them over every byte,
// so each must cost well under a cycle a byte, with no work per line.

namespace byte_scan {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
inline constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;

inline std::uint64_t Load(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

// 0x80 in every byte of the word that equals c, 0 in every other (exact: no false hits next to a hit).
inline std::uint64_t Equal(std::uint64_t word, unsigned char c) {
  const std::uint64_t x = word ^ (kOnes * c);
  return ~(((x & kLowBits) + kLowBits) | x) & kHighBits;
}

}  // namespace byte_scan

// How many bytes of the text equal c.
inline std::size_t CountByte(std::string_view text, char c) {
  using namespace byte_scan;
  const auto b = static_cast<unsigned char>(c);
  std::size_t count = 0;
  std::size_t i = 0;
#ifdef __SSE2__
  // Sixteen bytes at a time: each compare adds one (minus -1) to sixteen byte counters, summed into two
  // 64-bit ones before any can pass 255.
  const __m128i needle = _mm_set1_epi8(static_cast<char>(b));
  while (i + 16 <= text.size()) {
    __m128i counters = _mm_setzero_si128();
    for (int k = 0; k < 255 && i + 16 <= text.size(); ++k, i += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
      counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(v, needle));
    }
    const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
    count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
  }
#endif
  // The hits as ones in the bytes' low bits, summed by one multiplication (the machine's baseline has
  // no population count).
  for (; i + 8 <= text.size(); i += 8) count += static_cast<std::size_t>(((Equal(Load(text.data() + i), b) >> 7) * kOnes) >> 56);
  for (; i < text.size(); ++i) count += text[i] == c ? 1 : 0;
  return count;
}

// True when every CR of the text is followed by an LF and every LF follows a CR: its line breaks are all
// CR LF pairs.
inline bool OnlyCrLfBreaks(std::string_view text) {
  using namespace byte_scan;
  static_assert(std::endian::native == std::endian::little, "the first byte of a word is its lowest");
  // Each word's LF bytes must be exactly its CR bytes moved one byte on; a CR in a word's last byte
  // carries into the next word's first.
  std::uint64_t carry = 0;
  std::uint64_t wrong = 0;
  std::size_t i = 0;
#ifdef __SSE2__
  // The same with one bit per byte, thirty-two bytes at a time.
  {
    const __m128i crs = _mm_set1_epi8('\r'), lfs = _mm_set1_epi8('\n');
    const auto bits = [](const char* p, __m128i which) {
      const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
      return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, which)))) |
             static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, which)))) << 16;
    };
    std::uint64_t bitCarry = 0, bitWrong = 0;
    for (; i + 32 <= text.size(); i += 32) {
      const std::uint64_t cr = bits(text.data() + i, crs);
      bitWrong |= bits(text.data() + i, lfs) ^ (((cr << 1) | bitCarry) & 0xFFFFFFFFu);
      bitCarry = cr >> 31;
      if ((i & 4095) == 0 && bitWrong != 0) return false;
    }
    if (bitWrong != 0) return false;
    carry = bitCarry << 7;  // the word loop's form: a high bit
  }
#endif
  for (; i + 8 <= text.size(); i += 8) {
    const std::uint64_t word = Load(text.data() + i);
    const std::uint64_t cr = Equal(word, '\r');
    wrong |= Equal(word, '\n') ^ ((cr << 8) | carry);
    carry = cr >> 56;
    // Checked once in a while only: a text with lone breaks is the rare case.
    if ((i & 4095) == 0 && wrong != 0) return false;
  }
  if (wrong != 0) return false;
  bool afterCr = carry != 0;
  for (; i < text.size(); ++i) {
    if ((text[i] == '\n') != afterCr) return false;
    afterCr = text[i] == '\r';
  }
  return !afterCr;
}
