#include "highlight/TPerlHighLight.h"

#include "highlight/KeywordList.h"
#include "highlight/THighLighterScan.h"

namespace {
constexpr CharTable CodeTokenChars = MakeCharTable(LetterTable, "#$@");
constexpr CharTable PerlOperators = MakeCharTable("!&*+-./<=>\\|");
constexpr CharTable PerlVariableEnd = MakeCharTable(std::string_view("\0\n\r \"'()*+,-./;[\\]{}", 21));
constexpr CharTable PerlValueEnd = MakeCharTable(std::string_view("\0\n\r ()*+,-./;[\\]{}", 19));
}  // namespace

void TPerlHighLight::Start() {
  StartFromLineStates([this](unsigned char c, TTokenFlags s) { return Step(c, s); });
}

bool TPerlHighLight::ScanAhead(std::size_t budgetBytes) {
  return ScanAheadWith([this](unsigned char c, TTokenFlags s) { return Step(c, s); }, budgetBytes);
}

void TPerlHighLight::NextToken(std::string& token) {
  CutToken(token, [this](unsigned char c, TTokenFlags s) { return Step(c, s); }, CodeTokenChars);
}

TTokenFlags TPerlHighLight::Step(unsigned char c, TTokenFlags s) {
  const bool selected = IsSelected(PrevColumn, PrevLine);
  Selected = selected;
  TTokenFlags w = s & ~tfSelected;
  if (w & tfOperator) w = OperatorReturnState;
  if (PerlVariableEnd[c] && (w & tfTag)) w = VariableReturnState;
  TTokenFlags r = w;
  auto closesString = [&](unsigned char quote) {
    CharPos p;
    return PeekBackAt(1, p) == quote && !IsOpeningQuote(p, QuoteLine, QuoteColumn);
  };
  if (c == '#' && (w == 0 || (w & tfText))) {
    r = tfComment2;
  } else if ((c == 0 || c == '\n' || c == '\r') && (w & (tfComment2 | tfComment))) {
    r = tfText;
  } else if (PerlValueEnd[c] && (w & tfShortParam)) {
    r = tfText;
  } else if ((c == '$' || c == '@') && (w & (tfText | tfShortParam | tfLongParam | tfLongParam1))) {
    VariableReturnState = w;
    r = tfTag;
  } else if (c == '=' && (w & tfTag) && PeekBack(1) != '=') {
    r = tfShortParam;
  } else if ((c == '"' || c == '\'') && (w & (tfTag | tfShortParam | tfText))) {
    r = c == '"' ? tfLongParam : tfLongParam1;
    QuoteLine = PrevLine;
    QuoteColumn = ScanColumn;
  } else if ((w & (tfLongParam | tfTag)) && closesString('"')) {
    r = tfText;
  } else if ((w & (tfLongParam1 | tfTag)) && closesString('\'')) {
    r = tfText;
  } else if ((w & tfText) && IsAsciiLetter(c) && !IsLetter(PrevChar)) {
    if (PerlKeywords().ContainsLowerCased(WordFromLastChar(PerlKeywords().Longest()))) r = tfKeyword;
  } else if (!IsLetter(c) && (w & tfKeyword)) {
    r = tfText;
  } else if ((w & (tfText | tfLongParam | tfLongParam1)) && PerlOperators[c]) {
    OperatorReturnState = w;
    r = tfOperator;
  }
  PrevChar2 = PrevChar;
  PrevChar = c;
  if (r == 0) r = tfText;
  return selected ? (r | tfSelected) : (r & ~tfSelected);
}

std::uint16_t TPerlHighLight::LineContext() { return QuoteContext(QuoteLine, QuoteColumn); }

void TPerlHighLight::RestoreLineContext(std::uint16_t stored, unsigned char) {
  // A line end ends every variable, value and operator, so only the string's opening quote matters.
  PrevChar = 0;
  PrevChar2 = 0;
  OperatorReturnState = VariableReturnState = CommentReturnState = tfText;
  RestoreQuote(stored, QuoteLine, QuoteColumn);
}
