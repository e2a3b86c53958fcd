// Word wrap: long document lines kept as several stored lines joined by soft breaks.
#include <algorithm>
#include <deque>

#include "editor/PrefixSearch.h"
#include "editor/TQuillEditor.h"
#include "highlight/Letters.h"
#include "highlight/THighLighter.h"
#include "platform/EditorHost.h"

bool TQuillEditor::TooWide(std::string_view s) {
  if (static_cast<int>(s.size()) > visibleColumns_ + 50) return true;
  if (!HasWindow()) return false;
  return TextWidth(s) > host_->ClientWidth() - GutterWidth;
}

int TQuillEditor::FirstPieceLength(std::string_view rest, int cap) {
  if (!TooWide(rest)) return 0;
  // Nothing longer than visibleColumns_ + 50 fits, so the search need not look further: a piece's cut
  // depends only on the bytes at its start, which is what lets a re-flow stop early (RewrapLine).
  int n = std::min(static_cast<int>(rest.size()), visibleColumns_ + 51);
  if (cap > 0) n = std::min(n, cap);
  n = LongestFitting(n, [&](int k) { return !TooWide(rest.substr(0, static_cast<std::size_t>(k))); });
  const int fits = n;
  // Break after the last non-letter that fits; a word wider than the area is cut two short.
  while (n > 0 && IsLetter(static_cast<unsigned char>(rest[static_cast<std::size_t>(n - 1)]))) --n;
  if (n == 0) n = fits - 2;
  // A very narrow window must still make progress.
  return std::clamp(n, 1, static_cast<int>(rest.size()));
}

std::vector<std::string> TQuillEditor::CutIntoPieces(std::string_view s, int cap) {
  std::vector<std::string> pieces;
  std::size_t pos = 0;  // start of what is left of s
  while (pos < s.size()) {
    const int n = FirstPieceLength(s.substr(pos), cap);
    if (n == 0) break;
    pieces.emplace_back(s.substr(pos, static_cast<std::size_t>(n)));
    pos += static_cast<std::size_t>(n);
  }
  if (pos < s.size()) pieces.emplace_back(s.substr(pos));
  return pieces;
}

void TQuillEditor::InsertPieces(int at, const std::vector<std::string>& pieces, std::uint8_t lastFlag) {
  // All at once: a very long line is cut into many thousands of pieces.
  const std::vector<std::string_view> views(pieces.begin(), pieces.end());
  lines_.InsertWithRecords(at, views, TStringParams{1, 0});
  if (!pieces.empty() && lastFlag != 1) lines_.SetLineFlag(at + static_cast<int>(pieces.size()) - 1, lastFlag);
}

void TQuillEditor::SetWrapScrollRange() {
  if (HasWindow()) host_->SetScrollRange(EditorHost::Bar::Vertical, 0, std::max(1, lines_.Count() - 1));
}

void TQuillEditor::WrapAll() {
  // Line numbers change everywhere, so every stored highlighter state is stale.
  highlighter_->InvalidateAll();
  highlighter_->MarkStaleFrom(0);
  const std::string blanks(static_cast<std::size_t>(std::max(tabSize_, 0)), ' ');
  for (int i = 0; i < lines_.Count(); ++i) {
    std::string_view line = lines_.Line(i);
    if (line.find('\t') != std::string_view::npos) {
      std::string expanded;
      for (char ch : line) {
        if (ch == '\t') expanded += blanks; else expanded += ch;
      }
      lines_.SetLine(i, expanded);
      line = lines_.Line(i);
    }
    if (!TooWide(line)) continue;
    const std::vector<std::string> pieces = CutIntoPieces(line, 300);
    const TStringParams last = lines_.Params(i);
    lines_.Delete(i);
    // The last piece keeps a soft break the line already had (a piece of an unfinished re-flow).
    InsertPieces(i, pieces, last.LineFlag);
    i += static_cast<int>(pieces.size()) - 1;
  }
  SetWrapScrollRange();
}

void TQuillEditor::UnwrapAll() {
  highlighter_->InvalidateAll();
  highlighter_->MarkStaleFrom(0);
  for (int i = 0; i < lines_.Count(); ++i) {
    int j = i;
    while (lines_.LineFlag(j) == 1 && j + 1 < lines_.Count()) ++j;
    if (j == i) continue;
    // Join the whole paragraph at once; joining piece by piece would copy it once per piece.
    std::string joined;
    for (int k = i; k <= j; ++k) joined += lines_.Line(k);
    const TStringParams tail = lines_.Params(j);
    const bool tailHasRecord = lines_.HasRecord(j);
    lines_.SetLine(i, joined);
    lines_.SetParams(i, TStringParams{tailHasRecord ? tail.LineFlag : std::uint8_t{0}, tail.StartState});
    lines_.DeleteRange(i + 1, j);
  }
  SetWrapScrollRange();
}

