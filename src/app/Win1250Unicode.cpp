#include "app/Win1250Unicode.h"

#include <array>
#include <cstdint>
#include <unordered_map>

#include "editor/ForeignMarks.h"

namespace {

// Code points of the bytes 80..FF.
constexpr std::array<char16_t, 128> kHigh{
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The UTF-8 forms of all 256 bytes, built once: saving a UTF-8 document and drawing convert every
// byte, so the per-byte work is one table read and a short copy.
struct Utf8Forms {
  std::array<std::array<char, 3>, 256> bytes{};
  std::array<std::uint8_t, 256> size{};
};

const Utf8Forms& Forms() {
  static const Utf8Forms forms = [] {
    Utf8Forms f;
    for (int b = 0; b < 256; ++b) {
      std::string s;
      AppendUtf8(s, Win1250ToUnicode(static_cast<char>(b)));
      f.size[b] = static_cast<std::uint8_t>(s.size());
      for (std::size_t i = 0; i < s.size(); ++i) f.bytes[b][i] = s[i];
    }
    return f;
  }();
  return forms;
}

const std::unordered_map<char32_t, char>& ReverseTable() {
  static const std::unordered_map<char32_t, char> table = [] {
    std::unordered_map<char32_t, char> t;
    for (int b = 0x80; b < 256; ++b) t.emplace(kHigh[b - 0x80], static_cast<char>(b));
    return t;
  }();
  return table;
}

unsigned Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

char32_t DecodeAt(std::string_view text, std::size_t pos, std::size_t len) {
  const unsigned lead = Byte(text, pos);
  char32_t cp = len == 1 ? lead : len == 2 ? (lead & 0x1F) : len == 3 ? (lead & 0x0F) : (lead & 0x07);
  for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (Byte(text, pos + k) & 0x3F);
  return cp;
}

}  // namespace

char32_t Win1250ToUnicode(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x80 ? b : kHigh[b - 0x80];
}

void AppendWin1250AsUtf8(std::string& out, char c) {
  const auto b = static_cast<unsigned char>(c);
  const Utf8Forms& f = Forms();
  out.append(f.bytes[b].data(), f.size[b]);
}

std::string Win1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x80)
      out.push_back(c);
    else
      AppendWin1250AsUtf8(out, c);
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string Utf8ToWin1250(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  const auto& reverse = ReverseTable();
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t len = Utf8SequenceLength(utf8, i);
    if (len == 0) {
      out.push_back(replacement);
      ++i;
      continue;
    }
    if (len == 1) {
      out.push_back(utf8[i]);
    } else {
      const auto it = reverse.find(DecodeAt(utf8, i, len));
      out.push_back(it == reverse.end() ? replacement : it->second);
    }
    i += len;
  }
  return out;
}

std::u32string MarkedToUnicode(std::string_view text, std::u32string_view marks) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t k = 0;
  for (char c : text) {
    if (IsMarkByte(c)) {
      out.push_back(k < marks.size() ? marks[k] : DefaultMark(c));
      ++k;
    } else {
      out.push_back(Win1250ToUnicode(c));
    }
  }
  return out;
}

std::string UnicodeToMarked(std::u32string_view text, std::u32string& marks) {
  const auto& reverse = ReverseTable();
  std::string out;
  out.reserve(text.size());
  marks.clear();
  for (char32_t cp : text) {
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    if (const auto it = reverse.find(cp); it != reverse.end() && !IsMarkByte(it->second)) {
      out.push_back(it->second);
      continue;
    }
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
    out.push_back(MarkByteFor(cp));
    marks.push_back(cp);
  }
  return out;
}
