#pragma once
// Test helpers for the highlighters: building a line list from a source text and painting it the way the
// editor does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/LineStore.h"
#include "highlight/HighlighterFactory.h"
#include "highlight/THighLighter.h"

namespace hltest {

struct PaintedToken {
  int line = 0, column = 0;
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

struct Selection { int startColumn = 0, startLine = 0, endColumn = 0, endLine = 0; };

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

// Every character of lines top .. top+rows+2 (of `count`, read through `lineAt`) within columns
// left+1 .. left+1024 painted exactly once, in order; each with the attributes `flagsAt` gives, if given.
inline void ExpectTiled(const std::vector<PaintedToken>& tokens, const std::function<std::string_view(int)>& lineAt,
                        int count, int top, int rows, int left,
                        const std::function<TTokenFlags(int, int)>& flagsAt = nullptr) {
  std::size_t t = 0;
  for (int line = std::max(top, 0); line <= top + rows + 2 && line < count; ++line) {
    const std::string_view text = lineAt(line);
    const int last = std::min(static_cast<int>(text.size()), left + 1024);
    for (int column = std::max(left, 1); column <= last;) {
      ASSERT_LT(t, tokens.size()) << "line " << line << " column " << column << " not painted";
      const PaintedToken& tok = tokens[t++];
      ASSERT_EQ(tok.line, line);
      ASSERT_EQ(tok.column, column) << "line " << line;
      ASSERT_LE(column + static_cast<int>(tok.text.size()) - 1, last) << "token runs past the line or region";
      ASSERT_EQ(tok.text, text.substr(static_cast<std::size_t>(column - 1), tok.text.size()));
      for (int k = 0; flagsAt && k < static_cast<int>(tok.text.size()); ++k)
        ASSERT_EQ(tok.flags, flagsAt(line, column + k)) << "line " << line << " column " << column + k << " top " << top
                                                          << " left " << left;
      column += static_cast<int>(tok.text.size());
    }
  }
  EXPECT_EQ(t, tokens.size()) << "tokens outside the window";
}

// Per-character attributes of a scan of the whole text by a fresh highlighter, from its first line; with
// `starts`, also where its tokens begin.
inline std::vector<std::vector<TTokenFlags>> Attributes(TColorStyle style, const std::vector<std::string>& lines,
                                                        Selection sel = {},
                                                        std::vector<std::vector<bool>>* starts = nullptr) {
  LineStore store;
  Fill(store, lines);
  auto h = CreateHighlighter(false, style);
  h->Attach(&store);
  h->SetRegion(0, 0, 1 << 29, store.Count());
  h->SetSelection(sel.startColumn, sel.startLine, sel.endColumn, sel.endLine);
  h->Start();
  std::vector<std::vector<TTokenFlags>> out(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) out[i].assign(lines[i].size(), 0);
  if (starts) starts->assign(lines.size(), {});
  for (std::size_t i = 0; starts && i < lines.size(); ++i) (*starts)[i].assign(lines[i].size(), false);
  std::string token;
  while (!h->AtEnd()) {
    h->NextToken(token);
    if (token.empty() || h->TokenStartColumn > h->Lines->Length(h->TokenStartLine)) continue;
    if (starts) (*starts)[static_cast<std::size_t>(h->TokenStartLine)][static_cast<std::size_t>(h->TokenStartColumn - 1)] = true;
    for (std::size_t k = 0; k < token.size(); ++k)
      out[static_cast<std::size_t>(h->TokenStartLine)][static_cast<std::size_t>(h->TokenStartColumn - 1) + k] = h->GetAttributes();
  }
  return out;
}

}  // namespace hltest
