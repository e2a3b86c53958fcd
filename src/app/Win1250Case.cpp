#include "app/Win1250Case.h"

#include <array>
#include <cstdint>

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
  const char first = lowerNeedle[0];
  const char firstUpper = Win1250Upper(first);
  for (std::size_t i = from; i + lowerNeedle.size() <= text.size(); ++i) {
    // Tags start with "<", which has no case: let find() race to it.
    if (first == firstUpper) {
      i = text.find(first, i);
      if (i == std::string_view::npos || i + lowerNeedle.size() > text.size()) return std::string_view::npos;
    } else if (text[i] != first && text[i] != firstUpper) {
      continue;
    }
    std::size_t k = 1;
    while (k < lowerNeedle.size() && Win1250Lower(text[i + k]) == lowerNeedle[k]) ++k;
    if (k == lowerNeedle.size()) return i;
  }
  return std::string_view::npos;
}
