#include "search/TextSearch.h"

#include <array>
#include <cstring>
#include <string>

#include "app/Win1250Case.h"

namespace {

using FoldTable = std::array<unsigned char, 256>;

const FoldTable& Fold() {
  static const FoldTable table = [] {
    FoldTable t{};
    for (int b = 0; b < 256; ++b)
      t[static_cast<std::size_t>(b)] = static_cast<unsigned char>(Win1250Lower(static_cast<char>(b)));
    return t;
  }();
  return table;
}

unsigned char At(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Horspool over folded bytes: the shift is looked up by the folded last byte of the window, so the
// text itself is never copied or lowered.
std::size_t ForwardNoCase(std::string_view text, std::string_view needle, std::size_t from) {
  const FoldTable& fold = Fold();
  const std::size_t m = needle.size();
  std::string folded(m, '\0');
  for (std::size_t k = 0; k < m; ++k) folded[k] = static_cast<char>(fold[At(needle, k)]);
  std::array<std::size_t, 256> shift;
  shift.fill(m);
  for (std::size_t k = 0; k + 1 < m; ++k) shift[At(folded, k)] = m - 1 - k;
  const unsigned char lastFolded = At(folded, m - 1);
  for (std::size_t i = from; i + m <= text.size();) {
    const unsigned char last = fold[At(text, i + m - 1)];
    if (last == lastFolded) {
      std::size_t k = 0;
      while (k + 1 < m && fold[At(text, i + k)] == At(folded, k)) ++k;
      if (k + 1 == m) return i;
    }
    i += shift[last];
  }
  return std::string_view::npos;
}

}  // namespace

std::size_t SearchForward(std::string_view text, std::string_view needle, std::size_t from, bool matchCase) {
  if (needle.empty() || from > text.size() || needle.size() > text.size() - from) return std::string_view::npos;
  if (!matchCase) return ForwardNoCase(text, needle, from);
  const void* hit = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
  return hit == nullptr ? std::string_view::npos : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

std::size_t SearchBackward(std::string_view text, std::string_view needle, std::size_t before, bool matchCase) {
  if (needle.empty() || before > text.size() || needle.size() > before) return std::string_view::npos;
  if (matchCase) return text.rfind(needle, before - needle.size());
  const FoldTable& fold = Fold();
  for (std::size_t i = before - needle.size() + 1; i-- > 0;) {
    std::size_t k = 0;
    while (k < needle.size() && fold[At(text, i + k)] == fold[At(needle, k)]) ++k;
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}
