#pragma once
#include "highlight/THighLighter.h"

// The CSS highlighter: text outside rule blocks; inside "{ }" property names in the tag colour and values
// in the unquoted-value colour.
class TCSSHighLight final : public THighLighter {
public:
  TCSSHighLight() : THighLighter(true) {}
  void Start() override;
  void NextToken(std::string& token) override;
  bool ScanAhead(std::size_t budgetBytes) override;

  unsigned char PrevChar = 0;  // the characters of the previous two steps (line ends not counted)
  unsigned char PrevChar2 = 0;

protected:
  bool SaveFields(ScanFields& f) const override {
    f = {PrevChar, PrevChar2, 0, 0, 0, 0, 0, 0};
    return true;
  }
  void LoadFields(const ScanFields& f) override {
    PrevChar = static_cast<unsigned char>(f[0]);
    PrevChar2 = static_cast<unsigned char>(f[1]);
  }
  void RestoreLineContext(std::uint16_t stored, unsigned char lastChar) override;

private:
  TTokenFlags Step(unsigned char c, TTokenFlags s);
};
