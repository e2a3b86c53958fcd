#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/LineStore.h"
#include "highlight/Letters.h"
#include "highlight/TokenFlags.h"

class LineStateWorker;
struct LineStateInput;

// A set of byte values, used for token character sets and the operator and end sets of the languages.
using CharTable = std::array<bool, 256>;

constexpr CharTable MakeCharTable(const CharTable& base, std::string_view extra) {
  CharTable t = base;
  for (char c : extra) t[static_cast<unsigned char>(c)] = true;
  return t;
}
constexpr CharTable MakeCharTable(std::string_view members) { return MakeCharTable(CharTable{}, members); }

// The base of every syntax highlighter. The editor hands it the line list, the rectangle it paints and the
// selection; the highlighter then cuts the visible text into tokens whose flags pick the colours.
//
// Each character is run once, in text order, through the class's transition function, which maps
// (character, state) to the next state, and takes the state it leads to as its attribute. A token is a
// run of characters of the class's token set with the same attribute; a character outside that set is a
// token by itself. The end of a line is read as the character 0 and is a token of its own ("\0" at the
// column after the last character); a token never spans lines.
//
// Because a construct may span lines, the state at the start of each line is kept in that line's record.
// The stored word carries more than the visible state: a marker bit (so a record whose low byte was
// cleared reads as unknown) and whatever hidden scanner context the class needs to resume exactly there.
// Records are trusted only below a watermark that every edit (DirtyLine) lowers, so an edit costs no walk
// over the rest of the document; lines are rescanned from the nearest trusted line when they are needed.
class THighLighter {
public:
  virtual ~THighLighter();
  THighLighter(const THighLighter&) = delete;
  THighLighter& operator=(const THighLighter&) = delete;

  // Word check for the plain-text highlighter: returns whether the word is spelt correctly.
  std::function<bool(const std::string& word)> OnCheckWord;
  // First character of the last token returned (columns are 1-based, lines 0-based).
  int TokenStartColumn = 1;
  int TokenStartLine = 0;
  // The next character to read.
  int ScanColumn = 1;
  int ScanLine = 0;
  // The character read last (unchanged by reading a line end).
  int PrevColumn = 0;
  int PrevLine = 0;
  // -1 = nothing pending; N >= 0 = the stored start states from line N-1 on (from line 0 for N = 0)
  // are stale. Set by the editor after an edit, consumed by Start.
  int DirtyLine = -1;
  // An edit changed line `line`: the stored start states from there on are stale (an earlier pending
  // line stays). Line 0 or below makes every state stale.
  void MarkStaleFrom(int line);
  LineStore* Lines = nullptr;  // not owned
  // The rectangle being painted, all bounds inclusive.
  int LeftColumn = 0;
  int TopLine = 0;
  int RightColumn = 0;
  int BottomLine = 0;
  // The selection, start before end; the end column is exclusive.
  int SelStartColumn = 0;
  int SelStartLine = 0;
  int SelEndColumn = 0;
  int SelEndLine = 0;
  bool EndOfLine = false;
  bool EndOfText = false;
  // The text of the last token: a view of its bytes in the line (a line end's is "\0"), valid until
  // the text changes.
  std::string_view Token;
  TTokenFlags Attributes = tfText;
  std::uint8_t Kind = 0;
  bool Selected = false;  // whether the character stepped last lies in the selection
  TTokenFlags State = tfText;

  // Prepares a scan of the region; the next NextToken returns the first visible token.
  virtual void Start();
  // Produces the next token: its text (a line end is the one-character string "\0"), with its position
  // in TokenStartColumn/TokenStartLine and its flags in Attributes. An empty token means nothing is left
  // to show in the region.
  virtual void NextToken(std::string& token) = 0;
  virtual void GetToken(std::string& token);
  virtual TTokenFlags GetAttributes();
  virtual std::uint8_t GetKind();

