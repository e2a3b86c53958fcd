#include "app/CodePages.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/Utf8Conversion.h"
#include "app/Win1250Case.h"
#include "editor/ForeignMarks.h"

// Letters in the order Ą Ć Ę Ł Ń Ó Ś Ź Ż ą ć ę ł ń ó ś ź ż.
const std::array<TCodePage, 7> CodePageTable{{
    {"ascii", {'A', 'C', 'E', 'L', 'N', 'O', 'S', 'Z', 'Z', 'a', 'c', 'e', 'l', 'n', 'o', 's', 'z', 'z'}},
    {"iso-8859-2", {0xA1, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0xA6, 0xAC, 0xAF,
                    0xB1, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0xB6, 0xBC, 0xBF}},
    {"cp852", {0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0x8D, 0xBD,
               0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xAB, 0xBE}},
    {"mazovia", {0x8F, 0x95, 0x90, 0x9C, 0xA5, 0xA3, 0x98, 0xA0, 0xA1,
                 0x86, 0x8D, 0x91, 0x92, 0xA4, 0xA2, 0x9E, 0xA6, 0xA7}},
    {"windows-1250", {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF,
                      0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF}},
    {"win-1250", {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF,
                  0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF}},
    {"amigapl", {0xC2, 0xCA, 0xCB, 0xCE, 0xCF, 0xD3, 0xD4, 0xDA, 0xDB,
                 0xE2, 0xEA, 0xEB, 0xEE, 0xEF, 0xF3, 0xF4, 0xFA, 0xFB}},
}};

const std::array<TUtf8Letter, PolishLetterCount> Utf8Letters{{
    {0xEA, {0xC4, 0x99}}, {0xCA, {0xC4, 0x98}}, {0xF3, {0xC3, 0xB3}}, {0xD3, {0xC3, 0x93}},
    {0xB9, {0xC4, 0x85}}, {0xA5, {0xC4, 0x84}}, {0x9C, {0xC5, 0x9B}}, {0x8C, {0xC5, 0x9A}},
    {0xB3, {0xC5, 0x82}}, {0xA3, {0xC5, 0x81}}, {0xBF, {0xC5, 0xBC}}, {0xAF, {0xC5, 0xBB}},
    {0x9F, {0xC5, 0xBA}}, {0x8F, {0xC5, 0xB9}}, {0xE6, {0xC4, 0x87}}, {0xC6, {0xC4, 0x86}},
    {0xF1, {0xC5, 0x84}}, {0xD1, {0xC5, 0x83}},
}};

namespace {

constexpr std::size_t kWindowsRow = 4;

bool IsAsciiName(std::string_view lowerName) { return lowerName == "ascii"; }

}  // namespace

std::string LowerName(std::string_view name) { return Win1250Lower(name); }

bool IsUtf8Name(std::string_view name) {
  const std::string n = LowerName(name);
  return n == "utf-8" || n == "unicode";
}

const TCodePage& CodePageRow(std::string_view name) {
  const std::string n = LowerName(name);
  for (const TCodePage& row : CodePageTable)
    if (row.Name == n) return row;
  return CodePageTable[kWindowsRow];
}

TByteMap CodePageByteMap(std::string_view from, std::string_view to) {
  const TCodePage& source = CodePageRow(from);
  const TCodePage& target = CodePageRow(to);
  TByteMap map{};
  std::array<bool, 256> mapped{};  // source byte already has its image
  std::array<bool, 256> taken{};   // target byte already is an image
  for (std::size_t k = 0; k < PolishLetterCount; ++k) {
    map[source.Letters[k]] = target.Letters[k];
    mapped[source.Letters[k]] = true;
    taken[target.Letters[k]] = true;
  }
  if (&target == &CodePageTable[0]) {
    // Towards plain ASCII the letters merge with A-Z; everything else stays.
    for (int b = 0; b < 256; ++b)
      if (!mapped[b]) map[b] = static_cast<unsigned char>(b);
    return map;
  }
  std::vector<unsigned char> leftOver;
  for (int b = 0; b < 256; ++b) {
    if (mapped[b]) continue;
    if (!taken[b]) {
      map[b] = static_cast<unsigned char>(b);
      taken[b] = true;
    } else {
      leftOver.push_back(static_cast<unsigned char>(b));
    }
  }
  // The left-over sources and the still free targets are equally many; pairing both in byte order
  // makes the map from `to` back to `from` the exact inverse.
  std::size_t next = 0;
  for (int b = 0; b < 256 && next < leftOver.size(); ++b)
    if (!taken[b]) map[leftOver[next++]] = static_cast<unsigned char>(b);
  return map;
}

