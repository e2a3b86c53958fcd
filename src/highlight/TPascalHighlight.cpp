#include "highlight/TPascalHighlight.h"

#include "highlight/CodeStep.h"
#include "highlight/KeywordList.h"
#include "highlight/THighLighterScan.h"

namespace {
constexpr CharTable CodeTokenChars = MakeCharTable(LetterTable, "#$@");
constexpr CharTable PascalOperators = MakeCharTable("!&*+-./<>\\|");
}  // namespace

void TPascalHighlight::Start() {
  StartFromLineStates([this](unsigned char c, TTokenFlags s) { return Step(c, s); });
}

bool TPascalHighlight::ScanAhead(std::size_t budgetBytes) {
  return ScanAheadWith([this](unsigned char c, TTokenFlags s) { return Step(c, s); }, budgetBytes);
}

void TPascalHighlight::NextToken(std::string& token) {
  CutToken(token, [this](unsigned char c, TTokenFlags s) { return Step(c, s); }, CodeTokenChars);
}

TTokenFlags TPascalHighlight::Step(unsigned char c, TTokenFlags s) {
  return CodeStep(*this, c, s, c == '{', c == '}', PascalKeywords(), PascalOperators);
}

std::uint16_t TPascalHighlight::LineContext() {
  std::uint16_t context = QuoteContext(QuoteLine, QuoteColumn);
  if (State & (tfComment | tfComment2)) context |= EncodeReturnState(CommentReturnState, tfKeyword);
  return context;
}

void TPascalHighlight::RestoreLineContext(std::uint16_t stored, unsigned char) {
  PrevChar = 0;  // the line end just stepped
  PrevChar2 = 0;
  OperatorReturnState = VariableReturnState = tfText;
  CommentReturnState = (State & (tfComment | tfComment2)) ? DecodeReturnState(stored, tfKeyword) : tfText;
  RestoreQuote(stored, QuoteLine, QuoteColumn);
}
