#include "app/CodePageDetection.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/AsciiRuns.h"
#include "app/CodePages.h"
#include "app/Utf8Conversion.h"

namespace {

struct Candidate {
  const char* name;
  std::size_t row;  // in CodePageTable; unused for UTF-8
  long count = 0;
};

bool IsUtf8LetterPair(unsigned char first, unsigned char second) {
  if (first < 0xC3 || first > 0xC5) return false;
  for (const TUtf8Letter& l : Utf8Letters)
    if (l.Utf8[0] == first && l.Utf8[1] == second) return true;
  return false;
}

}  // namespace

std::string DetectCodePage(std::string_view text) {
  // A well-formed UTF-8 text with characters beyond the Polish letters (typographic quotes, ©) would
  // otherwise be counted as one of the 8-bit code pages, whose letters share those byte values.
  if (LooksLikeUtf8(text)) return "utf-8";

  // Candidates in the order that breaks ties.
  std::array<Candidate, 6> candidates{{{"windows-1250", 4}, {"iso-8859-2", 1}, {"mazovia", 3},
                                       {"cp852", 2}, {"amigapl", 6}, {"utf-8", 0}}};
  // Which 8-bit candidates count each byte as a letter, as a bit set.
  std::array<unsigned, 256> letterOf{};
  for (std::size_t c = 0; c < 5; ++c)
    for (unsigned char b : CodePageTable[candidates[c].row].Letters) letterOf[b] |= 1U << c;

  // How often each byte occurs, in one pass without a branch per byte (four tables, so that a run of
  // one byte value does not wait on its own counter). Every byte counts, the last one too: a letter at
  // the very end would otherwise be read in another code page once the save has put anything after it.
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::array<std::array<std::uint64_t, 256>, 4> seen{};
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    ++seen[0][bytes[i]];
    ++seen[1][bytes[i + 1]];
    ++seen[2][bytes[i + 2]];
    ++seen[3][bytes[i + 3]];
  }
  for (; i < n; ++i) ++seen[0][bytes[i]];
  // A UTF-8 Polish letter (C3..C5 and a second byte) makes the text UTF-8, whatever else it holds; only
  // a text with one of those lead bytes is searched for one.
  for (unsigned lead = 0xC3; lead <= 0xC5; ++lead) {
    if (seen[0][lead] + seen[1][lead] + seen[2][lead] + seen[3][lead] == 0) continue;
    for (std::size_t k = 0; k + 1 < n; ++k)
      if (IsUtf8LetterPair(bytes[k], bytes[k + 1])) return "utf-8";
    break;
  }
  std::array<long, 5> counts{};
  for (unsigned b = 0x80; b < 256; ++b) {
    const auto times = static_cast<long>(seen[0][b] + seen[1][b] + seen[2][b] + seen[3][b]);
    for (std::size_t c = 0; c < 5; ++c)
      if (letterOf[b] & (1U << c)) counts[c] += times;
  }
  for (std::size_t c = 0; c < 5; ++c) candidates[c].count = counts[c];
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.count > b.count; });
  if (candidates[0].count == 0 || candidates[0].count == candidates[1].count) return "windows-1250";
  return candidates[0].name;
}