int TQuillEditor::RewrapLine(int line, int changedThrough) {
  if (line < 0 || line >= lines_.Count()) return 0;
  highlighter_->MarkStaleFrom(CurrentLine() - 2);
  if (lines_.HasRecord(line)) lines_.SetStartState(line, 0);
  // An empty piece that still continues on the next line is joined like any other.
  if (lines_.Line(line).empty() && lines_.LineFlag(line) == 0) return 0;
  // The pieces from `line` to the end of its document line are cut again, reading the stored pieces only
  // as far as the cutting needs. A piece's cut depends only on the text from its start, so once a new
  // piece ends where an unchanged old piece begins, the old pieces from there on are what the cutting
  // would make again: they stay, and a key in a long wrapped line costs what its neighbourhood costs.
  const int count = lines_.Count();
  const std::size_t window = static_cast<std::size_t>(std::max(visibleColumns_, 0)) + 51;
  std::string text;             // the old pieces read so far, from paragraph offset `base` on
  std::size_t base = 0, read = 0, pos = 0;  // paragraph offsets: of text[0], of its end, of the next cut
  std::deque<std::pair<std::size_t, int>> starts;  // where unchanged non-empty old pieces begin
  int next = line;  // the next old piece to read
  bool ended = false;
  int stopAt = -1;  // the old piece the new pieces run into, if they do
  std::vector<std::string> pieces;
  for (;;) {
    while (!ended && read - pos < window) {
      const std::string_view piece = lines_.Line(next);
      if (next > changedThrough && !piece.empty()) starts.emplace_back(read, next);
      text += piece;
      read += piece.size();
      ended = lines_.LineFlag(next) != 1 || next + 1 >= count;
      ++next;
    }
    while (!starts.empty() && starts.front().first < pos) starts.pop_front();
    if (!pieces.empty() && !starts.empty() && starts.front().first == pos) {
      stopAt = starts.front().second;
      break;
    }
    const std::string_view rest = std::string_view(text).substr(pos - base);
    const int n = FirstPieceLength(rest, 0);
    if (n == 0) {
      // A document line emptied by an edit is still a line: its hard break must stay.
      if (!rest.empty() || pieces.empty()) pieces.emplace_back(rest);
      break;
    }
    pieces.emplace_back(rest.substr(0, static_cast<std::size_t>(n)));
    pos += static_cast<std::size_t>(n);
    // What was cut is let go now and then: the text kept stays within a few windows.
    if (pos - base > window) {
      text.erase(0, pos - base);
      base = pos;
    }
  }
  // Without a meeting point the pieces reach the end of the document line, and the last one takes over
  // its break; a soft break on the last stored line has nothing to continue into.
  const int lastOld = stopAt >= 0 ? stopAt - 1 : next - 1;
  const std::uint8_t lastFlag = stopAt >= 0 ? std::uint8_t{1} : next < count ? lines_.LineFlag(next - 1) : std::uint8_t{0};
  lines_.DeleteRange(line, lastOld);
  InsertPieces(line, pieces, lastFlag);
  SetWrapScrollRange();
  return static_cast<int>(pieces.size()) - 1 + lastFlag;
}

void TQuillEditor::ReflowAfterInsert(int line, int last) {
  if (!(wordWrapEffective_ || lines_.LineFlag(line) == 1)) return;
  // Each call re-flows a whole document line from the given piece on; the pieces it makes need no
  // second pass, so the walk jumps over them to the next document line the insertion touched.
  int added = 0;
  for (int i = line; i <= last + added && i < lines_.Count();) {
    const int k = RewrapLine(i, i);
    added += k;
    i += k + 1;
  }
}

void TQuillEditor::CheckRewrap() {
  const int width = HasWindow() ? host_->ClientWidth() : 0;
  if (width == rewrapWidth_ && font_.Size == rewrapFontSize_ && font_.Name == rewrapFontName_ &&
      visibleColumns_ == rewrapColumns_) {
    return;
  }
  if (wordWrapEffective_) {
    // Offsets do not count soft breaks, so they name the same text before and after the re-wrap.
    const int anchor = ClampedOffset(selAnchor_), end = ClampedOffset(selEnd_);
    UnwrapAll();
    WrapAll();
    PlaceSelection(anchor, end);
  }
  rewrapWidth_ = width;
  rewrapFontSize_ = font_.Size;
  rewrapFontName_ = font_.Name;
  rewrapColumns_ = visibleColumns_;
}

void TQuillEditor::SetWordWrap(bool v) {
  wordWrapRequested_ = v;
  RecalcMetrics();
  if (visibleColumns_ < 1 || v == wordWrapEffective_) return;
  wordWrapEffective_ = v;
  if (v) WrapAll(); else UnwrapAll();
  view_.SetLeftCol(0);
  SetSelStart(0);
  if (OnWordWrapChange) OnWordWrapChange(v);
}
