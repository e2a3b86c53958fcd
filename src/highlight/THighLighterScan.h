#pragma once
// The scanning templates of THighLighter, included by the highlighter classes' own sources so that each
// class's transition function is inlined into them.
#include <algorithm>
#include <chrono>

#include "editor/LineStoreVisit.h"
#include "highlight/LineStateWorker.h"
#include "highlight/THighLighter.h"

namespace highlighter_detail {
// A NUL byte inside a line is an ordinary character; the transition functions reserve 0 for line ends.
constexpr unsigned char NulStandIn = 0x01;
}  // namespace highlighter_detail

template <class StepFn>
unsigned char THighLighter::Advance(StepFn& step) {
  const bool again = pending_ && ScanLine == pendingLine_ && ScanColumn == pendingColumn_;
  pending_ = false;
  const unsigned char c = ReadChar();
  if (again) return c;
  if (EndOfLine) {
    State = step(static_cast<unsigned char>(0), State);
    MarkLineEndSelection(EndOfText ? ScanLine : ScanLine - 1);
    if (!EndOfText) RecordLineStart(ScanLine);
  } else {
    State = step(c == 0 ? highlighter_detail::NulStandIn : c, State);
  }
  return c;
}

template <class StepFn, class SkipFn>
void THighLighter::StepBytes(StepFn& step, SkipFn& skip, int line, std::size_t from, std::size_t to,
                             TTokenFlags* states) {
  if (scanText_.index != line) scanText_ = {line, LineView(line)};
  const std::string_view text = scanText_.text.substr(0, to);
  ScanLine = line;
  std::size_t i = from;
  while (i < text.size()) {
    const std::size_t j = skip(text, i);
    if (j > i) {
      PrevLine = line;
      PrevColumn = static_cast<int>(j);
      // The selection mark is the one stepping the last byte skipped would have left.
      Selected = IsSelected(PrevColumn, line);
      State = Selected ? (State | tfSelected) : (State & ~tfSelected);
      if (states) std::fill(states + i, states + j, State);
      i = j;
      if (i >= text.size()) break;
    }
    PrevLine = line;
    PrevColumn = static_cast<int>(i) + 1;
    ScanColumn = PrevColumn + 1;
    const auto c = static_cast<unsigned char>(text[i]);
    State = step(c == 0 ? highlighter_detail::NulStandIn : c, State);
    if (states) states[i] = State;
    ++i;
  }
  ScanColumn = static_cast<int>(text.size()) + 1;
  EndOfLine = false;
  EndOfText = false;
}

template <class StepFn, class SkipFn>
void THighLighter::StepLinePrefix(StepFn& step, SkipFn& skip, int line, std::size_t to) {
  // A keyword check reads a few bytes past the character stepped: the watch reaches that far beyond.
  constexpr std::size_t kReadAhead = 64;
  // Only a long prefix is worth remembering, and the short ones of other lines in view must not evict it.
  constexpr std::size_t kWorthRemembering = 512;
  ScanSnapshot entry;
  if (!Lines || to < kWorthRemembering || SelectionTouches(line, static_cast<int>(to)) || !TakeSnapshot(entry)) {
    StepBytes(step, skip, line, 0, to);
    return;
  }
  std::size_t from = 0;
  const InLineMemo& m = inLineMemo_;
  if (m.line == line && m.entry == entry && m.bytes <= to && Lines->WatchIntact(m.watch)) {
    State = m.exit.state;
    PrevLine = m.exit.prevLine;
    PrevColumn = m.exit.prevColumn;
    Selected = m.exit.selected;
    LoadFields(m.exit.fields);
    from = m.bytes;
  }
  StepBytes(step, skip, line, from, to);
  InLineMemo next;
  next.line = line;
  next.entry = entry;
  next.bytes = to;
  TakeSnapshot(next.exit);
  next.watch = Lines->Watch(line, to + kReadAhead);
  inLineMemo_ = next;
}

template <class StepFn>
void THighLighter::StepLineEnd(StepFn& step, int line) {
  ScanLine = line + 1;
  ScanColumn = 1;
  State = step(static_cast<unsigned char>(0), State);
  MarkLineEndSelection(line);
  RecordLineStart(line + 1);
  EndOfLine = true;
  EndOfText = false;
}

