#include "highlight/THTMLHighLight.h"

#include <algorithm>

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
  MarkUrl(token);
}

bool THTMLHighLight::ScanAhead(std::size_t budgetBytes) {
  LeaveScript = false;
  return ScanAheadWith([this](unsigned char c, TTokenFlags s) { return Step(c, s); }, budgetBytes,
                       [this](std::string_view text, std::size_t i) { return SkipInert(text, i); });
}

std::size_t THTMLHighLight::SkipInert(std::string_view text, std::size_t i) {
  // In a tag only these characters, and the one after a ">", do anything.
  static constexpr CharTable TagStops = MakeCharTable("!?=\"'>");
  if (LeaveScript || i >= text.size()) return i;
  const TTokenFlags w = State & ~tfSelected;
  std::size_t j = i;
  if (w == tfText) {
    // Text between tags, where only "<" does anything.
    j = text.find('<', i);
  } else if (w == tfLongParam || w == tfLongParam1) {
    // A quoted value: only its quote character, and the character after one, do anything. The
    // character before the line's first one lies on another line: that first one is stepped.
    const char quote = w == tfLongParam ? '"' : '\'';
    if (i == 0 || text[i - 1] == quote) return i;
    j = text.find(quote, i);
  } else if (w == tfTag) {
    if (i == 0 || text[i - 1] == '>') return i;
    while (j < text.size() && !TagStops[static_cast<unsigned char>(text[j])]) ++j;
  } else {
    return i;
  }
  if (j == std::string_view::npos) j = text.size();
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
