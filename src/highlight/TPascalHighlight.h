#pragma once
#include "highlight/THighLighter.h"

// The Pascal highlighter: keywords in any case, strings, "{ }" and "//" comments, operators.
class TPascalHighlight final : public THighLighter {
public:
  TPascalHighlight() : THighLighter(true) {}
  void Start() override;
  void NextToken(std::string& token) override;
  bool ScanAhead(std::size_t budgetBytes) override;

  TTokenFlags OperatorReturnState = tfText;  // resumed after a one-character operator
  int QuoteColumn = 0;                       // just after the opening quote of the current string
  int QuoteLine = -1;                        // the line of that quote
  TTokenFlags VariableReturnState = tfText;  // unused in C++; kept for the common layout
  unsigned char PrevChar = 0;                // the characters of the previous two steps
  unsigned char PrevChar2 = 0;
  TTokenFlags CommentReturnState = tfText;   // resumed when a comment ends

protected:
  bool SaveFields(ScanFields& f) const override {
    SaveCodeFields(*this, f);
    return true;
  }
  void LoadFields(const ScanFields& f) override { LoadCodeFields(*this, f); }
  std::uint16_t LineContext() override;
  void RestoreLineContext(std::uint16_t stored, unsigned char lastChar) override;

private:
  TTokenFlags Step(unsigned char c, TTokenFlags s);
};
