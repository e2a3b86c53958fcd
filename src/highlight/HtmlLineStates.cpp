#include "highlight/HtmlLineStates.h"

#include <algorithm>
#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "highlight/KeywordList.h"
#include "highlight/LineStateWorker.h"
#include "highlight/PhpRules.h"
#include "highlight/THTMLHighLight.h"
#include "highlight/THighLighterScan.h"

namespace {
// For each byte: 0 passes, 1 is a letter (a keyword may start where one follows a non-letter), 2 stops.
using StopTable = std::array<unsigned char, 256>;

constexpr StopTable MakeStops(std::string_view stops, bool letters = false) {
  StopTable t{};
  if (letters)
    for (int c = 0; c < 256; ++c) t[static_cast<std::size_t>(c)] = IsLetter(static_cast<unsigned char>(c)) ? 1 : 0;
  for (char c : stops) t[static_cast<unsigned char>(c)] = 2;
  return t;
}
constexpr StopTable MakeStops(const CharTable& base, std::string_view extra, bool letters = false) {
  StopTable t = MakeStops(extra, letters);
  for (std::size_t c = 0; c < 256; ++c)
    if (base[c]) t[c] = 2;
  return t;
}

// The bytes that may change each state (the transition function's rules, state by state); the byte
// after a ">" in a tag and after a quote in a quoted value or string is stepped besides.
constexpr StopTable TagStops = MakeStops("!?=\"'>");
constexpr StopTable ValueStops = MakeStops(" \n\r>\"'");
constexpr StopTable DoubleQuoteStops = MakeStops("\"");
constexpr StopTable SingleQuoteStops = MakeStops("'");
constexpr StopTable DeclarationStops = MakeStops("->");
constexpr StopTable CommentStops = MakeStops(">", true);
constexpr StopTable CloseStops = MakeStops(">");
constexpr StopTable PhpTextStops = MakeStops(php_rules::Operators, "#$@\"'", true);
constexpr StopTable PhpCodeStops = MakeStops(php_rules::Operators, "#$@\"'");
constexpr StopTable PhpDoubleQuotedStops = MakeStops(php_rules::Operators, "$@\"");
constexpr StopTable PhpSingleQuotedStops = MakeStops(php_rules::Operators, "$@'");
constexpr StopTable PhpVariableStops = MakeStops(php_rules::EmbeddedVariableEnd, "=\"'>");
constexpr StopTable PhpValueStops = MakeStops(php_rules::ValueEnd, "$@\"'>");
constexpr StopTable PhpCommentStops = MakeStops("\n\r>");

// The first index j >= i whose byte stops (kind 2), or is a letter after a non-letter (kind 1; `prev`
// is the byte before index i), or n.
inline long FindStop(const unsigned char* p, long i, long n, const StopTable& t, unsigned char prev = 0) {
  bool prevLetter = IsLetter(prev);
  for (; i < n; ++i) {
    const unsigned char k = t[p[i]];
    if (k == 2 || (k == 1 && !prevLetter)) return i;
    prevLetter = k == 1;
  }
  return n;
}

#if defined(__SSE2__)
// Stop sets sixteen bytes at a time. A set may take in more bytes than its table (stepping an inert byte
// changes nothing), never fewer; a letter after a non-letter is taken where the letter is an ASCII one or
// any byte above 0x7F and the byte before it no ASCII letter.
using Bytes = __m128i;
inline Bytes Eq(Bytes v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); }
// Bytes in [lo, hi], both below 0x80.
inline Bytes In(Bytes v, int lo, int hi) {
  return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(lo - 1))),
                       _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(hi + 1))));
}
inline Bytes Or(Bytes a, Bytes b) { return _mm_or_si128(a, b); }
inline Bytes Load(const unsigned char* q) { return _mm_loadu_si128(reinterpret_cast<const Bytes*>(q)); }
inline Bytes AsciiLetters(Bytes v) { return In(_mm_or_si128(v, _mm_set1_epi8(0x20)), 'a', 'z'); }
// Letters after non-letters at q[0..15]; reads q[-1].
inline Bytes WordStarts(const unsigned char* q, Bytes v) {
  const Bytes maybeLetter = Or(AsciiLetters(v), _mm_cmplt_epi8(v, _mm_setzero_si128()));
  return _mm_andnot_si128(AsciiLetters(Load(q - 1)), maybeLetter);
}
inline unsigned Bits(Bytes m) { return static_cast<unsigned>(_mm_movemask_epi8(m)); }

