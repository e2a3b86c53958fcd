#include "editor/ForeignMarks.h"

#include <algorithm>

bool IsWideCharacter(char32_t cp) {
  return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF && cp != 0x303F) ||
         (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
         (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1F64F) ||
         (cp >= 0x1F680 && cp <= 0x1F6FF) || (cp >= 0x1F900 && cp <= 0x1F9FF) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

std::size_t CountMarkBytes(std::string_view text) {
  // A loop the compiler turns into vector compares: loading a document counts its whole text once. The
  // two reserved bytes differ in one bit, so one compare finds both.
  static_assert((kMarkByte | 0x02) == kWideMarkByte && (kWideMarkByte & 0x02) != 0);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    count += static_cast<std::size_t>((p[i] | 0x02) == static_cast<unsigned char>(kWideMarkByte));
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
