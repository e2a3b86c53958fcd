#include "highlight/HtmlLineStates.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "highlight/KeywordList.h"
#include "highlight/PhpRules.h"

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

const std::size_t LongestCommentKeyword = std::max(ScriptKeywords().Longest(), PhpKeywords().Longest());
}  // namespace

HtmlLineStates::HtmlLineStates(const Start& start)
    : w_(start.state),
      last_(start.last),
      beforeLast_(start.beforeLast),
      prevChar_(start.prevChar),
      quote_(start.quoteBack == 1 ? -1 : start.quoteBack == 2 ? -2 : -3) {}

bool HtmlLineStates::KeywordAt(const unsigned char* p, long i, long n, bool inComment) const {
  // The word is the letter at i and the ASCII letters after it on the line, found only when it is no
  // longer than the longest keyword.
  const auto longest = static_cast<long>(inComment ? LongestCommentKeyword : PhpKeywords().Longest());
  long rest = 0;
  while (rest < longest && i + 1 + rest < n && IsAsciiLetter(p[i + 1 + rest])) ++rest;
  if (rest >= longest) return false;
  const std::string_view word(reinterpret_cast<const char*>(p + i), static_cast<std::size_t>(rest + 1));
  return PhpKeywords().Contains(word) || (inComment && ScriptKeywords().Contains(word));
}

void HtmlLineStates::StepHtml(const unsigned char* p, long i, long n) {
  const unsigned char c = p[i] == 0 ? 1 : p[i];  // a NUL byte is stepped as a stand-in
  const unsigned char a = At(p, i - 1);
  switch (w_) {
    case tfText:
      if (c == '<') w_ = tfTag;
      return;
    case tfTag:
      if (c == '<') return;
      if (a == '>') {
        w_ = tfText;  // the character after a closing ">"
      } else if (a == '<' && (c == '!' || c == '?')) {
        w_ = c == '!' ? tfComment2 : (tfScript | tfText);
      } else if (c == '=') {
        if (a != '=') w_ = tfShortParam;
      } else if (c == '"' || c == '\'') {
        w_ = c == '"' ? tfLongParam : tfLongParam1;
        quote_ = i;
      }
      return;
    case tfShortParam:
      if (c == '\n' || c == '\r' || c == ' ' || c == '>') {
        w_ = tfTag;
      } else if (c == '"' || c == '\'') {
        w_ = c == '"' ? tfLongParam : tfLongParam1;
        quote_ = i;
      }
      return;
    case tfLongParam:
    case tfLongParam1:
      // The character after the closing quote, which is not the opening one.
      if (a == (w_ == tfLongParam ? '"' : '\'') && quote_ != i - 1) w_ = tfTag;
      return;
    case tfComment2: {
      const unsigned char prev = PrevAt(p, i);
      if (c == '-' && prev == '!') w_ = tfComment;
      else if (c == '>' && (prev == '"' || prev == '\'' || prev == '?')) w_ = tfTag;
      return;
    }
    case tfComment:
      if (IsLetter(c)) {
        if (!IsLetter(PrevAt(p, i)) && KeywordAt(p, i, n, true))
          w_ = tfKeyword;
      } else if (c == '>' && ((a == '-' && At(p, i - 2) == '-') || a == '?')) {
        w_ = tfTag;
      }
      return;
    case tfKeyword:
      if (!IsLetter(c)) w_ = tfComment;
      return;
    default: return;
  }
}

