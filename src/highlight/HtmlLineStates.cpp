#include "highlight/HtmlLineStates.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "highlight/KeywordList.h"
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
constexpr StopTable PhpTextStops = MakeStops(php_rules::Operators, "#$@\"'", true);
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
  long length = 1;
  while (i + length < n && IsAsciiLetter(p[i + length])) {
    if (length++ == longest) return false;
  }
  const std::string_view word(reinterpret_cast<const char*>(p + i), static_cast<std::size_t>(length));
  const std::uint64_t code = KeywordList::Pack(word);
  if (code == 0) return length > static_cast<long>(KeywordList::MaxPacked) && (Php.Contains(word) || (inComment && Script.Contains(word)));
  return Php.ContainsPacked(code) || (inComment && Script.ContainsPacked(code));
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
         start.quoteBack == 1 ? -1L : start.quoteBack == 2 ? -2L : -3L} {}

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
    if (KeywordAt(p, i, n, false)) r = tfKeyword;
  } else if (!IsLetter(ch) && (w & tfKeyword)) {
    r = tfText;
  } else if ((w & (tfText | tfLongParam | tfLongParam1)) && php_rules::Operators[ch]) {
    c.operatorReturn = w;
    r = tfOperator;
  }
  c.w = static_cast<TTokenFlags>((r ? r : tfText) | tfScript);
}

[[gnu::always_inline]] inline long HtmlLineStates::NextStop(const Context& c, const unsigned char* p, long i, long n) {
  switch (c.w) {
    case tfText: {
      const void* lt = std::memchr(p + i, '<', static_cast<std::size_t>(n - i));
      return lt ? static_cast<const unsigned char*>(lt) - p : n;
    }
    case tfTag: return At(c, p, i - 1) == '>' ? i : FindStop(p, i, n, TagStops);
    case tfShortParam: return FindStop(p, i, n, ValueStops);
    case tfLongParam: return At(c, p, i - 1) == '"' ? i : FindStop(p, i, n, DoubleQuoteStops);
    case tfLongParam1: return At(c, p, i - 1) == '\'' ? i : FindStop(p, i, n, SingleQuoteStops);
    case tfComment2: return FindStop(p, i, n, DeclarationStops);
    case tfComment: return FindStop(p, i, n, CommentStops, PrevAt(c, p, i));
    case tfKeyword:
    case tfScript | tfKeyword: return FindNonLetter(p, i, n);
    case tfScript | tfText: return FindStop(p, i, n, PhpTextStops, PrevAt(c, p, i));
    case tfScript | tfLongParam: return At(c, p, i - 1) == '"' ? i : FindStop(p, i, n, PhpDoubleQuotedStops);
    case tfScript | tfLongParam1: return At(c, p, i - 1) == '\'' ? i : FindStop(p, i, n, PhpSingleQuotedStops);
    case tfScript | tfTag: return FindStop(p, i, n, PhpVariableStops);
    case tfScript | tfShortParam: return FindStop(p, i, n, PhpValueStops);
    case tfScript | tfComment2: return FindStop(p, i, n, PhpCommentStops);
    default: return i;
  }
}

[[gnu::always_inline]] inline TTokenFlags HtmlLineStates::Line(std::string_view text) {
  Context c = c_;
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto n = static_cast<long>(text.size());
  for (long i = 0;; ++i) {
    i = NextStop(c, p, i, n);
    if (i >= n) break;
    if (c.w & tfScript)
      StepPhp(c, p, i, n);
    else
      StepHtml(c, p, i, n);
  }
  // The line end: PHP code steps it (and remembers it as the previous character); HTML passes it by.
  if (c.w & tfScript) {
    StepPhp(c, p, n, n);
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
  c_ = c;
  return c.w;
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
  return StoreLineStates(
      [&scan](std::string_view text) {
        const TTokenFlags state = scan.Line(text);
        const int back = scan.QuoteBack();
        return static_cast<std::uint16_t>(state | (back == 1 ? kQuoteBeforeLine : back == 2 ? kQuoteTwoBeforeLine : 0));
      },
      from, to, budgetBytes);
}