// The first stop at or after i (i >= 1) by the sixteen-byte mask, n when there is none, or -1 when the line
// is too short for it.
template <class Mask>
inline long FindVec(const unsigned char* p, long i, long n, Mask mask) {
  for (; i + 16 <= n; i += 16)
    if (const unsigned m = Bits(mask(p + i, Load(p + i)))) return i + __builtin_ctz(m);
  if (i >= n) return n;
  if (n < 17) return -1;
  // The line's last sixteen bytes, those before i shifted out.
  const long base = n - 16;
  const unsigned m = Bits(mask(p + base, Load(p + base))) >> (i - base);
  return m ? i + __builtin_ctz(m) : n;
}

struct TagMask {
  Bytes operator()(const unsigned char*, Bytes v) const { return Or(In(v, '!', '\''), In(v, '=', '?')); }
};
struct ValueMask {
  Bytes operator()(const unsigned char*, Bytes v) const { return Or(Or(In(v, ' ', '\''), Eq(v, '>')), Or(Eq(v, '\n'), Eq(v, '\r'))); }
};
template <char Quote>
struct QuoteMask {
  Bytes operator()(const unsigned char*, Bytes v) const { return Eq(v, Quote); }
};
struct DeclarationMask {
  Bytes operator()(const unsigned char*, Bytes v) const { return Or(Eq(v, '-'), Eq(v, '>')); }
};
struct CommentMask {
  Bytes operator()(const unsigned char* q, Bytes v) const { return Or(Eq(v, '>'), WordStarts(q, v)); }
};
// Operators, "#", "$", "@" and quotes.
inline Bytes PhpPunctuation(Bytes v) {
  return Or(Or(In(v, '!', '/'), In(v, '<', '>')), Or(Or(Eq(v, '@'), Eq(v, '\\')), Eq(v, '|')));
}
struct PhpTextMask {
  Bytes operator()(const unsigned char* q, Bytes v) const { return Or(PhpPunctuation(v), WordStarts(q, v)); }
};
struct PhpQuotedMask {
  Bytes operator()(const unsigned char*, Bytes v) const { return PhpPunctuation(v); }
};
// Controls, blanks, punctuation up to "/", ";" to ">", brackets and braces (and "@" for values).
template <bool At>
struct PhpVariableMask {
  Bytes operator()(const unsigned char*, Bytes v) const {
    const Bytes m = Or(Or(In(v, 0, '/'), In(v, ';', '>')), Or(In(v, '[', ']'), In(v, '{', '}')));
    return At ? Or(m, Eq(v, '@')) : m;
  }
};
struct PhpCommentMask {
  Bytes operator()(const unsigned char*, Bytes v) const { return Or(Or(Eq(v, '\n'), Eq(v, '\r')), Eq(v, '>')); }
};
#else
template <class Mask>
inline long FindVec(const unsigned char*, long, long, Mask) { return -1; }
struct TagMask {};
struct ValueMask {};
template <char Quote>
struct QuoteMask {};
struct DeclarationMask {};
struct CommentMask {};
struct PhpTextMask {};
struct PhpQuotedMask {};
template <bool At>
struct PhpVariableMask {};
struct PhpCommentMask {};
#endif

// FindStop, sixteen bytes at a time past index i.
template <class Mask>
inline long FindStop(const unsigned char* p, long i, long n, const StopTable& t, Mask mask, unsigned char prev = 0) {
  if (i >= n) return n;
  const unsigned char k = t[p[i]];
  if (k == 2 || (k == 1 && !IsLetter(prev))) return i;
  const long j = FindVec(p, i + 1, n, mask);
  return j >= 0 ? j : FindStop(p, i + 1, n, t, p[i]);
}

// The first "<" at or after i, or n. Text runs between tags are mostly short: searched inline, sixteen
// bytes at a time, rather than by a call.
inline long FindLess(const unsigned char* p, long i, long n) {
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16)
    if (const unsigned m = Bits(Eq(Load(p + i), '<'))) return i + __builtin_ctz(m);
  if (i < n && n >= 16) {
    // The line's last sixteen bytes, those before i shifted out.
    const long base = n - 16;
    const unsigned m = Bits(Eq(Load(p + base), '<')) >> (i - base);
    return m ? i + __builtin_ctz(m) : n;
  }
