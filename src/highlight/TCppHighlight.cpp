#include "highlight/TCppHighlight.h"

#include "highlight/KeywordList.h"
#include "highlight/THighLighterScan.h"

namespace {
constexpr CharTable CodeTokenChars = MakeCharTable(LetterTable, "#$@");
constexpr CharTable CppOperators = MakeCharTable("!&*+-.<=>\\^|");
}  // namespace

void TCppHighlight::Start() {
  StartFromLineStates([this](unsigned char c, TTokenFlags s) { return Step(c, s); });
}

void TCppHighlight::NextToken(std::string& token) {
  CutToken(token, [this](unsigned char c, TTokenFlags s) { return Step(c, s); }, CodeTokenChars);
}

TTokenFlags TCppHighlight::Step(unsigned char c, TTokenFlags s) {
  const bool selected = IsSelected(PrevColumn, PrevLine);
  Selected = selected;
  TTokenFlags w = s & ~tfSelected;
  if (w & tfOperator) w = OperatorReturnState;
  TTokenFlags r = w;
  auto closesString = [&](unsigned char quote) {
    CharPos p;
    return PeekBackAt(1, p) == quote && !IsOpeningQuote(p, QuoteLine, QuoteColumn);
  };
  if ((c == 0 || c == '\n' || c == '\r') && (w & tfComment2)) {
    r = CommentReturnState;  // a "//" comment ends with its line
  } else if (c == '/' && PrevChar == '/' && (w == 0 || (w & tfText))) {
    CommentReturnState = w;
    r = tfComment2;
  } else if (c == '*' && PrevChar == '/') {
    if (!(w & (tfComment | tfComment2))) CommentReturnState = w;
    r = tfComment;
  } else if (c == '/' && PrevChar == '*' && (w & tfComment)) {
    r = CommentReturnState;
  } else if ((c == '"' || c == '\'') && (w & (tfTag | tfShortParam | tfText))) {
    r = c == '"' ? tfLongParam : tfLongParam1;
    QuoteLine = PrevLine;
    QuoteColumn = ScanColumn;
  } else if ((w & tfLongParam) && closesString('"')) {
    r = tfText;  // the character after the closing quote
  } else if ((w & tfLongParam1) && closesString('\'')) {
    r = tfText;
  } else if ((w & tfText) && IsLetter(c) && !IsLetter(PrevChar)) {
    if (CppKeywords().ContainsLowerCased(WordFromLastChar(CppKeywords().Longest()))) r = tfKeyword;
  } else if (!IsLetter(c) && (w & tfKeyword)) {
    r = tfText;
  } else if ((w & tfText) && CppOperators[c]) {
    OperatorReturnState = w;
    r = tfOperator;
  }
  PrevChar2 = PrevChar;
  PrevChar = c;
  if (r == 0) r = tfText;
  return selected ? (r | tfSelected) : (r & ~tfSelected);
}

std::uint16_t TCppHighlight::LineContext() {
  std::uint16_t context = QuoteContext(QuoteLine, QuoteColumn);
  if (State & (tfComment | tfComment2)) context |= EncodeReturnState(CommentReturnState, tfKeyword);
  return context;
}

void TCppHighlight::RestoreLineContext(std::uint16_t stored, unsigned char) {
  PrevChar = 0;  // the line end just stepped
  PrevChar2 = 0;
  OperatorReturnState = VariableReturnState = tfText;
  CommentReturnState = (State & (tfComment | tfComment2)) ? DecodeReturnState(stored, tfKeyword) : tfText;
  RestoreQuote(stored, QuoteLine, QuoteColumn);
}