  // Computes the start states of the lines not known yet, in text order from the first of them, stepping
  // about budgetBytes bytes; returns whether some remain. The editor calls it in idle time, so that a
  // jump far into the document finds the states there known instead of rescanning while the user waits.
  virtual bool ScanAhead(std::size_t /*budgetBytes*/) { return false; }
  // After a long text was set: computes the start states of its lines on a thread of its own, for the
  // classes with a line-state loop (LineStateWorker), while the editor finishes loading and paints. A
  // paint that needs a state beyond what the thread has reached waits for it; idle time takes its states
  // over; an edit or InvalidateFrom stops it and keeps the states it computed above the change.
  // With a run whose layout may still be going on (LineStore::InsertBrokenText's onLayout): the lines
  // before it are copied now. Without: the store's first shared run, unless a worker is at work already.
  void StartLineStateWorker(LineStore::SharedRun run);
  void StartLineStateWorker();
  // The smallest shared text the thread is started for; a shorter one is left to idle time.
  static constexpr std::size_t WorkerMinBytes = std::size_t{1} << 20;
  // Whether some line's start state is not known (or an edit waits to be taken into account).
  bool LineStatesPending() const {
    return keepsLineStates_ && Lines != nullptr && (DirtyLine >= 0 || trustedBelow_ < Lines->Count());
  }

  void Attach(LineStore* lines);
  void SetRegion(int leftColumn, int topLine, int rightColumn, int bottomLine);
  void SetSelection(int startColumn, int startLine, int endColumn, int endLine);
  bool AtEnd() const { return EndOfText; }
  // Clear the stored start states of every line, or of lines n-1 (0 for n = 0) to the end.
  void InvalidateAll();
  void InvalidateFrom(int n);

  // The shared reader.
  struct CharPos {
    int line = -1;  // -1: no such character
    int column = 0;
  };
  // Returns the character at ScanColumn/ScanLine and advances; at the end of a line sets EndOfLine,
  // moves to the next line (or sets EndOfText after the last one) and returns 0.
  unsigned char ReadChar() {
    // Fast path: a character of the line read last.
    if (ScanLine == scanText_.index && ScanColumn >= 1 && ScanColumn <= static_cast<int>(scanText_.text.size())) {
      EndOfLine = false;
      EndOfText = false;
      PrevColumn = ScanColumn;
      PrevLine = ScanLine;
      return static_cast<unsigned char>(scanText_.text[static_cast<std::size_t>(ScanColumn++ - 1)]);
    }
    return ReadCharSlow();
  }
  // Like ReadChar; inRegion tells whether the position read lay inside the region.
  unsigned char ReadInRegion(bool& inRegion);
  bool InRegion(int column, int line) const {
    return line >= TopLine && line <= BottomLine && column >= LeftColumn && column <= RightColumn;
  }
  void StepBack();
  void StepBackLine();
  // The character k positions before the one read last, across line breaks (which do not count);
  // 0 before the start of the text.
  unsigned char PeekBack(int k) {
    if (PrevColumn > k && PrevLine == scanText_.index && PrevColumn <= static_cast<int>(scanText_.text.size()))
      return static_cast<unsigned char>(scanText_.text[static_cast<std::size_t>(PrevColumn - k - 1)]);
    CharPos unused;
    return PeekBackAt(k, unused);
  }
  // The run of ASCII letters starting at ScanColumn on ScanLine, at most maxLength long.
  std::string_view ReadWordRest(std::size_t maxLength);
  // Whether the character at (column, line) lies in the selection.
  bool IsSelected(int column, int line) const {
    if (line < SelStartLine || line > SelEndLine) return false;
    if (SelStartLine == SelEndLine) return column >= SelStartColumn && column < SelEndColumn;
    if (line == SelStartLine) return column >= SelStartColumn;
    if (line == SelEndLine) return column < SelEndColumn;
    return true;
  }

  // A line's end is stepped where the last character before it was read (an empty line's, on an earlier
  // line, or nowhere when a paint began on it); its selection mark is that of its own break, so that the
  // first token of the next line is cut alike wherever the scan began.
  void MarkLineEndSelection(int line) {
    // The line's length is looked up only for a line the selection reaches (a paint without one never).
    Selected = line >= SelStartLine && line <= SelEndLine && IsSelected(Lines ? Lines->Length(line) + 1 : 1, line);
    State = Selected ? (State | tfSelected) : (State & ~tfSelected);
  }
  // The position of the last character before line `line`, skipping empty lines.
  CharPos LastCharBefore(int line);
  // Like PeekBack, also giving the position of the character found.
  unsigned char PeekBackAt(int k, CharPos& where);
  // The word that begins with the character read last: that character and the ASCII letters after it,
  // when the whole is at most maxLength long; empty otherwise (no keyword is that long).
  std::string_view WordFromLastChar(std::size_t maxLength);
  // A string's opening quote is remembered by position (line, column just after it), so that it is told
  // from a closing quote even when the string crosses a line.
  static bool IsOpeningQuote(const CharPos& p, int quoteLine, int quoteColumn) {
    return p.line == quoteLine && p.column == quoteColumn - 1;
  }

protected:
  // Whether the class keeps per-line start states (the plain-text highlighter has only one state).
  explicit THighLighter(bool keepsLineStates);

