#pragma once
#include "highlight/THighLighter.h"

class HtmlLineStates;

// The HTML highlighter: text, tags with attribute names, unquoted and quoted attribute values, comments
// (with script keywords inside them), "<!" declarations, and PHP code embedded between "<?" and "?>".
class THTMLHighLight final : public THighLighter {
public:
  THTMLHighLight() : THighLighter(true) {}
  void Start() override;
  void NextToken(std::string& token) override;
  bool ScanAhead(std::size_t budgetBytes) override;

  TTokenFlags OperatorReturnState = tfText;  // resumed after a one-character operator in PHP
  unsigned char PrevChar = 0;                // the character of the previous step (0: a line end in PHP)
  unsigned char PrevChar2 = 0;
  TTokenFlags VariableReturnState = tfText;  // resumed when a PHP variable ends
  int QuoteColumn = 0;                       // just after the opening quote of a value or PHP string
  int QuoteLine = -1;                        // the line of that quote
  bool LeaveScript = false;                  // set on the ">" of "?>", consumed by the next HTML step

protected:
  bool SaveFields(ScanFields& f) const override {
    f = {OperatorReturnState, PrevChar, PrevChar2, VariableReturnState, QuoteColumn, QuoteLine, LeaveScript, 0};
    return true;
  }
  void LoadFields(const ScanFields& f) override {
    OperatorReturnState = static_cast<TTokenFlags>(f[0]);
    PrevChar = static_cast<unsigned char>(f[1]);
    PrevChar2 = static_cast<unsigned char>(f[2]);
    VariableReturnState = static_cast<TTokenFlags>(f[3]);
    QuoteColumn = f[4];
    QuoteLine = f[5];
    LeaveScript = f[6] != 0;
  }
  std::uint16_t LineContext() override;
  int ScanLineStates(int from, int to, std::size_t budgetBytes) override;
  bool StepWholeLine(int line, std::string_view text, TTokenFlags* states) override;
  std::unique_ptr<LineStateWorker> MakeLineStateWorker(LineStateInput& input) override;
  void RestoreLineContext(std::uint16_t stored, unsigned char lastChar) override;

private:
  static std::uint16_t StoredLineState(HtmlLineStates& scan, std::string_view text);
  TTokenFlags Step(unsigned char c, TTokenFlags s);
  TTokenFlags HtmlStep(unsigned char c, TTokenFlags s);
  // The scanners' skip: the bytes from index i of a line that cannot change the state.
  [[gnu::always_inline]] inline std::size_t SkipInert(std::string_view text, std::size_t i);
};