void HtmlLineStates::StepPhp(const unsigned char* p, long i, long n) {
  // At the line end (i == n) the character 0 is stepped, and the look back starts from the line's last
  // character: one further back than for a character of the line.
  const unsigned char c = i == n ? 0 : p[i] == 0 ? 1 : p[i];
  const long back = i == n ? n - 2 : i - 1;
  const unsigned char a = At(p, back);
  TTokenFlags w = w_;
  if (w & tfOperator) w = operatorReturn_;  // an operator lasts one character
  if (php_rules::EmbeddedVariableEnd[c] && (w & tfTag)) w = variableReturn_;
  TTokenFlags r = w;
  if (c == '>' && a == '?') {
    w_ = tfText;  // "?>" leaves the code
    return;
  }
  if (c == '#' && (w & tfText)) {
    r = tfComment2;
  } else if ((c == 0 || c == '\n' || c == '\r') && (w & (tfComment2 | tfComment))) {
    r = tfText;
  } else if (php_rules::ValueEnd[c] && (w & tfShortParam)) {
    r = tfText;
  } else if ((c == '$' || c == '@') && (w & (tfText | tfShortParam | tfLongParam | tfLongParam1))) {
    variableReturn_ = w;
    r = tfTag;
  } else if (c == '=' && (w & tfTag) && a != '=') {
    r = tfShortParam;
  } else if ((c == '"' || c == '\'') && (w & (tfTag | tfShortParam | tfText))) {
    r = c == '"' ? tfLongParam : tfLongParam1;
    quote_ = i;
  } else if ((w & tfLongParam) && a == '"' && quote_ != back) {
    r = tfText;
  } else if ((w & tfLongParam1) && a == '\'' && quote_ != back) {
    r = tfText;
  } else if ((w & tfText) && IsLetter(c) && !IsLetter(PrevAt(p, i))) {
    if (KeywordAt(p, i, n, false)) r = tfKeyword;
  } else if (!IsLetter(c) && (w & tfKeyword)) {
    r = tfText;
  } else if ((w & (tfText | tfLongParam | tfLongParam1)) && php_rules::Operators[c]) {
    operatorReturn_ = w;
    r = tfOperator;
  }
  w_ = static_cast<TTokenFlags>((r ? r : tfText) | tfScript);
}

long HtmlLineStates::NextStop(const unsigned char* p, long i, long n) const {
  switch (w_) {
    case tfText: {
      const void* lt = std::memchr(p + i, '<', static_cast<std::size_t>(n - i));
      return lt ? static_cast<const unsigned char*>(lt) - p : n;
    }
    case tfTag: return At(p, i - 1) == '>' ? i : FindStop(p, i, n, TagStops);
    case tfShortParam: return FindStop(p, i, n, ValueStops);
    case tfLongParam: return At(p, i - 1) == '"' ? i : FindStop(p, i, n, DoubleQuoteStops);
    case tfLongParam1: return At(p, i - 1) == '\'' ? i : FindStop(p, i, n, SingleQuoteStops);
    case tfComment2: return FindStop(p, i, n, DeclarationStops);
    case tfComment: return FindStop(p, i, n, CommentStops, PrevAt(p, i));
    case tfKeyword:
    case tfScript | tfKeyword: return FindNonLetter(p, i, n);
    case tfScript | tfText: return FindStop(p, i, n, PhpTextStops, PrevAt(p, i));
    case tfScript | tfLongParam: return At(p, i - 1) == '"' ? i : FindStop(p, i, n, PhpDoubleQuotedStops);
    case tfScript | tfLongParam1: return At(p, i - 1) == '\'' ? i : FindStop(p, i, n, PhpSingleQuotedStops);
    case tfScript | tfTag: return FindStop(p, i, n, PhpVariableStops);
    case tfScript | tfShortParam: return FindStop(p, i, n, PhpValueStops);
    case tfScript | tfComment2: return FindStop(p, i, n, PhpCommentStops);
    default: return i;
  }
}

TTokenFlags HtmlLineStates::Line(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto n = static_cast<long>(text.size());
  for (long i = 0;; ++i) {
    i = NextStop(p, i, n);
    if (i >= n) break;
    if (w_ & tfScript)
      StepPhp(p, i, n);
    else
      StepHtml(p, i, n);
  }
  // The line end: PHP code steps it (and remembers it as the previous character); HTML passes it by.
  if (w_ & tfScript) {
    StepPhp(p, n, n);
    prevChar_ = 0;
  } else if (n > 0) {
    prevChar_ = p[n - 1];
  }
  if (n >= 2) {
    beforeLast_ = p[n - 2];
    last_ = p[n - 1];
  } else if (n == 1) {
    beforeLast_ = last_;
    last_ = p[0];
  }
  quote_ = std::max(quote_ - n, -3L);
  return w_;
}