  // Hidden context stored with a line's start state, in bits no visible state uses.
  static constexpr std::uint16_t kKnownMark = 0x0001;
  static constexpr std::uint16_t kReturnCodeShift = 10;
  static constexpr std::uint16_t kReturnCodeMask = 0x0C00;
  static constexpr std::uint16_t kQuoteBeforeLine = 0x8000;
  // The selection bit is never stored, so it can carry context: the opening quote is the character
  // before the last one before the line. A line end on an empty line looks that far back.
  static constexpr std::uint16_t kQuoteTwoBeforeLine = tfSelected;
  static constexpr std::uint16_t kContextBits = kKnownMark | kReturnCodeMask | kQuoteBeforeLine | kQuoteTwoBeforeLine;
  // The context bits describing the scanner at the start of the line just entered.
  virtual std::uint16_t LineContext() { return 0; }
  // Restores the hidden scanner fields at the start of a line from its stored word; lastChar is the
  // last character before the line (0 when there is none).
  virtual void RestoreLineContext(std::uint16_t /*stored*/, unsigned char /*lastChar*/) {}

  // Shared scanning; step is the class's transition function (character, state) -> state, inlined.
  // skip(text, i) returns the first index j >= i of the line's text whose byte may change the state
  // (or the line's length): bytes i .. j-1 leave State as it is, and skip has set the class's other
  // fields as stepping them would have. The default skips nothing.
  struct NoSkip {
    std::size_t operator()(std::string_view, std::size_t i) const { return i; }
  };
  template <class StepFn, class SkipFn = NoSkip>
  void CutToken(std::string& out, StepFn step, const CharTable& tokenChars, SkipFn skip = {}) {
    // The next token of a line stepped whole is cut here, without the stepping loop's frame.
    if (ScanLine == run_.line && ScanColumn <= static_cast<int>(run_.text.size()))
      CutFromLineRun(out, tokenChars);
    else
      CutTokenStepping(out, step, tokenChars, skip);
  }
  template <class StepFn, class SkipFn = NoSkip>
  void StartFromLineStates(StepFn step, SkipFn skip = {});
  // Steps every character of lines [from, to), storing the start states of lines from+1 .. to; stops
  // early after the line that reaches budgetBytes (a line end counts two). Returns the line reached.
  template <class StepFn, class SkipFn = NoSkip>
  int Rescan(StepFn step, int from, int to, SkipFn skip = {}, std::size_t budgetBytes = SIZE_MAX);
  // A class's own loop for Rescan's work that computes only the line start states, faster than stepping
  // (it is handed the scanner resumed at line `from`): returns the line reached, or -1 when the class has
  // none and Rescan steps.
  virtual int ScanLineStates(int /*from*/, int /*to*/, std::size_t /*budgetBytes*/) { return -1; }
  // A class's own pass over the bytes of a line shown whole with none of it selected, faster than stepping
  // them, from the scanner at the line's start: stores the state after each byte k at states[k] (the array
  // has room for kStatesPastLine more) and leaves the class's own fields as stepping the bytes would (the
  // caller sets the base's). False: the class has none, and the line is stepped.
  static constexpr std::size_t kStatesPastLine = 8;
  virtual bool StepWholeLine(int /*line*/, std::string_view /*text*/, TTokenFlags* /*states*/) { return false; }
  // The loop's frame: lineState(text) gives the start state of the line after `text`, with its context
  // bits; the states are stored for lines from+1 .. the line returned, as Rescan would.
  template <class LineStateFn>
  int StoreLineStates(LineStateFn lineState, int from, int to, std::size_t budgetBytes);
  // The worker for StartLineStateWorker, for a class with a line-state loop: its own scanner, stepping
  // the lines of `input` from line 0 (nullptr: the class has none, and idle time computes the states).
  virtual std::unique_ptr<LineStateWorker> MakeLineStateWorker(LineStateInput& input);
  // ScanAhead for a class's own transition function.
  template <class StepFn, class SkipFn = NoSkip>
  bool ScanAheadWith(StepFn step, std::size_t budgetBytes, SkipFn skip = {});

