#include "highlight/THighLighter.h"

#include <algorithm>
#include <system_error>

#include "editor/LineStoreVisit.h"
#include "highlight/LineStateWorker.h"

THighLighter::THighLighter(bool keepsLineStates) : keepsLineStates_(keepsLineStates) {}
THighLighter::~THighLighter() = default;  // the worker's thread is stopped and joined here

void THighLighter::GetToken(std::string& token) { token.assign(Token); }
TTokenFlags THighLighter::GetAttributes() { return Attributes; }
std::uint8_t THighLighter::GetKind() { return Kind; }

void THighLighter::Attach(LineStore* lines) {
  worker_.reset();
  Lines = lines;
  State = tfText;
  ScanColumn = 1;
  ScanLine = 0;
  PrevColumn = 0;
  PrevLine = 0;
  DirtyLine = -1;
  EndOfLine = false;
  EndOfText = false;
  // Records left by another highlighter, or by an earlier life of this list, are not ours to trust.
  trustedBelow_ = 1;
  pending_ = false;
  ForgetText();
  lastCharMemo_ = {};
  inLineMemo_ = {};
}

void THighLighter::SetRegion(int leftColumn, int topLine, int rightColumn, int bottomLine) {
  LeftColumn = leftColumn;
  TopLine = topLine;
  RightColumn = rightColumn;
  BottomLine = bottomLine;
  run_.line = -1;
  State = tfText;
  PrevColumn = 0;
  PrevLine = 0;
  pending_ = false;
}

void THighLighter::SetSelection(int startColumn, int startLine, int endColumn, int endLine) {
  SelStartColumn = startColumn;
  SelStartLine = startLine;
  SelEndColumn = endColumn;
  SelEndLine = endLine;
  run_.line = -1;
}

void THighLighter::InvalidateAll() { InvalidateFrom(0); }

bool THighLighter::SelectionTouches(int line, int columns) const {
  if (line < SelStartLine || line > SelEndLine) return false;
  if (SelStartLine == SelEndLine) return SelStartColumn < SelEndColumn && SelStartColumn <= columns;
  if (line == SelStartLine) return SelStartColumn <= columns;
  return line < SelEndLine || SelEndColumn > 1;
}

void THighLighter::InvalidateFrom(int n) {
  const int first = std::max(n - 1, 0);
  StopWorkerAt(first);
  LowerWatermark(first);
  if (Lines) Lines->ClearStartStates(first);
}

void THighLighter::Start() {
  EndOfLine = false;
  EndOfText = false;
  pending_ = false;
  DirtyLine = -1;  // one state for every line: nothing is cached
  ForgetText();
  ScanLine = std::max(TopLine, 0);
  ScanColumn = 1;
  State = tfText;
  if (!Lines || ScanLine >= Lines->Count()) EndOfText = true;
}

std::string_view THighLighter::LineView(int line) {
  if (scanText_.index == line) return scanText_.text;
  for (const CachedLine& c : lineCache_)
    if (c.index == line) return c.text;
  CachedLine& slot = lineCache_[static_cast<std::size_t>(lineCacheNext_)];
  lineCacheNext_ ^= 1;
  slot.index = line;
  slot.text = Lines ? Lines->Line(line) : std::string_view{};
  return slot.text;
}

void THighLighter::ForgetText() {
  run_.line = -1;
  scanText_ = {};
  lineCache_ = {};
}

unsigned char THighLighter::ReadCharSlow() {
  EndOfLine = false;
  EndOfText = false;
  if (scanText_.index != ScanLine) scanText_ = {ScanLine, LineView(ScanLine)};
  const std::string_view text = scanText_.text;
  if (ScanColumn <= static_cast<int>(text.size()) && !text.empty()) {
    if (ScanColumn < 1) ScanColumn = 1;
    PrevColumn = ScanColumn;
    PrevLine = ScanLine;
    return static_cast<unsigned char>(text[static_cast<std::size_t>(ScanColumn++ - 1)]);
  }
  EndOfLine = true;
  if (Lines && ScanLine + 1 < Lines->Count()) {
    ++ScanLine;
    ScanColumn = 1;
  } else {
    EndOfText = true;
  }
  return 0;
}

unsigned char THighLighter::ReadInRegion(bool& inRegion) {
  inRegion = InRegion(ScanColumn, ScanLine);
  return ReadChar();
}

void THighLighter::StepBack() {
  if (ScanColumn > 1) --ScanColumn;
}

void THighLighter::StepBackLine() {
  if (ScanColumn >= 2) {
    --ScanColumn;
  } else if (ScanLine >= 1) {
    --ScanLine;
    ScanColumn = static_cast<int>(LineView(ScanLine).size()) + 1;
  } else {
    ScanColumn = 1;
  }
}

