#include "app/Utf8Conversion.h"

#include <array>
#include <vector>

#include "app/AsciiRuns.h"
#include "app/CodePages.h"
#include "app/Win1250Unicode.h"

namespace {

// Windows-1250 byte of the letter whose UTF-8 form is (C3..C5, second byte), or 0.
struct LetterPairs {
  std::array<unsigned char, 3 * 64> win{};
};

const LetterPairs& Pairs() {
  static const LetterPairs pairs = [] {
    LetterPairs p;
    for (const TUtf8Letter& l : Utf8Letters) p.win[(l.Utf8[0] - 0xC3) * 64 + (l.Utf8[1] - 0x80)] = l.Win;
    return p;
  }();
  return pairs;
}

unsigned char LetterOfPair(unsigned char first, unsigned char second) {
  if (first < 0xC3 || first > 0xC5 || second < 0x80 || second > 0xBF) return 0;
  return Pairs().win[(first - 0xC3) * 64 + (second - 0x80)];
}

bool IsWinPolishLetter(unsigned char b) {
  const auto& row = CodePageTable[4].Letters;
  for (unsigned char l : row)
    if (l == b) return true;
  return false;
}

}  // namespace

std::string Utf8ToWin(std::string_view text, TUtf8Memory* memory) {
  std::string out;
  out.reserve(text.size());
  std::vector<std::size_t> realStarts;
  if (memory) *memory = TUtf8Memory{};
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      const std::size_t end = SkipAscii(text, i);
      out.append(text.substr(i, end - i));
      i = end;
      continue;
    }
    const std::size_t len = Utf8SequenceLength(text, i);
    if (len == 2) {
      if (const unsigned char letter = LetterOfPair(b, static_cast<unsigned char>(text[i + 1]))) {
        out.push_back(static_cast<char>(letter));
        i += 2;
        continue;
      }
    }
    if (len == 0) {
      out.push_back(text[i++]);  // a malformed byte stays as it is
      continue;
    }
    if (memory) {
      realStarts.push_back(out.size());
      memory->Remember(text.substr(i, len));
    }
    out.append(text.substr(i, len));
    i += len;
  }
  if (memory) memory->Seal(out, realStarts);
  return out;
}

std::string WinToUtf8(std::string_view text, const TUtf8Memory& memory) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  TUtf8Memory::Writer writer(memory, text);
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      const std::size_t end = SkipAscii(text, i);
      out.append(text.substr(i, end - i));
      i = end;
      continue;
    }
    if (const std::size_t len = memory.MatchAt(text, i); len > 0 && writer.IsRemembered(text, i, len)) {
      out.append(text.substr(i, len));
      i += len;
      continue;
    }
    AppendWin1250AsUtf8(out, text[i++]);
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