template <class StepFn, class SkipFn>
bool THighLighter::BeginLineRun(StepFn& step, SkipFn& skip) {
  // At a line's first character, nothing stepped ahead, with the whole line and its end in the region.
  if (ScanColumn != 1 || pending_ || !Lines || ScanLine < TopLine || ScanLine > BottomLine || LeftColumn > 1)
    return false;
  const std::string_view text = LineView(ScanLine);
  const int length = static_cast<int>(text.size());
  if (length == 0 || length >= RightColumn || SelectionTouches(ScanLine, length)) return false;
  if (run_.states.size() < text.size() + 1 + kStatesPastLine) run_.states.resize(text.size() + 1 + kStatesPastLine);
  TTokenFlags* const states = run_.states.data() + 1;
  states[-1] = State;
  run_.line = ScanLine;
  run_.text = text;
  run_.steppedAhead = false;
  if (StepWholeLine(ScanLine, text, states)) {
    // Where StepBytes leaves the reader: after the line's last byte, which is not selected.
    scanText_ = {ScanLine, text};
    PrevLine = ScanLine;
    PrevColumn = length;
    Selected = false;
    State = states[text.size() - 1];
    EndOfLine = false;
    EndOfText = false;
  } else {
    StepBytes(step, skip, ScanLine, 0, text.size(), states);
  }
  ScanColumn = 1;
  return true;
}

template <class StepFn, class SkipFn>
void THighLighter::CutTokenStepping(std::string& out, StepFn step, const CharTable& tokenChars, SkipFn skip) {
  run_.line = -1;  // a line stepped whole is done with: its end is stepped as usual
  Kind = 0;
  out.clear();
  // Characters outside the region are stepped without becoming tokens, in a tight loop. Past the right
  // edge the rest of a line is skipped outright when the next line's start state is known, or when
  // there is no next line (nothing after it is shown).
  while (!EndOfText && ScanLine <= BottomLine && !InRegion(ScanColumn, ScanLine)) {
    // A line about to be entered left of the region is read as a whole, so its start can be resumed.
    if (!pending_ && ScanColumn == 1 && ScanColumn < LeftColumn && ScanLine != scanText_.index)
      scanText_ = {ScanLine, LineView(ScanLine)};
    if (!pending_ && ScanLine == scanText_.index && ScanColumn >= 1) {
      const int length = static_cast<int>(scanText_.text.size());
      if (ScanColumn > RightColumn && ScanColumn <= length) {
        if (TryJumpToNextLine()) continue;
        if (ScanLine + 1 >= Lines->Count()) {
          PrevLine = ScanLine;
          PrevColumn = length;
          ScanColumn = length + 1;
          EndOfLine = EndOfText = true;
          break;
        }
        StepBytes(step, skip, ScanLine, static_cast<std::size_t>(ScanColumn - 1), static_cast<std::size_t>(length));
        StepLineEnd(step, ScanLine);
        continue;
      }
      if (ScanColumn < LeftColumn && ScanColumn <= length) {
        const auto to = static_cast<std::size_t>(std::min(LeftColumn - 1, length));
        if (ScanColumn == 1)
          StepLinePrefix(step, skip, ScanLine, to);
        else
          StepBytes(step, skip, ScanLine, static_cast<std::size_t>(ScanColumn - 1), to);
        continue;
      }
    }
    if (ScanColumn > RightColumn && TryJumpToNextLine()) continue;
    Advance(step);
  }
  TokenStartColumn = ScanColumn;
  TokenStartLine = ScanLine;
  if (EndOfText || ScanLine > BottomLine) {
    Token = {};
    Attributes = State;
    return;
  }
  if (BeginLineRun(step, skip)) {
    CutFromLineRun(out, tokenChars);
    return;
  }
  const int line = ScanLine;
  const TTokenFlags before = State;
  const bool steppedAlready = pending_;
  const unsigned char first = Advance(step);
  const TTokenFlags attributes = State;
  if (EndOfLine) {
    out.push_back('\0');
    Token = std::string_view("", 1);
  } else {
    out.push_back(static_cast<char>(first));
    // A character read afresh that changes the state is a token of its own ("<" of "<b"); one that
    // ended the previous token starts the run of its new state (the "<" of "a<b" leads "<b").
    if (tokenChars[first] && (steppedAlready || State == before)) {
      while (InRegion(ScanColumn, ScanLine)) {
        const int column = ScanColumn;
        const unsigned char c = Advance(step);
        if (EndOfLine || State != attributes || !tokenChars[c]) {
          // That character starts the next token; it keeps the state it was just stepped into.
          Unread(column, line);
          break;
        }
        out.push_back(static_cast<char>(c));
      }
    }
    Token = LineView(line).substr(static_cast<std::size_t>(TokenStartColumn - 1), out.size());
  }
  Attributes = attributes;
}

