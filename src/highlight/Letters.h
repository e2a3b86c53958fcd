#pragma once
#include <array>

// The characters that make up words in every highlighter: A-Z, a-z and the Polish letters of
// Windows-1250. Word characters add the digits.
namespace letters_detail {
constexpr std::array<bool, 256> MakeLetterTable() {
  std::array<bool, 256> t{};
  for (int c = 'A'; c <= 'Z'; ++c) t[static_cast<unsigned>(c)] = true;
  for (int c = 'a'; c <= 'z'; ++c) t[static_cast<unsigned>(c)] = true;
  for (int c : {140, 143, 156, 159, 163, 165, 175, 179, 185, 191, 198, 202, 209, 211, 230, 234, 241, 243})
    t[static_cast<unsigned>(c)] = true;
  return t;
}
constexpr std::array<bool, 256> MakeWordCharTable() {
  std::array<bool, 256> t = MakeLetterTable();
  for (int c = '0'; c <= '9'; ++c) t[static_cast<unsigned>(c)] = true;
  return t;
}
}  // namespace letters_detail

inline constexpr std::array<bool, 256> LetterTable = letters_detail::MakeLetterTable();
inline constexpr std::array<bool, 256> WordCharTable = letters_detail::MakeWordCharTable();

constexpr bool IsLetter(unsigned char c) { return LetterTable[c]; }
constexpr bool IsWordChar(unsigned char c) { return WordCharTable[c]; }
constexpr bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
