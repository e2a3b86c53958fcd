#include "highlight/TCSSHighLight.h"

#include "highlight/THighLighterScan.h"

namespace {
constexpr CharTable CssTokenChars = MakeCharTable(LetterTable, "\"'./:<>");
}

void TCSSHighLight::Start() {
  StartFromLineStates([this](unsigned char c, TTokenFlags s) { return Step(c, s); });
}

bool TCSSHighLight::ScanAhead(std::size_t budgetBytes) {
  return ScanAheadWith([this](unsigned char c, TTokenFlags s) { return Step(c, s); }, budgetBytes);
}

void TCSSHighLight::NextToken(std::string& token) {
  CutToken(token, [this](unsigned char c, TTokenFlags s) { return Step(c, s); }, CssTokenChars);
  MarkUrl(token);
}

TTokenFlags TCSSHighLight::Step(unsigned char c, TTokenFlags s) {
  const bool selected = IsSelected(PrevColumn, PrevLine);
  Selected = selected;
  TTokenFlags w = s & ~tfSelected;
  if (c == 0) return selected ? (w | tfSelected) : w;
  TTokenFlags r = w;
  if (PeekBack(1) == '{') {
    r = tfTag;  // the property name starts right after "{", which keeps the state it was read in
  } else if (c == '}') {
    r = tfText;
  } else if ((w & tfTag) && c == ':') {
    r = tfShortParam;
  } else if (c == ';') {
    r = tfTag;
  }
  PrevChar2 = PrevChar;
  PrevChar = c;
  if (r == 0) r = tfText;
  return selected ? (r | tfSelected) : (r & ~tfSelected);
}

void TCSSHighLight::RestoreLineContext(std::uint16_t, unsigned char lastChar) {
  PrevChar = lastChar;
  PrevChar2 = 0;
}