#endif
  while (i < n && p[i] != '<') ++i;
  return i;
}

inline long FindNonLetter(const unsigned char* p, long i, long n) {
  while (i < n && IsLetter(p[i])) ++i;
  return i;
}

const KeywordList& Php = PhpKeywords();
const KeywordList& Script = ScriptKeywords();
const auto LongestPhpKeyword = static_cast<long>(Php.Longest());
const auto LongestCommentKeyword = static_cast<long>(std::max(Script.Longest(), Php.Longest()));

// Whether the word starting with the letter at i is a keyword: that letter and the ASCII letters after
// it on the line, found only when no longer than the longest keyword. Keywords are lower case.
bool KeywordAt(const unsigned char* p, long i, long n, bool inComment) {
  if (p[i] < 'a' || p[i] > 'z') return false;
  const long longest = inComment ? LongestCommentKeyword : LongestPhpKeyword;
  if (longest > static_cast<long>(KeywordList::MaxPacked)) {
    long length = 1;
    while (i + length < n && IsAsciiLetter(p[i + length]))
      if (length++ == longest) return false;
    const std::string_view word(reinterpret_cast<const char*>(p + i), static_cast<std::size_t>(length));
    return Php.Contains(word) || (inComment && Script.Contains(word));
  }
  // The letters packed as they are read; a capital letter makes a word no keyword is.
  std::uint64_t code = 0;
  for (long k = i, length = 0; k < n; ++k) {
    const unsigned char c = p[k];
    if (c >= 'a' && c <= 'z') {
      if (length++ == longest) return false;
      code = code << 5 | static_cast<std::uint64_t>(c - 'a' + 1);
    } else if (c >= 'A' && c <= 'Z') {
      return false;
    } else {
      break;
    }
  }
  return Php.ContainsPacked(code) || (inComment && Script.ContainsPacked(code));
}

// In PHP code a keyword ends at the first non-letter, which a keyword steps to plain code (and does nothing
// else); a word that is none treats it as code: the same but for these bytes, which start a comment, a
// variable, a string or an operator. Whether the keyword state of the word at i changes any state after it.
constexpr CharTable AfterKeywordStops = MakeCharTable(php_rules::Operators, "#$@\"'");
inline bool KeywordShows(const unsigned char* p, long i, long n) {
  const long end = FindNonLetter(p, i, n);
  return end < n && AfterKeywordStops[p[end]];
}

// The character k places before index i of the line (line breaks skipped), and the one before index i
// as the previous-character field holds it.
inline unsigned char At(const auto& c, const unsigned char* p, long i) {
  return i >= 0 ? p[i] : i == -1 ? c.last : c.beforeLast;
}
inline unsigned char PrevAt(const auto& c, const unsigned char* p, long i) { return i > 0 ? p[i - 1] : c.prevChar; }
}  // namespace

HtmlLineStates::HtmlLineStates(const Start& start)
    : c_{start.state, start.last, start.beforeLast, start.prevChar,
         start.quoteBack == 1 ? -1L : start.quoteBack == 2 ? -2L : -3L, start.operatorReturn, start.variableReturn} {}

template <bool Record>
[[gnu::always_inline]] inline void HtmlLineStates::StepHtml(Context& c, const unsigned char* p, long i, long n) {
  const unsigned char ch = p[i] == 0 ? 1 : p[i];  // a NUL byte is stepped as a stand-in
  const unsigned char a = At(c, p, i - 1);
  switch (c.w) {
    case tfText:
      if (ch == '<') c.w = tfTag;
      return;
    case tfTag:
      if (ch == '<') return;
      if (a == '>') {
        c.w = tfText;  // the character after a closing ">"
      } else if (a == '<' && (ch == '!' || ch == '?')) {
        c.w = ch == '!' ? tfComment2 : (tfScript | tfText);
      } else if (ch == '=') {
        if (a != '=') c.w = tfShortParam;
      } else if (ch == '"' || ch == '\'') {
        c.w = ch == '"' ? tfLongParam : tfLongParam1;
        c.quote = i;
      }
      return;
    case tfShortParam:
      if (ch == '\n' || ch == '\r' || ch == ' ' || ch == '>') {
        c.w = tfTag;
      } else if (ch == '"' || ch == '\'') {
        c.w = ch == '"' ? tfLongParam : tfLongParam1;
        c.quote = i;
      }
      return;
    case tfLongParam:
    case tfLongParam1:
      // The character after the closing quote, which is not the opening one.
      if (a == (c.w == tfLongParam ? '"' : '\'') && c.quote != i - 1) c.w = tfTag;
      return;
    case tfComment2: {
      const unsigned char prev = PrevAt(c, p, i);
      if (ch == '-' && prev == '!') c.w = tfComment;
      else if (ch == '>' && (prev == '"' || prev == '\'' || prev == '?')) c.w = tfTag;
      return;
    }
    case tfComment:
      if (IsLetter(ch)) {
        if (!IsLetter(PrevAt(c, p, i)) && KeywordAt(p, i, n, true)) c.w = tfKeyword;
      } else if (ch == '>' && ((a == '-' && At(c, p, i - 2) == '-') || a == '?')) {
        c.w = tfTag;
      }
      return;
    case tfKeyword:
      if (!IsLetter(ch)) c.w = tfComment;
      return;
    default: return;
  }
}

