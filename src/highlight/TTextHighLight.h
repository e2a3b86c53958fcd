#pragma once
#include "highlight/THighLighter.h"

// The plain-text highlighter: everything is text; words and address-like runs form tokens, a token
// beginning with "http://" is marked as a URL, and words the word check rejects are marked misspelled.
class TTextHighLight final : public THighLighter {
public:
  TTextHighLight() : THighLighter(false) {}
  void NextToken(std::string& token) override;

private:
  TTokenFlags Step(unsigned char c, TTokenFlags s);
  bool PassesWordCheck(const std::string& word) const;
};
