#pragma once
// The transition function of PHP code, shared by PHP embedded in HTML and by PHP files. Embedded code
// carries tfScript in every state, "?>" returns to HTML, and a line end also ends a variable.
#include "highlight/KeywordList.h"
#include "highlight/THighLighter.h"

namespace php_rules {
// Characters that end a variable ($name); embedded code adds the line ends.
constexpr CharTable VariableEnd = MakeCharTable(" \"'()*+,-./;[\\]{}");
constexpr CharTable EmbeddedVariableEnd = MakeCharTable(VariableEnd, std::string_view("\0\n\r", 3));
// Characters that end a value assigned directly to a variable ($a=value).
constexpr CharTable ValueEnd = MakeCharTable(std::string_view("\0\n\r()*+,-./;[\\]{}", 18));
constexpr CharTable Operators = MakeCharTable("!&*+-./<>\\|");

// H has the fields OperatorReturnState, VariableReturnState, PrevChar, PrevChar2, QuoteLine,
// QuoteColumn and, when embedded, LeaveScript.
template <class H>
TTokenFlags Step(H& h, unsigned char c, TTokenFlags s, bool embedded) {
  const bool selected = h.IsSelected(h.PrevColumn, h.PrevLine);
  h.Selected = selected;
  TTokenFlags w = s & ~tfSelected;  // the working state
  bool leave = false;
  if constexpr (requires { h.LeaveScript; }) h.LeaveScript = false;
  if (w & tfOperator) w = h.OperatorReturnState & ~tfSelected;  // an operator lasts one character
  if ((embedded ? EmbeddedVariableEnd : VariableEnd)[c] && (w & tfTag)) w = h.VariableReturnState & ~tfSelected;
  TTokenFlags r = w;
  auto closesString = [&](unsigned char quote) {
    THighLighter::CharPos p;
    return h.PeekBackAt(1, p) == quote && !THighLighter::IsOpeningQuote(p, h.QuoteLine, h.QuoteColumn);
  };
  if (embedded && c == '>' && h.PeekBack(1) == '?') {
    r = tfText;
    leave = true;
    if constexpr (requires { h.LeaveScript; }) h.LeaveScript = true;
  } else if (c == '#' && (w & tfText)) {
    r = tfComment2;
  } else if ((c == 0 || c == '\n' || c == '\r') && (w & (tfComment2 | tfComment))) {
    r = tfText;
  } else if (ValueEnd[c] && (w & tfShortParam)) {
    r = tfText;
  } else if ((c == '$' || c == '@') && (w & (tfText | tfShortParam | tfLongParam | tfLongParam1))) {
    h.VariableReturnState = w;
    r = tfTag;
  } else if (c == '=' && (w & tfTag) && h.PeekBack(1) != '=') {
    r = tfShortParam;
  } else if ((c == '"' || c == '\'') && (w & (tfTag | tfShortParam | tfText))) {
    r = c == '"' ? tfLongParam : tfLongParam1;
    h.QuoteLine = h.PrevLine;
    h.QuoteColumn = h.ScanColumn;
  } else if ((w & tfLongParam) && closesString('"')) {
    r = tfText;
  } else if ((w & tfLongParam1) && closesString('\'')) {
    r = tfText;
  } else if ((w & tfText) && IsLetter(c) && !IsLetter(h.PrevChar)) {
    if (PhpKeywords().Contains(h.WordFromLastChar(PhpKeywords().Longest()))) r = tfKeyword;
  } else if (!IsLetter(c) && (w & tfKeyword)) {
    r = tfText;
  } else if ((w & (tfText | tfLongParam | tfLongParam1)) && Operators[c]) {
    h.OperatorReturnState = w;
    r = tfOperator;
  }
  h.PrevChar2 = h.PrevChar;
  h.PrevChar = c;
  if (r == 0) r = tfText;
  if (embedded && !leave) r |= tfScript;
  return selected ? (r | tfSelected) : (r & ~tfSelected);
}
}  // namespace php_rules
