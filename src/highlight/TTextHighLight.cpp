#include "highlight/TTextHighLight.h"

#include <algorithm>

#include "highlight/THighLighterScan.h"

namespace {
constexpr CharTable TextTokenChars = MakeCharTable(LetterTable, "\"'./:<>");
}

TTokenFlags TTextHighLight::Step(unsigned char, TTokenFlags) {
  Selected = IsSelected(PrevColumn, PrevLine);
  return Selected ? tfText | tfSelected : tfText;
}

bool TTextHighLight::PassesWordCheck(const std::string& word) const {
  const bool allLetters =
      std::all_of(word.begin(), word.end(), [](char c) { return IsLetter(static_cast<unsigned char>(c)); });
  if (!allLetters || !OnCheckWord) return true;
  return OnCheckWord(word);
}

void TTextHighLight::NextToken(std::string& token) {
  CutToken(token, [this](unsigned char c, TTokenFlags s) { return Step(c, s); }, TextTokenChars);
  if (token.empty() || token[0] == '\0') return;
  MarkUrl(token);
  // Selected words are not checked.
  if ((Attributes & tfText) && !(Attributes & tfSelected) && !PassesWordCheck(token)) {
    Attributes |= tfMisspelled;
  }
}
