#include "app/CodePageDetection.h"

#include <algorithm>
#include <array>

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

  std::array<long, 5> counts{};
  long utf8 = 0;
  // Every byte counts, the last one too: a letter at the very end would otherwise be read in another
  // code page once the save has put anything after it.
  for (std::size_t i = SkipAscii(text, 0); i < text.size(); i = SkipAscii(text, i + 1)) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (i + 1 < text.size() && IsUtf8LetterPair(b, static_cast<unsigned char>(text[i + 1]))) {
      ++utf8;
      continue;
    }
    for (std::size_t c = 0; c < 5; ++c)
      if (letterOf[b] & (1U << c)) ++counts[c];
  }
  if (utf8 > 0) return "utf-8";
  for (std::size_t c = 0; c < 5; ++c) candidates[c].count = counts[c];
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.count > b.count; });
  if (candidates[0].count == 0 || candidates[0].count == candidates[1].count) return "windows-1250";
  return candidates[0].name;
}
