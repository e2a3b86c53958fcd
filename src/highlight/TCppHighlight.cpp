#include "highlight/TCppHighlight.h"

#include "highlight/CodeStep.h"
#include "highlight/KeywordList.h"
#include "highlight/THighLighterScan.h"

namespace {
constexpr CharTable CodeTokenChars = MakeCharTable(LetterTable, "#$@");
constexpr CharTable CppOperators = MakeCharTable("!&*+-.<=>\\^|");
}  // namespace

void TCppHighlight::Start() {
  StartFromLineStates([this](unsigned char c, TTokenFlags s) { return Step(c, s); });
}

bool TCppHighlight::ScanAhead(std::size_t budgetBytes) {
  return ScanAheadWith([this](unsigned char c, TTokenFlags s) { return Step(c, s); }, budgetBytes);
}

void TCppHighlight::NextToken(std::string& token) {
  CutToken(token, [this](unsigned char c, TTokenFlags s) { return Step(c, s); }, CodeTokenChars);
}

TTokenFlags TCppHighlight::Step(unsigned char c, TTokenFlags s) {
  return CodeStep(*this, c, s, c == '*' && PrevChar == '/', c == '/' && PrevChar == '*', CppKeywords(),
                  CppOperators);
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
