#pragma once
// Test helpers for the highlighters: building a line list from a source text and painting it the way the
// editor does.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "editor/LineStore.h"
#include "highlight/THighLighter.h"

namespace hltest {

struct PaintedToken {
  int line = 0;
  int column = 0;
  TTokenFlags flags = 0;
  std::uint8_t kind = 0;
  std::string text;
  bool operator==(const PaintedToken&) const = default;
};

// Splits at CR LF or LF, as a loaded document is split into lines.
inline std::vector<std::string> SplitLines(std::string_view source) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n') continue;
    if (source[i] == '\n') {
      lines.emplace_back();
      continue;
    }
    lines.back().push_back(source[i]);
  }
  return lines;
}

inline void Fill(LineStore& store, const std::vector<std::string>& lines) {
  store.Clear();
  std::vector<std::string_view> views(lines.begin(), lines.end());
  store.InsertLines(0, views);
}

struct Selection {
  int startColumn = 0, startLine = 0, endColumn = 0, endLine = 0;
};

// One paint: region as the editor sets it, then Start and NextToken until the end or past the bottom.
// Line-end tokens ("\0" just after the last character) are dropped, as the painter draws nothing for
// them. Fails (returns false) when the loop does not end within a generous bound.
inline bool Paint(THighLighter& h, int top, int rows, std::vector<PaintedToken>& out, int left = 0,
                  Selection sel = {}) {
  out.clear();
  h.SetRegion(left, top, left + 1024, top + rows + 2);
  h.SetSelection(sel.startColumn, sel.startLine, sel.endColumn, sel.endLine);
  h.Start();
  long budget = 64;
  for (int i = std::max(top, 0); i <= top + rows + 2 && i < h.Lines->Count(); ++i) budget += 2L * (h.Lines->Length(i) + 2);
  std::string token;
  while (!h.AtEnd()) {
    if (--budget < 0) return false;
    h.NextToken(token);
    const bool lineEnd = token == std::string(1, '\0') && h.TokenStartColumn == h.Lines->Length(h.TokenStartLine) + 1;
    if (!token.empty() && !lineEnd)
      out.push_back({h.TokenStartLine, h.TokenStartColumn, h.GetAttributes(), h.GetKind(), token});
    if (h.ScanLine > h.BottomLine) break;
  }
  return true;
}

inline std::string Hex(unsigned v) {
  std::ostringstream s;
  s << std::hex << v;
  return s.str();
}

}  // namespace hltest