template <class StepFn, class SkipFn>
void THighLighter::StartFromLineStates(StepFn step, SkipFn skip) {
  EndOfLine = false;
  EndOfText = false;
  pending_ = false;
  ForgetText();
  ConsumeDirtyLine();
  const int top = std::max(TopLine, 0);
  if (!Lines || top >= Lines->Count()) {
    ScanLine = top;
    ScanColumn = 1;
    EndOfText = true;
    return;
  }
  // The states a worker has computed since the text was set, waiting for it to reach the top line.
  AdoptWorkerStates(top, true);
  // Walk back to the nearest line whose start state can be trusted, and rescan from there.
  int from = std::min(top, trustedBelow_ - 1);
  std::uint16_t stored = 0;
  while (!KnownLineStart(from, stored)) --from;
  if (from < top) {
    ResumeAtLine(from, stored);
    Rescan(step, from, top, skip);
    KnownLineStart(top, stored);
  }
  ResumeAtLine(top, stored);
}

template <class StepFn, class SkipFn>
int THighLighter::Rescan(StepFn step, int from, int to, SkipFn skip, std::size_t budgetBytes) {
  if (const int reached = ScanLineStates(from, to, budgetBytes); reached >= 0) {
    DirtyLine = -1;
    return reached;
  }
  std::size_t bytes = 0;
  int line = from;
  for (; line < to && bytes < budgetBytes; ++line) {
    scanText_ = {line, LineView(line)};
    bytes += scanText_.text.size() + 2;
    StepBytes(step, skip, line, 0, scanText_.text.size());
    StepLineEnd(step, line);
  }
  DirtyLine = -1;
  return line;
}

template <class StepFn, class SkipFn>
bool THighLighter::ScanAheadWith(StepFn step, std::size_t budgetBytes, SkipFn skip) {
  if (!keepsLineStates_ || !Lines) return false;
  ConsumeDirtyLine();
  const int count = Lines->Count();
  if (trustedBelow_ >= count) return false;
  if (worker_) {
    // The worker's states are taken over a stretch at a time: copying a state costs far less than
    // computing it, hence a stretch of about budgetBytes / 8 lines. While the thread has none ready, a
    // turn waits a little for it rather than computing states itself, and never longer.
    const int before = trustedBelow_;
    const int upTo = trustedBelow_ + static_cast<int>(std::min<std::size_t>(budgetBytes / 8, 1 << 24));
    AdoptWorkerStates(upTo, false);
    if (trustedBelow_ == before && worker_) {
      worker_->WaitFor(upTo, std::chrono::milliseconds(1));
      AdoptWorkerStates(upTo, false);
    }
    if (worker_ || trustedBelow_ > before) return trustedBelow_ < count;
  }
  int from = trustedBelow_ - 1;
  std::uint16_t stored = 0;
  while (!KnownLineStart(from, stored)) --from;
  pending_ = false;
  ForgetText();
  ResumeAtLine(from, stored);
  Rescan(step, from, count - 1, skip, budgetBytes);
  // The next paint starts afresh (Start); nothing of this scan may be mistaken for its position.
  ForgetText();
  return trustedBelow_ < count;
}

template <class LineStateFn>
int THighLighter::StoreLineStates(LineStateFn lineState, int from, int to, std::size_t budgetBytes) {
  std::size_t bytes = 0;
  const int reached = Lines->VisitLines(from, to, [&](std::string_view text, std::uint16_t& next) {
    bytes += text.size() + 2;
    next = static_cast<std::uint16_t>(lineState(text) | kKnownMark);
    return bytes < budgetBytes;
  });
  // Lines from+1 .. reached now hold states (from is below the watermark).
  trustedBelow_ = std::max(trustedBelow_, reached + 1);
  return reached;
}
