#include "editor/ForeignMarks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

bool IsWideCharacter(char32_t cp) {
  return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF && cp != 0x303F) ||
         (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
         (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1F64F) ||
         (cp >= 0x1F680 && cp <= 0x1F6FF) || (cp >= 0x1F900 && cp <= 0x1F9FF) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

namespace {

// Bit 7 of every byte of `word` that equals `value` (exact: no borrow runs between bytes).
std::uint64_t BytesEqual(std::uint64_t word, unsigned char value) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  const std::uint64_t v = word ^ (0x0101010101010101ull * value);
  return ~(((v & kLow7) + kLow7) | v | kLow7);
}

}  // namespace

std::size_t CountMarkBytes(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  std::size_t count = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if ((word & kHighBits) == 0) continue;
    count += static_cast<std::size_t>(std::popcount(BytesEqual(word, static_cast<unsigned char>(kMarkByte)) |
                                                    BytesEqual(word, static_cast<unsigned char>(kWideMarkByte))));
  }
  for (; i < text.size(); ++i) count += IsMarkByte(text[i]) ? 1 : 0;
  return count;
}

std::u32string FitMarks(std::string_view text, std::u32string_view marks) {
  std::u32string out;
  if (marks.empty() && CountMarkBytes(text) == 0) return out;
  for (char c : text) {
    if (!IsMarkByte(c)) continue;
    out.push_back(out.size() < marks.size() ? marks[out.size()] : DefaultMark(c));
  }
  return out;
}

std::u32string InheritMarks(std::string_view oldText, std::u32string_view oldMarks, std::string_view newText) {
  const std::size_t newCount = CountMarkBytes(newText);
  if (newCount == 0) return {};
  const std::u32string old = FitMarks(oldText, oldMarks);
  const std::size_t shorter = std::min(oldText.size(), newText.size());
  const std::size_t prefix =
      static_cast<std::size_t>(std::mismatch(oldText.begin(), oldText.begin() + static_cast<std::ptrdiff_t>(shorter),
                                             newText.begin())
                                   .first -
                               oldText.begin());
  std::size_t suffix = 0;
  while (suffix < shorter - prefix && oldText[oldText.size() - 1 - suffix] == newText[newText.size() - 1 - suffix])
    ++suffix;
  const std::size_t head = CountMarkBytes(newText.substr(0, prefix));
  const std::size_t tail = CountMarkBytes(newText.substr(newText.size() - suffix));
  const std::size_t oldMiddle = old.size() - head - tail;

  std::u32string out(old, 0, head);
  out.reserve(newCount);
  std::size_t taken = 0;
  for (char c : newText.substr(prefix, newText.size() - suffix - prefix)) {
    if (!IsMarkByte(c)) continue;
    out.push_back(taken < oldMiddle ? old[head + taken] : DefaultMark(c));
    ++taken;
  }
  out.append(old, old.size() - tail, tail);
  return out;
}