THighLighter::CharPos THighLighter::LastCharBefore(int line) {
  if (!Lines) return {};
  line = std::min(line, Lines->Count());
  // A remembered answer (q, f) says lines f.line+1 .. q-1 are empty, so f answers every line in
  // f.line+1 .. q, however the window scrolls through a run of empty lines.
  auto remembered = [&](int query, CharPos& found) {
    for (const LastCharMemo& m : lastCharMemo_) {
      if (m.query >= 0 && m.found.line < query && query <= m.query) {
        found = m.found;
        return true;
      }
    }
    return false;
  };
  CharPos found;
  if (!remembered(line, found)) {
    const int j = Lines->LastNonEmptyBefore(line);
    if (j >= 0) found = {j, Lines->Length(j)};
  }
  lastCharMemo_[static_cast<std::size_t>(lastCharMemoNext_)] = {line, found};
  lastCharMemoNext_ = (lastCharMemoNext_ + 1) % static_cast<int>(lastCharMemo_.size());
  return found;
}

unsigned char THighLighter::PeekBackAt(int k, CharPos& where) {
  int line = PrevLine;
  int column = PrevColumn - k;
  while (column < 1) {
    const CharPos p = LastCharBefore(line);
    if (p.line < 0) {
      where = {};
      return 0;
    }
    line = p.line;
    column += p.column;
  }
  const std::string_view text = LineView(line);
  if (column > static_cast<int>(text.size())) {
    where = {};
    return 0;
  }
  where = {line, column};
  return static_cast<unsigned char>(text[static_cast<std::size_t>(column - 1)]);
}

std::string_view THighLighter::ReadWordRest(std::size_t maxLength) {
  if (ScanColumn < 1) return {};
  const std::string_view text = LineView(ScanLine);
  const auto from = static_cast<std::size_t>(ScanColumn - 1);
  if (from >= text.size()) return {};
  std::size_t n = 0;
  while (n < maxLength && from + n < text.size() && IsAsciiLetter(static_cast<unsigned char>(text[from + n]))) ++n;
  return text.substr(from, n);
}

std::string_view THighLighter::WordFromLastChar(std::size_t maxLength) {
  // The word starts at the character read last; ReadWordRest continues right after it on the same line.
  if (PrevLine != ScanLine || PrevColumn + 1 != ScanColumn || maxLength == 0) return {};
  const std::string_view rest = ReadWordRest(maxLength);
  if (rest.size() >= maxLength) return {};
  const std::string_view text = LineView(ScanLine);
  return text.substr(static_cast<std::size_t>(PrevColumn - 1), rest.size() + 1);
}

void THighLighter::MarkUrlIfPrefixed(std::string_view token) {
  static constexpr std::string_view prefix = "http://";
  if (token.size() < prefix.size()) return;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const auto c = static_cast<unsigned char>(token[i]);
    const auto lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    if (lower != prefix[i]) return;
  }
  Kind = tkURL;
}

std::uint16_t THighLighter::EncodeReturnState(TTokenFlags s, TTokenFlags alternative) {
  std::uint16_t code = 0;
  if (s & tfLongParam) code = 2;
  else if (s & tfLongParam1) code = 3;
  else if (s & alternative) code = 1;
  return static_cast<std::uint16_t>(code << kReturnCodeShift);
}

TTokenFlags THighLighter::DecodeReturnState(std::uint16_t stored, TTokenFlags alternative) {
  switch ((stored & kReturnCodeMask) >> kReturnCodeShift) {
    case 1: return alternative;
    case 2: return tfLongParam;
    case 3: return tfLongParam1;
    default: return tfText;
  }
}

void THighLighter::Unread(int column, int line) {
  ScanColumn = column;
  ScanLine = line;
  EndOfLine = false;
  EndOfText = false;
  pending_ = true;
  pendingColumn_ = column;
  pendingLine_ = line;
}

void THighLighter::LowerWatermark(int line) {
  trustedBelow_ = std::min(trustedBelow_, std::max(line, 1));
  // Lines above `line` are as they were, so an answer that looks only at them stays true: one that
  // reaches further is cut back to `line` (a long run of empty lines is then not walked again after
  // every keystroke below it).
  for (LastCharMemo& m : lastCharMemo_) {
    if (m.query <= line) continue;
    if (line > 0 && m.found.line < line)
      m.query = line;
    else
      m = {};
  }
}

void THighLighter::MarkStaleFrom(int line) {
  // DirtyLine N stands for "stale from line N-1"; it stays at least 1, as every state from line 0 on
  // reads the same for N = 0 and N = 1.
  StopWorkerAt(line);
  int mark = std::max(line + 1, 1);
  if (DirtyLine > 0) mark = std::min(mark, DirtyLine);
  DirtyLine = mark;
}

void THighLighter::ConsumeDirtyLine() {
  if (DirtyLine >= 0) LowerWatermark(DirtyLine - 1);
  DirtyLine = -1;
}

bool THighLighter::KnownLineStart(int line, std::uint16_t& stored) {
  stored = 0;
  if (!keepsLineStates_ || line <= 0) return true;
  if (line >= trustedBelow_) return false;
  stored = Lines->StartState(line);
  return (stored & kKnownMark) != 0;
}

