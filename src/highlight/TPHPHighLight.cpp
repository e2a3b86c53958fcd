#include "highlight/TPHPHighLight.h"

#include "highlight/PhpRules.h"
#include "highlight/THighLighterScan.h"

namespace {
constexpr CharTable CodeTokenChars = MakeCharTable(LetterTable, "#$@");
}

void TPHPHighLight::Start() {
  StartFromLineStates([this](unsigned char c, TTokenFlags s) { return Step(c, s); });
}

bool TPHPHighLight::ScanAhead(std::size_t budgetBytes) {
  return ScanAheadWith([this](unsigned char c, TTokenFlags s) { return Step(c, s); }, budgetBytes);
}

void TPHPHighLight::NextToken(std::string& token) {
  CutToken(token, [this](unsigned char c, TTokenFlags s) { return Step(c, s); }, CodeTokenChars);
}

TTokenFlags TPHPHighLight::Step(unsigned char c, TTokenFlags s) { return php_rules::Step(*this, c, s, false); }

std::uint16_t TPHPHighLight::LineContext() {
  // A variable may run on over a line end and needs the state it returns to.
  std::uint16_t context = QuoteContext(QuoteLine, QuoteColumn);
  if (State & tfTag) context |= EncodeReturnState(VariableReturnState, tfShortParam);
  return context;
}

void TPHPHighLight::RestoreLineContext(std::uint16_t stored, unsigned char) {
  PrevChar = 0;  // the line end just stepped
  PrevChar2 = 0;
  OperatorReturnState = CommentReturnState = tfText;
  VariableReturnState = (State & tfTag) ? DecodeReturnState(stored, tfShortParam) : tfText;
  RestoreQuote(stored, QuoteLine, QuoteColumn);
}
