#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "editor/ByteScan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Sixty-four bytes at a time as bit masks (bit k for byte k), for the conversion loops: which bytes are
// above 127, which lead a two-byte UTF-8 sequence, which equal a given value. With SSE2 a mask is a
// compare and a move per 16 bytes; elsewhere the same masks come from 64-bit words. Both forms are
// always compiled, so the tests can hold the vector one to the plain one.

static_assert(std::endian::native == std::endian::little, "the plain masks read the first byte as the lowest");

struct Utf8Masks {
  std::uint64_t high = 0;   // 80..FF
  std::uint64_t lead2 = 0;  // C2..DF: the lead of a two-byte sequence (C0 and C1 only lead overlong forms)
};

namespace byte_masks_plain {

using byte_scan::kOnes;
inline constexpr std::uint64_t kHigh = byte_scan::kHighBits;
inline std::uint64_t Word(const char* p) { return byte_scan::Load(p); }

// The top bits of the eight bytes (every other bit clear) as eight bits: the multiplication moves the
// top bit of byte k to bit 56 + k, and no two partial products meet there.
inline std::uint64_t Gather(std::uint64_t tops) { return (((tops >> 7) & kOnes) * 0x0102040810204080ull) >> 56; }

// Top bit of each byte set where the byte is not zero (no carry crosses a byte).
inline std::uint64_t NonZero(std::uint64_t x) { return (((x & ~kHigh) + ~kHigh) | x) & kHigh; }

template <typename Tops>
std::uint64_t Mask64(const char* p, Tops tops) {
  std::uint64_t mask = 0;
  for (int word = 0; word < 8; ++word) mask |= Gather(tops(Word(p + 8 * word))) << (8 * word);
  return mask;
}

inline Utf8Masks Utf8Bytes(const char* p) {
  Utf8Masks m;
  m.high = Mask64(p, [](std::uint64_t x) { return x & kHigh; });
  // 110xxxxx, and not 1100000x.
  m.lead2 = Mask64(p, [](std::uint64_t x) { return x & (x << 1) & ~(x << 2) & NonZero(x & (kOnes * 0x1E)); });
  return m;
}

inline std::uint64_t EqualBytes(const char* p, unsigned char value, unsigned char ignoredBits) {
  return Mask64(p, [&](std::uint64_t x) {
    return ~NonZero((x | (kOnes * ignoredBits)) ^ (kOnes * (value | ignoredBits))) & kHigh;
  });
}

}  // namespace byte_masks_plain

inline Utf8Masks Utf8Masks64(const char* p) {
#if defined(__SSE2__)
  Utf8Masks m;
  for (int block = 0; block < 4; ++block) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
    // C2..DF moved to -128..-99 as signed bytes; everything else lands above.
    const __m128i lead2 = _mm_cmplt_epi8(_mm_add_epi8(v, _mm_set1_epi8(-0x42)), _mm_set1_epi8(-98));
    m.high |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(v))) << (16 * block);
    m.lead2 |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(lead2))) << (16 * block);
  }
  return m;
#else
  return byte_masks_plain::Utf8Bytes(p);
#endif
}

inline std::uint64_t HighMask64(const char* p) {
#if defined(__SSE2__)
  std::uint64_t mask = 0;
  for (int block = 0; block < 4; ++block) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
    mask |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(v))) << (16 * block);
  }
  return mask;
#else
  return byte_masks_plain::Mask64(p, [](std::uint64_t x) { return x & byte_masks_plain::kHigh; });
#endif
}

// Bytes b among the 64 at p with (b | ignoredBits) == (value | ignoredBits).
inline std::uint64_t EqualMask64(const char* p, unsigned char value, unsigned char ignoredBits = 0) {
#if defined(__SSE2__)
  const __m128i ignored = _mm_set1_epi8(static_cast<char>(ignoredBits));
  const __m128i wanted = _mm_set1_epi8(static_cast<char>(value | ignoredBits));
  std::uint64_t mask = 0;
  for (int block = 0; block < 4; ++block) {
    const __m128i v = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block)), ignored);
    const auto bits = static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, wanted)));
    mask |= static_cast<std::uint64_t>(bits) << (16 * block);
  }
  return mask;
#else
  return byte_masks_plain::EqualBytes(p, value, ignoredBits);
#endif
}

// How many bytes of the text are 80..FF.
inline std::size_t CountHighBytes(std::string_view text) {
  const char* p = text.data();
  const std::size_t n = text.size();
  std::size_t count = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  // Per-byte counters, which cannot overflow in 63 steps of four, summed by _mm_sad_epu8 between rounds.
  const auto high = [&](std::size_t at) {
    return _mm_cmplt_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at)), _mm_setzero_si128());
  };
  while (i + 64 <= n) {
    __m128i counters = _mm_setzero_si128();
    for (int step = 0; step < 63 && i + 64 <= n; ++step, i += 64) {
      const __m128i four = _mm_add_epi8(_mm_add_epi8(high(i), high(i + 16)), _mm_add_epi8(high(i + 32), high(i + 48)));
      counters = _mm_sub_epi8(counters, four);
    }
    const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
    count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
  }
#endif
  for (; i < n; ++i) count += static_cast<unsigned char>(p[i]) >> 7;
  return count;
}