template <bool Record>
[[gnu::always_inline]] inline void HtmlLineStates::StepPhp(Context& c, const unsigned char* p, long i, long n) {
  // At the line end (i == n) the character 0 is stepped, and the look back starts from the line's last
  // character: one further back than for a character of the line.
  const unsigned char ch = i == n ? 0 : p[i] == 0 ? 1 : p[i];
  const long back = i == n ? n - 2 : i - 1;
  const unsigned char a = At(c, p, back);
  TTokenFlags w = c.w;
  if (w & tfOperator) w = c.operatorReturn;  // an operator lasts one character
  if (php_rules::EmbeddedVariableEnd[ch] && (w & tfTag)) w = c.variableReturn;
  TTokenFlags r = w;
  if (ch == '>' && a == '?') {
    c.w = tfText;  // "?>" leaves the code
    return;
  }
  if (ch == '#' && (w & tfText)) {
    r = tfComment2;
  } else if ((ch == 0 || ch == '\n' || ch == '\r') && (w & (tfComment2 | tfComment))) {
    r = tfText;
  } else if (php_rules::ValueEnd[ch] && (w & tfShortParam)) {
    r = tfText;
  } else if ((ch == '$' || ch == '@') && (w & (tfText | tfShortParam | tfLongParam | tfLongParam1))) {
    c.variableReturn = w;
    r = tfTag;
  } else if (ch == '=' && (w & tfTag) && a != '=') {
    r = tfShortParam;
  } else if ((ch == '"' || ch == '\'') && (w & (tfTag | tfShortParam | tfText))) {
    r = ch == '"' ? tfLongParam : tfLongParam1;
    c.quote = i;
  } else if ((w & tfLongParam) && a == '"' && c.quote != back) {
    r = tfText;
  } else if ((w & tfLongParam1) && a == '\'' && c.quote != back) {
    r = tfText;
  } else if ((w & tfText) && IsLetter(ch) && !IsLetter(PrevAt(c, p, i))) {
    if ((Record || KeywordShows(p, i, n)) && KeywordAt(p, i, n, false)) r = tfKeyword;
  } else if (!IsLetter(ch) && (w & tfKeyword)) {
    r = tfText;
  } else if ((w & (tfText | tfLongParam | tfLongParam1)) && php_rules::Operators[ch]) {
    c.operatorReturn = w;
    r = tfOperator;
  }
  c.w = static_cast<TTokenFlags>((r ? r : tfText) | tfScript);
}

// states[i .. stop) = w. Eight at a time where it can: the array has room for eight past the line, and the
// states written past the stop are written again in turn.
inline void FillStates(TTokenFlags* states, long i, long stop, TTokenFlags w) {
#if defined(__SSE2__)
  const Bytes v = _mm_set1_epi16(static_cast<short>(w));
  for (; i < stop; i += 8) _mm_storeu_si128(reinterpret_cast<Bytes*>(states + i), v);
#else
  std::fill(states + i, states + stop, w);
#endif
}

// Whether a keyword of PHP code ends just before index i: a word of letters passed over after the byte
// stepped last, starting where a word may start.
[[gnu::always_inline]] inline bool HtmlLineStates::KeywordEndsAt(const Context& c, const unsigned char* p, long i,
                                                                 long stepped) {
  long word = i;
  while (word > stepped + 1 && IsLetter(p[word - 1])) --word;
  // A letter stepped just before it (one after a string's closing quote) makes the word start no word start.
  return word < i && !IsLetter(PrevAt(c, p, word)) && KeywordAt(p, word, i + 1, false);
}

