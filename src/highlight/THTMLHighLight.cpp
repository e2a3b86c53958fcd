#include "highlight/THTMLHighLight.h"

#include <algorithm>
#include <cstring>

#include "highlight/KeywordList.h"
#include "highlight/PhpRules.h"
#include "highlight/THighLighterScan.h"

namespace {
constexpr CharTable HtmlTokenChars = MakeCharTable(LetterTable, "\"'./:<>");

const std::size_t LongestCommentKeyword = std::max(ScriptKeywords().Longest(), PhpKeywords().Longest());

bool IsCommentKeyword(std::string_view word) {
  return ScriptKeywords().Contains(word) || PhpKeywords().Contains(word);
}
}  // namespace

void THTMLHighLight::Start() {
  LeaveScript = false;
  StartFromLineStates([this](unsigned char c, TTokenFlags s) { return Step(c, s); },
                      [this](std::string_view text, std::size_t i) { return SkipInert(text, i); });
}

void THTMLHighLight::NextToken(std::string& token) {
  CutToken(token, [this](unsigned char c, TTokenFlags s) { return Step(c, s); }, HtmlTokenChars,
           [this](std::string_view text, std::size_t i) { return SkipInert(text, i); });
  MarkUrl(Token);  // the token's text, read from the line rather than from the copy
}

bool THTMLHighLight::ScanAhead(std::size_t budgetBytes) {
  LeaveScript = false;
  return ScanAheadWith([this](unsigned char c, TTokenFlags s) { return Step(c, s); }, budgetBytes,
                       [this](std::string_view text, std::size_t i) { return SkipInert(text, i); });
}