  // Sets Kind to tkURL when the token begins with "http://" in any case.
  void MarkUrl(std::string_view token) {
    if (token.size() >= 7 && (token[0] | 0x20) == 'h') MarkUrlIfPrefixed(token);
  }
  void MarkUrlIfPrefixed(std::string_view token);

  // Context bits: the opening quote is the last character before the line being entered, or the one before
  // that. Those are the two characters a quote check can look back to before the line's second character
  // (the first character looks at the last one; a line end on an empty line at the one before it).
  std::uint16_t QuoteContext(int quoteLine, int quoteColumn) {
    if (quoteLine < 0) return 0;
    if (PrevLine == quoteLine && PrevColumn == quoteColumn - 1) return kQuoteBeforeLine;
    CharPos before;
    PeekBackAt(1, before);
    return IsOpeningQuote(before, quoteLine, quoteColumn) ? kQuoteTwoBeforeLine : 0;
  }
  // Restores the opening quote from those bits (ResumeAtLine has set PrevLine/PrevColumn to the last
  // character before the line).
  void RestoreQuote(std::uint16_t stored, int& quoteLine, int& quoteColumn) {
    quoteLine = -1;
    quoteColumn = 0;
    CharPos quote{PrevLine, PrevColumn};
    if (stored & kQuoteTwoBeforeLine) PeekBackAt(1, quote);
    if ((stored & (kQuoteBeforeLine | kQuoteTwoBeforeLine)) && quote.line >= 0) {
      quoteLine = quote.line;
      quoteColumn = quote.column + 1;
    }
  }
  // The class's own scanner fields, for resuming a scan in the middle of a line (the in-line memo below).
  // A class that keeps none it cannot restore returns false and is always stepped from the line's start.
  using ScanFields = std::array<int, 8>;
  virtual bool SaveFields(ScanFields& /*fields*/) const { return false; }
  virtual void LoadFields(const ScanFields& /*fields*/) {}
  // For the classes sharing the code highlighters' field layout.
  template <class H>
  static void SaveCodeFields(const H& h, ScanFields& f) {
    f = {h.OperatorReturnState, h.QuoteColumn, h.QuoteLine, h.VariableReturnState, h.PrevChar, h.PrevChar2,
         h.CommentReturnState, 0};
  }
  template <class H>
  static void LoadCodeFields(H& h, const ScanFields& f) {
    h.OperatorReturnState = static_cast<TTokenFlags>(f[0]);
    h.QuoteColumn = f[1];
    h.QuoteLine = f[2];
    h.VariableReturnState = static_cast<TTokenFlags>(f[3]);
    h.PrevChar = static_cast<unsigned char>(f[4]);
    h.PrevChar2 = static_cast<unsigned char>(f[5]);
    h.CommentReturnState = static_cast<TTokenFlags>(f[6]);
  }