template <bool Record>
[[gnu::always_inline]] inline long HtmlLineStates::NextStop(const Context& c, const unsigned char* p, long i, long n) {
  switch (c.w) {
    case tfText: return FindLess(p, i, n);
    case tfTag: return At(c, p, i - 1) == '>' ? i : FindStop(p, i, n, TagStops, TagMask{});
    case tfShortParam: return FindStop(p, i, n, ValueStops, ValueMask{});
    case tfLongParam: return At(c, p, i - 1) == '"' ? i : FindStop(p, i, n, DoubleQuoteStops, QuoteMask<'"'>{});
    case tfLongParam1: return At(c, p, i - 1) == '\'' ? i : FindStop(p, i, n, SingleQuoteStops, QuoteMask<'\''>{});
    case tfComment2: return FindStop(p, i, n, DeclarationStops, DeclarationMask{});
    case tfComment:
      if constexpr (!Record) return FindStop(p, i, n, CloseStops, QuoteMask<'>'>{});
      return FindStop(p, i, n, CommentStops, CommentMask{}, PrevAt(c, p, i));
    case tfKeyword:
    case tfScript | tfKeyword: return FindNonLetter(p, i, n);
    case tfScript | tfText:
      if constexpr (!Record) return FindStop(p, i, n, PhpCodeStops, PhpQuotedMask{});
      return FindStop(p, i, n, PhpTextStops, PhpTextMask{}, PrevAt(c, p, i));
    case tfScript | tfLongParam:
      return At(c, p, i - 1) == '"' ? i : FindStop(p, i, n, PhpDoubleQuotedStops, PhpQuotedMask{});
    case tfScript | tfLongParam1:
      return At(c, p, i - 1) == '\'' ? i : FindStop(p, i, n, PhpSingleQuotedStops, PhpQuotedMask{});
    case tfScript | tfTag: return FindStop(p, i, n, PhpVariableStops, PhpVariableMask<false>{});
    case tfScript | tfShortParam: return FindStop(p, i, n, PhpValueStops, PhpVariableMask<true>{});
    case tfScript | tfComment2: return FindStop(p, i, n, PhpCommentStops, PhpCommentMask{});
    default: return i;
  }
}

template <bool Record>
[[gnu::always_inline]] inline void HtmlLineStates::StepLine(Context& c, const unsigned char* p, long n,
                                                            TTokenFlags* states) {
  long stepped = -1;  // the byte stepped last
  for (long i = 0;; ++i) {
    const long stop = NextStop<Record>(c, p, i, n);
    // The bytes passed over keep the state.
    if constexpr (Record) FillStates(states, i, std::min(stop, n), c.w);
    i = stop;
    if (i >= n) break;
    if (c.w & tfScript) {
      // Without Record, words in PHP code are passed over (see KeywordShows); a keyword among them shows
      // only at the byte after it, where it is looked up.
      if constexpr (!Record)
        if (c.w == (tfScript | tfText) && AfterKeywordStops[p[i]] && KeywordEndsAt(c, p, i, stepped))
          c.w = tfScript | tfKeyword;
      StepPhp<Record>(c, p, i, n);
    } else {
      StepHtml<Record>(c, p, i, n);
    }
    if constexpr (Record) states[i] = c.w;
    stepped = i;
  }
}

void HtmlLineStates::Bytes(std::string_view text, TTokenFlags* states) {
  Context c;
  CopyFields(c, c_);
  StepLine<true>(c, reinterpret_cast<const unsigned char*>(text.data()), static_cast<long>(text.size()), states);
  CopyFields(c_, c);
}