namespace {
// For each state the skip knows, the bytes that may change it (or a field a later byte reads besides
// PrevChar and PrevChar2, which the skip sets itself). The rules beside each are HtmlStep's and
// php_rules::Step's; a byte not listed falls through every branch of the step for that state.
// In a tag: "<!" and "<?" open declarations and code, "=" a value, a quote a quoted value, and the byte
// after a ">" is text again (that byte is handled by the caller).
constexpr CharTable TagStops = MakeCharTable("!?=\"'>");
// An unquoted value ends at a blank, a line break or ">", or becomes a quoted one.
constexpr CharTable ValueStops = MakeCharTable(" \n\r>\"'");
// A quoted value: only its quote, and the byte after one.
constexpr CharTable DoubleQuote = MakeCharTable("\"");
constexpr CharTable SingleQuote = MakeCharTable("'");
// In a "<!" declaration: "-" after "!" opens a comment, ">" after a quote or "?" closes it.
constexpr CharTable DeclarationStops = MakeCharTable("->");
// PHP code: "#" comments, variables, quotes, operators (">" also for "?>"); letters start keywords.
constexpr CharTable PhpTextStops = MakeCharTable(php_rules::Operators, "#$@\"'");
// A PHP string: its quote, a variable, an operator.
constexpr CharTable PhpDoubleQuotedStops = MakeCharTable(php_rules::Operators, "$@\"");
constexpr CharTable PhpSingleQuotedStops = MakeCharTable(php_rules::Operators, "$@'");
// A PHP variable ends at any of its end characters; "=" assigns, a quote opens a string, ">" may leave.
constexpr CharTable PhpVariableStops = MakeCharTable(php_rules::EmbeddedVariableEnd, "=\"'>");
// A value assigned to a variable ends at a value end, a variable or a quote; ">" may leave.
constexpr CharTable PhpValueStops = MakeCharTable(php_rules::ValueEnd, "$@\"'>");
// A "#" comment ends at a line break; ">" may leave.
constexpr CharTable PhpCommentStops = MakeCharTable("\n\r>");

// The first index j >= i whose byte is in `stops`, or text.size().
std::size_t FindStop(std::string_view text, std::size_t i, const CharTable& stops) {
  const char* p = text.data();
  const std::size_t n = text.size();
  while (i + 4 <= n) {
    if (stops[static_cast<unsigned char>(p[i])]) return i;
    if (stops[static_cast<unsigned char>(p[i + 1])]) return i + 1;
    if (stops[static_cast<unsigned char>(p[i + 2])]) return i + 2;
    if (stops[static_cast<unsigned char>(p[i + 3])]) return i + 3;
    i += 4;
  }
  while (i < n && !stops[static_cast<unsigned char>(p[i])]) ++i;
  return i;
}

// Like FindStop, also stopping at a letter that follows a non-letter (where a keyword may start);
// `prev` is the byte stepped before index i.
std::size_t FindStopOrWordStart(std::string_view text, std::size_t i, const CharTable& stops, unsigned char prev) {
  bool prevLetter = IsLetter(prev);
  for (; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool letter = IsLetter(c);
    if (stops[c] || (letter && !prevLetter)) return i;
    prevLetter = letter;
  }
  return i;
}

// The first index j >= i whose byte is no letter.
std::size_t FindNonLetter(std::string_view text, std::size_t i) {
  while (i < text.size() && IsLetter(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

// In a quoted value or string the byte after a quote is stepped too (it closes the string when that quote
// was not the opening one). The byte before a line's first one lies on another line: that one is stepped.
std::size_t FindQuotedStop(std::string_view text, std::size_t i, const CharTable& stops, char quote) {
  if (i == 0 || text[i - 1] == quote) return i;
  return FindStop(text, i, stops);
}
}  // namespace

inline std::size_t THTMLHighLight::SkipInert(std::string_view text, std::size_t i) {
  if (LeaveScript || i >= text.size()) return i;
  std::size_t j = i;
  switch (State & ~tfSelected) {
    case tfText: {
      // Text between tags, where only "<" does anything.
      const auto* p = static_cast<const char*>(std::memchr(text.data() + i, '<', text.size() - i));
      j = p ? static_cast<std::size_t>(p - text.data()) : text.size();
      break;
    }
    case tfTag:
      if (i == 0 || text[i - 1] == '>') return i;
      j = FindStop(text, i, TagStops);
      break;
    case tfShortParam: j = FindStop(text, i, ValueStops); break;
    case tfLongParam: j = FindQuotedStop(text, i, DoubleQuote, '"'); break;
    case tfLongParam1: j = FindQuotedStop(text, i, SingleQuote, '\''); break;
    case tfComment2: j = FindStop(text, i, DeclarationStops); break;
    case tfComment: {
      // Only ">" and the start of a word (a script keyword) do anything in a comment.
      static constexpr CharTable CommentStops = MakeCharTable(">");
      j = FindStopOrWordStart(text, i, CommentStops, PrevChar);
      break;
    }
    case tfKeyword:
    case tfScript | tfKeyword: j = FindNonLetter(text, i); break;
    case tfScript | tfText: j = FindStopOrWordStart(text, i, PhpTextStops, PrevChar); break;
    case tfScript | tfLongParam: j = FindQuotedStop(text, i, PhpDoubleQuotedStops, '"'); break;
    case tfScript | tfLongParam1: j = FindQuotedStop(text, i, PhpSingleQuotedStops, '\''); break;
    case tfScript | tfTag: j = FindStop(text, i, PhpVariableStops); break;
    case tfScript | tfShortParam: j = FindStop(text, i, PhpValueStops); break;
    case tfScript | tfComment2: j = FindStop(text, i, PhpCommentStops); break;
    default: return i;
  }
  const auto stepped = [&](std::size_t k) {
    const auto c = static_cast<unsigned char>(text[k]);
    return c == 0 ? static_cast<unsigned char>(1) : c;  // a NUL byte is stepped as its stand-in
  };
  if (j - i >= 2) {
    PrevChar2 = stepped(j - 2);
    PrevChar = stepped(j - 1);
  } else if (j > i) {
    PrevChar2 = PrevChar;
    PrevChar = stepped(j - 1);
  }
  return j;
}

TTokenFlags THTMLHighLight::Step(unsigned char c, TTokenFlags s) {
  if (s & tfScript) return php_rules::Step(*this, c, s, true);
  if ((s & ~tfSelected) == tfText && c != 0 && !LeaveScript) {
    // The common case, text between tags, where only "<" changes the state.
    Selected = IsSelected(PrevColumn, PrevLine);
    PrevChar2 = PrevChar;
    PrevChar = c;
    const TTokenFlags r = c == '<' ? tfTag : tfText;
    return Selected ? (r | tfSelected) : r;
  }
  return HtmlStep(c, s);
}

TTokenFlags THTMLHighLight::HtmlStep(unsigned char c, TTokenFlags s) {
  const bool selected = IsSelected(PrevColumn, PrevLine);
  Selected = selected;
  TTokenFlags w = s & ~tfSelected;
  if (c == 0) return selected ? (w | tfSelected) : w;
  if (LeaveScript) {
    w = tfText;
    LeaveScript = false;
  }
  TTokenFlags r = w;
  const auto isQuote = [](unsigned char q) { return q == '"' || q == '\''; };
  // The opening quote is known by its position, so a value after "= " (blank before the quote) and an
  // empty value both close at their second quote.
  auto closesValue = [&](unsigned char quote) {
    CharPos p;
    return PeekBackAt(1, p) == quote && !IsOpeningQuote(p, QuoteLine, QuoteColumn);
  };
  if (c == '<' && (w == 0 || (w & (tfText | tfTag)))) {
    r = tfTag;
  } else if ((w & tfTag) && PeekBack(1) == '>') {
    r = tfText;  // the character after a closing ">"
  } else if (c == '!' && (w & tfTag) && PeekBack(1) == '<') {
    r = tfComment2;
  } else if (c == '?' && (w & tfTag) && PeekBack(1) == '<') {
    r = tfScript | tfText;
  } else if ((w & tfComment2) && c == '-' && PrevChar == '!') {
    r = tfComment;
  } else if ((w & tfComment) && IsLetter(c) && !IsLetter(PrevChar)) {
    if (IsCommentKeyword(WordFromLastChar(LongestCommentKeyword))) r = tfKeyword;
  } else if (!IsLetter(c) && (w & tfKeyword)) {
    r = tfComment;
  } else if ((w & tfComment2) && c == '>' && (isQuote(PrevChar) || PrevChar == '?')) {
    r = tfTag;
  } else if ((w & tfComment) && c == '>' && ((PeekBack(1) == '-' && PeekBack(2) == '-') || PeekBack(1) == '?')) {
    r = tfTag;
  } else if (c == '=' && (w & tfTag) && PeekBack(1) != '=') {
    r = tfShortParam;
  } else if ((c == '\n' || c == '\r' || c == ' ' || c == '>') && (w & tfShortParam)) {
    r = tfTag;
  } else if ((c == '"' || c == '\'') && (w & (tfTag | tfShortParam))) {
    r = c == '"' ? tfLongParam : tfLongParam1;
    QuoteLine = PrevLine;
    QuoteColumn = ScanColumn;
  } else if ((w & tfLongParam) && closesValue('"')) {
    r = tfTag;  // the character after a closing quote
  } else if ((w & tfLongParam1) && closesValue('\'')) {
    r = tfTag;
  }
  PrevChar2 = PrevChar;
  PrevChar = c;
  if (r == 0) r = tfText;
  return selected ? (r | tfSelected) : (r & ~tfSelected);
}

std::uint16_t THTMLHighLight::LineContext() { return QuoteContext(QuoteLine, QuoteColumn); }

void THTMLHighLight::RestoreLineContext(std::uint16_t stored, unsigned char lastChar) {
  // A line end read in PHP code is remembered as the previous character; in HTML it is not.
  PrevChar = (State & tfScript) ? 0 : lastChar;
  PrevChar2 = 0;
  LeaveScript = false;
  OperatorReturnState = VariableReturnState = tfText | tfScript;
  RestoreQuote(stored, QuoteLine, QuoteColumn);
}