void ApplyByteMap(const TByteMap& map, std::string& text) {
  // Maps between code pages keep ASCII as it is: eight bytes without a high byte are left alone, and
  // only words holding one are written (unwritten, the bytes cost no more than reading them).
  bool asciiKept = true;
  for (std::size_t b = 0; b < 0x80 && asciiKept; ++b) asciiKept = map[b] == b;
  char* p = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
  if (asciiKept) {
    for (; i + 8 <= n; i += 8) {
      std::uint64_t word;
      std::memcpy(&word, p + i, 8);
      if ((word & 0x8080808080808080ull) == 0) continue;
      for (std::size_t k = 0; k < 8; ++k) p[i + k] = static_cast<char>(map[static_cast<unsigned char>(p[i + k])]);
    }
  }
  for (; i < n; ++i) p[i] = static_cast<char>(map[static_cast<unsigned char>(p[i])]);
}

namespace {

std::string MapBytes(const TByteMap& map, std::string_view text) {
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(map[static_cast<unsigned char>(text[i])]);
  return out;
}

}  // namespace

std::string ConvertCodePage(std::string_view text, std::string_view from, std::string_view to,
                            std::u32string_view marks) {
  const std::string source = LowerName(from);
  if (IsAsciiName(source)) return std::string(text);
  if (IsUtf8Name(source)) {
    if (IsUtf8Name(to)) {
      std::u32string fileMarks;
      const std::string win = Utf8ToWin(text, &fileMarks);
      return WinToUtf8(win, fileMarks);
    }
    std::string win = Utf8ToWin(text);
    ApplyByteMap(CodePageByteMap("win-1250", to), win);
    return win;
  }
  if (IsUtf8Name(to)) return WinToUtf8(MapBytes(CodePageByteMap(source, "win-1250"), text), marks);
  std::string out = MapBytes(CodePageByteMap(source, to), text);
  if (!marks.empty()) {
    // The reserved bytes keep their value in every byte map, so the marks are found in the result.
    std::size_t k = 0;
    for (char& c : out) {
      if (IsMarkByte(c) && k < marks.size() && marks[k++] != DefaultMark(c)) c = '?';
    }
  }
  return out;
}

std::string DecodeFromCodePage(std::string_view bytes, std::string_view codePage, std::u32string& marks) {
  std::string text(bytes);
  DecodeFromCodePageInPlace(text, codePage, marks);
  return text;
}

void DecodeFromCodePageInPlace(std::string& text, std::string_view codePage, std::u32string& marks) {
  marks.clear();
  if (IsUtf8Name(codePage)) {
    Utf8ToWinInPlace(text, &marks);
    return;
  }
  // As ConvertCodePage to Windows-1250 does it, without a second copy of the text.
  const std::string source = LowerName(codePage);
  if (IsAsciiName(source)) return;
  const TByteMap map = CodePageByteMap(source, "win-1250");
  bool identity = true;
  for (std::size_t b = 0; b < map.size() && identity; ++b) identity = map[b] == b;
  if (!identity) ApplyByteMap(map, text);
}

std::string DecodeEscapedLetters(std::string_view text) {
  auto hexValue = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  auto isEscapedLetter = [](unsigned char v) {
    const auto& iso = CodePageTable[1].Letters;
    const auto& cp852 = CodePageTable[2].Letters;
    return std::find(iso.begin(), iso.end(), v) != iso.end() ||
           std::find(cp852.begin(), cp852.end(), v) != cp852.end();
  };
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  // An escape is taken only when at least one character follows its last digit.
  while (i < text.size()) {
    if ((text[i] == '%' || text[i] == '=') && i + 3 < text.size()) {
      const int hi = hexValue(text[i + 1]);
      const int lo = hexValue(text[i + 2]);
      if (hi >= 0 && lo >= 0 && isEscapedLetter(static_cast<unsigned char>(hi * 16 + lo))) {
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 3;
        continue;
      }
    }
    out.push_back(text[i]);
    ++i;
  }
  return out;
}

std::string RemoveNationalCharacters(std::string_view text) {
  static const TByteMap map = CodePageByteMap("win-1250", "ascii");
  std::string out(text);
  ApplyByteMap(map, out);
  return out;
}
