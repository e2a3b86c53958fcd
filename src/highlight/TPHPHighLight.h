#pragma once
#include "highlight/THighLighter.h"

// The PHP highlighter for PHP files (the whole text is PHP code): case-sensitive keywords, "#" comments,
// strings, variables (which may continue over a line end) and the values assigned to them, operators.
class TPHPHighLight final : public THighLighter {
public:
  TPHPHighLight() : THighLighter(true) {}
  void Start() override;
  void NextToken(std::string& token) override;
  bool ScanAhead(std::size_t budgetBytes) override;

  TTokenFlags OperatorReturnState = tfText;  // resumed after a one-character operator
  int QuoteColumn = 0;                       // just after the opening quote of the current string
  int QuoteLine = -1;                        // the line of that quote
  TTokenFlags VariableReturnState = tfText;  // resumed when a variable ends
  unsigned char PrevChar = 0;                // the characters of the previous two steps
  unsigned char PrevChar2 = 0;
  TTokenFlags CommentReturnState = tfText;   // unused in PHP; kept for the common layout

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
