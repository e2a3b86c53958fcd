#include "highlight/TokenColors.h"

ColorPair ColorsForAttributes(TTokenFlags a, const HighlightColors& c, TColor previousText) {
  auto has = [a](TTokenFlags f) { return (a & f) != 0; };
  if (has(tfSelected)) return {c.Window, c.Text};
  if (has(tfLongParam) && has(tfScript)) return {c.PHPParameter, c.BackgroundPHPParameter};
  if (has(tfTag) && has(tfScript)) return {c.PHPVariable, c.BackgroundPHPVariable};
  if (has(tfText)) return {c.Text, c.BackgroundText};
  if (has(tfTag)) return {c.Tag, c.BackgroundTag};
  if (has(tfLongParam) || has(tfLongParam1)) return {c.LongParam, c.BackgroundLongParam};
  if (has(tfShortParam)) return {c.ShortParam, c.BackgroundShortParam};
  if (has(tfComment) || has(tfComment2)) return {c.Comment, c.BackgroundComment};
  if (has(tfKeyword)) return {c.Keyword, c.BackgroundKeyword};
  if (has(tfOperator)) return {c.Operator, c.BackgroundOperator};
  return {previousText, c.Window};
}
