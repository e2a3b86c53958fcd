#pragma once
// The scanning templates of THighLighter, included by the highlighter classes' own sources so that each
// class's transition function is inlined into them.
#include <algorithm>

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
    if (!EndOfText) RecordLineStart(ScanLine);
  } else {
    State = step(c == 0 ? highlighter_detail::NulStandIn : c, State);
  }
  return c;
}

template <class StepFn>
void THighLighter::CutToken(std::string& out, StepFn step, const CharTable& tokenChars) {
  Kind = 0;
  out.clear();
  // Characters outside the region are stepped without becoming tokens. Past the right edge the rest of
  // a line is skipped outright when the next line's start state is known.
  while (!EndOfText && ScanLine <= BottomLine && !InRegion(ScanColumn, ScanLine)) {
    if (ScanColumn > RightColumn && TryJumpToNextLine()) continue;
    Advance(step);
  }
  TokenStartColumn = ScanColumn;
  TokenStartLine = ScanLine;
  if (EndOfText || ScanLine > BottomLine) {
    Token.clear();
    Attributes = State;
    return;
  }
  const int line = ScanLine;
  const TTokenFlags before = State;
  const bool steppedAlready = pending_;
  const unsigned char first = Advance(step);
  const TTokenFlags attributes = State;
  if (EndOfLine) {
    out.push_back('\0');
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
  }
  Token = out;
  Attributes = attributes;
}

template <class StepFn>
void THighLighter::StartFromLineStates(StepFn step) {
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
  // Walk back to the nearest line whose start state can be trusted, and rescan from there.
  int from = std::min(top, trustedBelow_ - 1);
  std::uint16_t stored = 0;
  while (!KnownLineStart(from, stored)) --from;
  if (from < top) {
    ResumeAtLine(from, stored);
    Rescan(step, from, top);
    KnownLineStart(top, stored);
  }
  ResumeAtLine(top, stored);
}

template <class StepFn>
void THighLighter::Rescan(StepFn step, int from, int to) {
  for (int line = from; line < to; ++line) {
    scanText_ = {line, LineView(line)};
    const std::string_view text = scanText_.text;
    ScanLine = line;
    for (std::size_t i = 0; i < text.size(); ++i) {
      PrevLine = line;
      PrevColumn = static_cast<int>(i) + 1;
      ScanColumn = PrevColumn + 1;
      const auto c = static_cast<unsigned char>(text[i]);
      State = step(c == 0 ? highlighter_detail::NulStandIn : c, State);
    }
    ScanLine = line + 1;
    ScanColumn = 1;
    State = step(static_cast<unsigned char>(0), State);
    RecordLineStart(line + 1);
  }
  DirtyLine = -1;
}