  // A saved return state in two context bits: text, `alternative`, double- or single-quoted string.
  static std::uint16_t EncodeReturnState(TTokenFlags s, TTokenFlags alternative);
  static TTokenFlags DecodeReturnState(std::uint16_t stored, TTokenFlags alternative);

private:
  template <class StepFn>
  unsigned char Advance(StepFn& step);
  // Steps the bytes [from, to) of line `line` (without its end), as Advance would one by one; with
  // `states`, stores the state after each byte k at states[k].
  template <class StepFn, class SkipFn>
  void StepBytes(StepFn& step, SkipFn& skip, int line, std::size_t from, std::size_t to,
                 TTokenFlags* states = nullptr);
  // A line shown whole (from its first character to its end, none of it selected) is stepped in one go
  // when its first token is asked for, and its tokens are then cut from the states stored for its bytes:
  // the same tokens as stepping it a character at a time, without the reader's and the token loop's
  // cost per character. The scanner's fields stay as at the line's last byte until its end is read.
  struct LineRun {
    int line = -1;  // -1: none
    std::string_view text;
    // [0]: the state before the line's first byte; [k + 1]: after byte k (then room to spare).
    std::vector<TTokenFlags> states;
    bool steppedAhead = false;         // the byte at ScanColumn ended the last token (Unread)
  };
  template <class StepFn, class SkipFn>
  bool BeginLineRun(StepFn& step, SkipFn& skip);
  template <class StepFn, class SkipFn>
  // Takes the functions by value: each holds a pointer, passed in a register.
  [[gnu::noinline]] void CutTokenStepping(std::string& out, StepFn step, const CharTable& tokenChars, SkipFn skip);
  // Cuts the token at ScanColumn from the stored states.
  void CutFromLineRun(std::string& out, const CharTable& tokenChars) {
    const std::string_view text = run_.text;
    const TTokenFlags* states = run_.states.data();
    const auto at = static_cast<std::size_t>(ScanColumn - 1);
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const TTokenFlags attributes = states[at + 1];
    // As CutToken's loop: a token character that changed the state when read afresh stands alone; else
    // the token runs on while the state stays and the bytes are token characters, and the byte that ends
    // it has been stepped already when the next token starts there.
    const TTokenFlags before = states[at];
    std::size_t end = at + 1;
    const bool runs = tokenChars[byte(at)] && (run_.steppedAhead || attributes == before);
    if (runs)
      while (end < text.size() && states[end + 1] == attributes && tokenChars[byte(end)]) ++end;
    run_.steppedAhead = runs;
    Kind = 0;
    TokenStartColumn = ScanColumn;
    TokenStartLine = run_.line;
    ScanColumn = static_cast<int>(end) + 1;
    State = runs && end < text.size() ? states[end + 1] : states[end];
    Token = std::string_view(text.data() + at, end - at);
    Attributes = attributes;
    out.clear();
    out.append(Token.data(), Token.size());
  }
  // Steps the end of line `line` (not the last) and records the next line's start state.
  template <class StepFn>
  void StepLineEnd(StepFn& step, int line);
  // StepBytes from a line's start to `to`, resuming from the state memorised at the end of the last such
  // walk over the same line when nothing it depended on has changed: a view scrolled far into a very
  // long line is not stepped from the line's start at every keystroke.
  template <class StepFn, class SkipFn>
  void StepLinePrefix(StepFn& step, SkipFn& skip, int line, std::size_t to);
  void Unread(int column, int line);
  // Takes over the worker's states from the watermark up to line upTo where they are still true, waiting
  // for the thread to reach that line when `wait` is set; lets the worker go once it has nothing more.
  void AdoptWorkerStates(int upTo, bool wait);
  // An edit changed line `line`: the worker stops, and its states from that line on are stale.
  void StopWorkerAt(int line);
  void ConsumeDirtyLine();
  void LowerWatermark(int line);
  bool KnownLineStart(int line, std::uint16_t& stored);
  void RecordLineStart(int line);
  void ResumeAtLine(int line, std::uint16_t stored);
  bool TryJumpToNextLine();
  std::string_view LineView(int line);
  unsigned char ReadCharSlow();
  void ForgetText();

  bool keepsLineStates_;
  std::unique_ptr<LineStateWorker> worker_;
  // The worker's states of the lines below this are still true.
  int workerValidBelow_ = 0;
  // Lines below this index (line 0 always) may carry trusted start states; records at or above it are
  // stale until rewritten in order.
  int trustedBelow_ = 1;
  // A character that ended the previous token has been stepped already and is not stepped again.
  bool pending_ = false;
  int pendingColumn_ = 0;
  int pendingLine_ = 0;
  struct CachedLine {
    int index = -1;
    std::string_view text;
  };
  // The line being scanned, and two other recently used lines.
  CachedLine scanText_;
  std::array<CachedLine, 2> lineCache_{};
  int lineCacheNext_ = 0;
  // Answers of LastCharBefore, valid until the text changes: the last character before line `query`
  // is `found`, and no character lies between them.
  struct LastCharMemo {
    int query = -1;
    CharPos found;
  };
  std::array<LastCharMemo, 4> lastCharMemo_{};

  // Everything a step reads or writes besides the text.
  struct ScanSnapshot {
    TTokenFlags state = 0;
    int prevLine = 0, prevColumn = 0;
    bool selected = false;
    ScanFields fields{};
    bool operator==(const ScanSnapshot&) const = default;
  };
  bool TakeSnapshot(ScanSnapshot& s) const {
    s = {State, PrevLine, PrevColumn, Selected, {}};
    return SaveFields(s.fields);
  }
  // Whether a selected character lies in columns 1 .. columns of the line.
  bool SelectionTouches(int line, int columns) const;
  struct InLineMemo {
    int line = -1;
    ScanSnapshot entry, exit;  // at the line's start, and after its first `bytes` bytes
    std::size_t bytes = 0;
    std::uint64_t watch = 0;
  };
  InLineMemo inLineMemo_;
  int lastCharMemoNext_ = 0;
  LineRun run_;
};
