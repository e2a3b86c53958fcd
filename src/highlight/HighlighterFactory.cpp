#include "highlight/HighlighterFactory.h"

#include "highlight/TCSSHighLight.h"
#include "highlight/TCppHighlight.h"
#include "highlight/THTMLHighLight.h"
#include "highlight/TPHPHighLight.h"
#include "highlight/TPascalHighlight.h"
#include "highlight/TPerlHighLight.h"
#include "highlight/TTextHighLight.h"

std::unique_ptr<THighLighter> CreateHighlighter(bool plainText, TColorStyle style) {
  if (plainText) return std::make_unique<TTextHighLight>();
  if (style.Has(csHTML)) return std::make_unique<THTMLHighLight>();
  if (style.Has(csPerl)) return std::make_unique<TPerlHighLight>();
  if (style.Has(csPhp)) return std::make_unique<TPHPHighLight>();
  if (style.Has(csPascal)) return std::make_unique<TPascalHighlight>();
  if (style.Has(csC)) return std::make_unique<TCppHighlight>();
  if (style.Has(csCSS)) return std::make_unique<TCSSHighLight>();
  return std::make_unique<TTextHighLight>();
}