void THighLighter::RecordLineStart(int line) {
  if (!keepsLineStates_ || line > trustedBelow_ || line <= 0) return;
  const auto stored = static_cast<std::uint16_t>((State & ~(tfSelected | kContextBits)) | kKnownMark | LineContext());
  if (Lines->StartState(line) != stored) Lines->SetStartState(line, stored);
  if (line == trustedBelow_) ++trustedBelow_;
}

void THighLighter::ResumeAtLine(int line, std::uint16_t stored) {
  const auto visible = static_cast<TTokenFlags>(stored & ~kContextBits);
  State = visible ? visible : tfText;
  const CharPos last = LastCharBefore(line);
  PrevLine = std::max(last.line, 0);
  PrevColumn = last.line >= 0 ? last.column : 0;
  const unsigned char lastChar =
      last.line >= 0 ? static_cast<unsigned char>(LineView(last.line)[static_cast<std::size_t>(last.column - 1)]) : 0;
  RestoreLineContext(stored, lastChar);
  ScanLine = line;
  ScanColumn = 1;
  EndOfLine = false;
  EndOfText = false;
  pending_ = false;
}

bool THighLighter::TryJumpToNextLine() {
  const int next = ScanLine + 1;
  if (!Lines || next >= Lines->Count()) return false;
  std::uint16_t stored = 0;
  if (!KnownLineStart(next, stored)) return false;
  ResumeAtLine(next, stored);
  return true;
}

// ---- The line-state worker ----------------------------------------------------------------------------------

std::unique_ptr<LineStateWorker> THighLighter::MakeLineStateWorker(LineStateInput& /*input*/) { return nullptr; }

void THighLighter::StartLineStateWorker() {
  if (!worker_ && Lines != nullptr) StartLineStateWorker(Lines->FirstSharedRun());
}

void THighLighter::StartLineStateWorker(LineStore::SharedRun run) {
  worker_.reset();
  if (!keepsLineStates_ || Lines == nullptr || run.lines == 0 || run.bytes < WorkerMinBytes) return;
  // The lines before the shared text (as a rule the one it was inserted after) go with the worker as
  // copies; when they are many, idle time is good enough.
  constexpr int kMostPrefixLines = 64;
  constexpr std::size_t kMostPrefixBytes = std::size_t{1} << 20;
  if (run.firstLine > kMostPrefixLines) return;
  LineStateInput input;
  std::size_t prefixBytes = 0;
  for (int i = 0; i < run.firstLine; ++i) {
    const std::string_view line = Lines->Line(i);
    if ((prefixBytes += line.size()) > kMostPrefixBytes) return;
    input.prefix.emplace_back(line);
  }
  input.run = std::move(run);
  try {
    worker_ = MakeLineStateWorker(input);
  } catch (const std::system_error&) {
    // No thread to be had: idle time computes the states, as for a short text.
    return;
  }
  if (worker_) workerValidBelow_ = worker_->LastLine() + 1;
}

void THighLighter::StopWorkerAt(int line) {
  if (!worker_) return;
  worker_->Stop();
  workerValidBelow_ = std::min(workerValidBelow_, std::max(line, 1));
  // The state of line 1 and later are the worker's; below line 2 nothing of it is left.
  if (workerValidBelow_ <= 1) worker_.reset();
}

void THighLighter::AdoptWorkerStates(int upTo, bool wait) {
  if (!worker_ || Lines == nullptr) return;
  int limit = std::min({upTo, workerValidBelow_ - 1, worker_->LastLine(), Lines->Count() - 1});
  if (limit >= trustedBelow_) {
    // The states hold as far as the lines are still those the worker reads. The operation that set the
    // text may have changed some after the worker started (a line's tail put back, a re-wrap) without a
    // word to the highlighter, so the store itself is asked.
    // (The store is looked at as far as `limit`: a run found ending before it ends there.)
    const int read = worker_->LinesStillRead(*Lines, Lines->FirstSharedRun(limit));
    if (read < limit) {
      workerValidBelow_ = std::min(workerValidBelow_, read + 1);
      limit = read;
    }
  }
  if (limit >= trustedBelow_) {
    int known = worker_->Known();
    if (known < limit && wait) known = worker_->WaitFor(limit);
    const int to = std::min(limit, known);
    if (to >= trustedBelow_) {
      // Lines from the watermark on are stale: their records are rewritten in order, as a rescan would.
      int line = trustedBelow_;
      Lines->VisitLines(trustedBelow_ - 1, to, [&](std::string_view, std::uint16_t& next) {
        next = worker_->State(line++);
        return true;
      });
      trustedBelow_ = to + 1;
    }
  }
  const int end = std::min(workerValidBelow_ - 1, worker_->LastLine());
  if (trustedBelow_ > end || (!worker_->Running() && trustedBelow_ > worker_->Known())) worker_.reset();
}
