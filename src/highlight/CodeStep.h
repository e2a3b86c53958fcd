#pragma once
#include "highlight/KeywordList.h"
#include "highlight/THighLighter.h"

// The transition function of the C++ and Pascal highlighters. The two languages differ only in how a
// block comment opens and closes ("/*" "*/" or "{" "}"), in their keywords and in their operators;
// both have "//" line comments, single- and double-quoted strings and keywords in any case.
template <class Highlighter>
TTokenFlags CodeStep(Highlighter& h, unsigned char c, TTokenFlags s, bool opensBlockComment,
                     bool closesBlockComment, const KeywordList& keywords, const CharTable& operators) {
  const bool selected = h.IsSelected(h.PrevColumn, h.PrevLine);
  h.Selected = selected;
  TTokenFlags w = s & ~tfSelected;
  if (w & tfOperator) w = h.OperatorReturnState;
  TTokenFlags r = w;
  auto closesString = [&](unsigned char quote) {
    typename THighLighter::CharPos p;
    return h.PeekBackAt(1, p) == quote && !THighLighter::IsOpeningQuote(p, h.QuoteLine, h.QuoteColumn);
  };
  if ((c == 0 || c == '\n' || c == '\r') && (w & tfComment2)) {
    r = h.CommentReturnState;  // a "//" comment ends with its line
  } else if (c == '/' && h.PrevChar == '/' && (w == 0 || (w & tfText))) {
    h.CommentReturnState = w;
    r = tfComment2;
  } else if (opensBlockComment) {
    if (!(w & (tfComment | tfComment2))) h.CommentReturnState = w;
    r = tfComment;
  } else if (closesBlockComment && (w & tfComment)) {
    r = h.CommentReturnState;
  } else if ((c == '"' || c == '\'') && (w & (tfTag | tfShortParam | tfText))) {
    r = c == '"' ? tfLongParam : tfLongParam1;
    h.QuoteLine = h.PrevLine;
    h.QuoteColumn = h.ScanColumn;
  } else if ((w & tfLongParam) && closesString('"')) {
    r = tfText;  // the character after the closing quote
  } else if ((w & tfLongParam1) && closesString('\'')) {
    r = tfText;
  } else if ((w & tfText) && IsLetter(c) && !IsLetter(h.PrevChar)) {
    if (keywords.ContainsLowerCased(h.WordFromLastChar(keywords.Longest()))) r = tfKeyword;
  } else if (!IsLetter(c) && (w & tfKeyword)) {
    r = tfText;
  } else if ((w & tfText) && operators[c]) {
    h.OperatorReturnState = w;
    r = tfOperator;
  }
  h.PrevChar2 = h.PrevChar;
  h.PrevChar = c;
  if (r == 0) r = tfText;
  return selected ? (r | tfSelected) : (r & ~tfSelected);
}