[[gnu::always_inline]] inline TTokenFlags HtmlLineStates::Line(std::string_view text) {
  Context c;
  CopyFields(c, c_);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto n = static_cast<long>(text.size());
  StepLine<false>(c, p, n, nullptr);
  // A keyword in a comment ends where a comment word would, at the first non-letter, to the same state:
  // only a word running to the line's end shows its keyword state here, and only that one is looked up.
  if (c.w == tfComment && n > 0 && IsLetter(p[n - 1])) {
    long word = n - 1;
    while (word > 0 && IsLetter(p[word - 1])) --word;
    if (!IsLetter(PrevAt(c, p, word)) && KeywordAt(p, word, n, true)) c.w = tfKeyword;
  }
  // The line end: PHP code steps it (and remembers it as the previous character); HTML passes it by.
  if (c.w & tfScript) {
    StepPhp<false>(c, p, n, n);
    c.prevChar = 0;
  } else if (n > 0) {
    c.prevChar = p[n - 1];
  }
  if (n >= 2) {
    c.beforeLast = p[n - 2];
    c.last = p[n - 1];
  } else if (n == 1) {
    c.beforeLast = c.last;
    c.last = p[0];
  }
  c.quote = std::max(c.quote - n, -3L);
  CopyFields(c_, c);
  return c.w;
}

// Steps a line and returns the next line's start state with its context bits (without the known mark).
[[gnu::always_inline]] inline std::uint16_t THTMLHighLight::StoredLineState(HtmlLineStates& scan,
                                                                           std::string_view text) {
  const TTokenFlags state = scan.Line(text);
  const int back = scan.QuoteBack();
  return static_cast<std::uint16_t>(state | (back == 1 ? kQuoteBeforeLine : back == 2 ? kQuoteTwoBeforeLine : 0));
}

// Defined here, beside the loop it inlines.
int THTMLHighLight::ScanLineStates(int from, int to, std::size_t budgetBytes) {
  // The scanner as ResumeAtLine left it at line `from`.
  HtmlLineStates::Start start;
  start.state = State & ~tfSelected;
  start.last = PeekBack(0);
  start.beforeLast = PeekBack(1);
  start.prevChar = PrevChar;
  if (QuoteLine >= 0) start.quoteBack = QuoteLine == PrevLine && QuoteColumn == PrevColumn + 1 ? 1 : 2;
  HtmlLineStates scan(start);
  return StoreLineStates([&scan](std::string_view text) { return StoredLineState(scan, text); }, from, to, budgetBytes);
}

// Defined here too, for the same reason.
bool THTMLHighLight::StepWholeLine(int line, std::string_view text, TTokenFlags* states) {
  // The scanner at the line's start, as the fields and the reader describe it.
  HtmlLineStates::Start start;
  start.state = State & ~tfSelected;
  start.last = PeekBack(0);
  start.beforeLast = PeekBack(1);
  start.prevChar = PrevChar;
  const std::uint16_t quote = QuoteContext(QuoteLine, QuoteColumn);
  start.quoteBack = (quote & kQuoteBeforeLine) ? 1 : (quote & kQuoteTwoBeforeLine) ? 2 : 0;
  start.operatorReturn = OperatorReturnState;
  start.variableReturn = VariableReturnState;
  HtmlLineStates scan(start);
  static_assert(kStatesPastLine >= 8, "the pass writes eight states at a time");
  scan.Bytes(text, states);
  // The fields as stepping the line's bytes leaves them (a NUL byte is stepped as its stand-in).
  const std::size_t n = text.size();
  const auto stepped = [&](std::size_t k) {
    const auto c = static_cast<unsigned char>(text[k]);
    return c == 0 ? highlighter_detail::NulStandIn : c;
  };
  PrevChar2 = n >= 2 ? stepped(n - 2) : PrevChar;
  PrevChar = stepped(n - 1);
  if (const long q = scan.QuoteIndex(); q >= 0) {
    QuoteLine = line;
    QuoteColumn = static_cast<int>(q) + 2;
  }
  OperatorReturnState = scan.OperatorReturn();
  VariableReturnState = scan.VariableReturn();
  // Only the ">" of "?>" leaves the code, and it is remembered until the next byte is stepped.
  const TTokenFlags beforeLast = n >= 2 ? states[n - 2] : State;
  LeaveScript = (beforeLast & tfScript) && !(states[n - 1] & tfScript);
  return true;
}

std::unique_ptr<LineStateWorker> THTMLHighLight::MakeLineStateWorker(LineStateInput& input) {
  // The scanner at line 0, as ResumeAtLine leaves it there; the thread steps every line from it.
  auto lineState = [scan = HtmlLineStates(HtmlLineStates::Start{})](std::string_view text) mutable {
    return static_cast<std::uint16_t>(StoredLineState(scan, text) | kKnownMark);
  };
  return std::make_unique<LineStateWorker>(std::move(input), std::move(lineState));
}
