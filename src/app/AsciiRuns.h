#pragma once
#include <cstdint>
#include <cstring>
#include <string_view>

// Most of a document is ASCII, which no conversion changes. These helpers let the byte loops step over
// ASCII eight bytes at a time.

// The index of the first byte at or after `from` that is 128 or above, or text.size().
inline std::size_t SkipAscii(std::string_view text, std::size_t from) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  std::size_t i = from;
  while (i + 8 <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word & kHighBits) break;
    i += 8;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

// The index of the first CR or LF at or after `from`, or text.size().
inline std::size_t FindLineEnd(std::string_view text, std::size_t from) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  const auto hasByte = [](std::uint64_t word, std::uint64_t value) {
    const std::uint64_t v = word ^ (kOnes * value);
    return ((v - kOnes) & ~v & kHighBits) != 0;
  };
  std::size_t i = from;
  while (i + 8 <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (hasByte(word, '\r') || hasByte(word, '\n')) break;
    i += 8;
  }
  while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
  return i;
}
